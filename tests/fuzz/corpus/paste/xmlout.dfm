object XmlOut: TKXMLExport
  DataSet = Orders
  Left = 408
  Top = 96
end
