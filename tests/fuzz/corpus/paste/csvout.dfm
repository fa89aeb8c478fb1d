object CsvOut: TKASCIIExport
  DataSet = Orders
  Left = 120
  Top = 168
end
