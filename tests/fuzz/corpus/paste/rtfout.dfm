object RtfOut: TKRTFExport
  DataSet = Orders
  Left = 216
  Top = 96
end
