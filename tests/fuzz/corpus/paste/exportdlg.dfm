object ExportDlg: TKExportDialog
  DataSet = Orders
  Left = 24
  Top = 96
end
