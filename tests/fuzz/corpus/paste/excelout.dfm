object ExcelOut: TKExcelExport
  DataSet = Orders
  Left = 120
  Top = 96
end
