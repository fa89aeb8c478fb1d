object ClipOut: TKClipboardExport
  DataSet = Orders
  Left = 408
  Top = 168
end
