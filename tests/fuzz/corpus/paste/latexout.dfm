object LatexOut: TKLaTeXExport
  DataSet = Orders
  Left = 312
  Top = 168
end
