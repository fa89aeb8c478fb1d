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
    Left = 120
    Top = 96
  end
  object RtfOut: TKRTFExport
    DataSet = Orders
    Left = 216
    Top = 96
  end
  object HtmlOut: TKHTMLExport
    DataSet = Orders
    Left = 312
    Top = 96
  end
  object XmlOut: TKXMLExport
    DataSet = Orders
    Left = 408
    Top = 96
  end
  object DbfOut: TKDBFExport
    DataSet = Orders
    Left = 24
    Top = 168
  end
  object CsvOut: TKASCIIExport
    DataSet = Orders
    Left = 120
    Top = 168
  end
  object SqlOut: TKSQLExport
    DataSet = Orders
    Left = 216
    Top = 168
  end
  object LatexOut: TKLaTeXExport
    DataSet = Orders
    Left = 312
    Top = 168
  end
  object ClipOut: TKClipboardExport
    DataSet = Orders
    Left = 408
    Top = 168
  end
end
