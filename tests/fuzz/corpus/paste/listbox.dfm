object SrcList: TListBox
  Left = 8
  Top = 25
  Width = 144
  Height = 185
  DragMode = dmAutomatic
  ItemHeight = 13
  MultiSelect = True
  Sorted = True
  TabOrder = 0
  Items.Strings = (
    'OrderID'
    'Customer')
end
