object SqlOut: TKSQLExport
  DataSet = Orders
  Left = 216
  Top = 168
end
