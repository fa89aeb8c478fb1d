object Orders: TSQLiteDataSet
  DatabaseName = 'shop.db'
  TableName = 'orders'
  Left = 24
  Top = 24
end
object HtmlOut: TKHTMLExport
  DataSet = Orders
  Left = 312
  Top = 96
end
