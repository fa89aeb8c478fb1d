object HtmlOut: TKHTMLExport
  DataSet = Orders
  Left = 312
  Top = 96
end
