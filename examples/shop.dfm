object ShopForm: TForm
  Width = 512
  Height = 267
  Caption = 'ShopForm'
  ClientHeight = 240
  ClientWidth = 504
  object Orders: TSQLiteDataSet
    DatabaseName = 'shop.db'
    TableName = 'orders'
    Left = 24
    Top = 24
  end
  object ExportDlg: TKExportDialog
    DataSet = Orders
    Left = 24
    Top = 96
  end
  object ExcelOut: TKExcelExport
    DataSet = Orders
    FileName = 'orders.xlsx'
    Left = 120
    Top = 96
  end
  object RtfOut: TKRTFExport
    DataSet = Orders
    FileName = 'orders.rtf'
    Left = 216
    Top = 96
  end
  object HtmlOut: TKHTMLExport
    DataSet = Orders
    FileName = 'orders.html'
    Left = 312
    Top = 96
  end
  object XmlOut: TKXMLExport
    DataSet = Orders
    FileName = 'orders.xml'
    Left = 408
    Top = 96
  end
  object DbfOut: TKDBFExport
    DataSet = Orders
    FileName = 'orders.dbf'
    Left = 24
    Top = 168
  end
  object CsvOut: TKASCIIExport
    DataSet = Orders
    ExportType = etCSV
    FileName = 'orders.csv'
    Left = 120
    Top = 168
  end
  object SqlOut: TKSQLExport
    DataSet = Orders
    FileName = 'orders.sql'
    Left = 216
    Top = 168
  end
  object LatexOut: TKLaTeXExport
    DataSet = Orders
    FileName = 'orders.tex'
    Left = 312
    Top = 168
  end
  object ClipOut: TKClipboardExport
    DataSet = Orders
    Left = 408
    Top = 168
  end
end
