object Orders: TSQLiteDataSet
  DatabaseName = 'shop.db'
  TableName = 'orders'
end
object CsvOut: TKASCIIExport
  DataSet = Orders
  Formats.DateTimeFormat = 'dd/mm/yyyy hh:nn'
  ExportType = etCSV
end
object ExportDlg: TKExportDialog
  Caption = 'Export the orders'
  DataSet = Orders
end
