object HtmlOut: TKHTMLExport
  Tag = 7
  DataSet = Orders
  Formats.DateFormat = 'yyyy-mm-dd'
  Formats.TimeFormat = 'hh:nn'
  CSSFileName = 'orders.css'
  FileName = 'orders.html'
  HTMLOptions.BackGroundColor = clYellow
  HTMLOptions.DefaultFont.Name = 'Courier New'
  HTMLOptions.DefaultFont.Style = [fsBold]
  HTMLTemplate = htMSMoney
  TableOptions.OddRowBgColor = 1193046
  ExportedFields.Strings = (
    'id'
    'customer'
    'total')
end
