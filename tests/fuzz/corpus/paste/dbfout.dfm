object DbfOut: TKDBFExport
  DataSet = Orders
  Left = 24
  Top = 168
end
