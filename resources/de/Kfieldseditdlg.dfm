object fmKFieldsEditDlg: TfmKFieldsEditDlg
  Left = 344
  Top = 195
  BorderStyle = bsDialog
  Caption = 'Feldeditor'
  ClientHeight = 255
  ClientWidth = 345
  ParentFont = True
  Position = poScreenCenter
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object SrcLabel: TLabel
    Left = 8
    Top = 8
    Width = 145
    Height = 16
    AutoSize = False
    Caption = 'Verfügbare Felder:'
  end
  object DstLabel: TLabel
    Left = 192
    Top = 8
    Width = 145
    Height = 16
    AutoSize = False
    Caption = 'Exportierte Felder:'
  end
  object IncludeBtn: TSpeedButton
    Left = 160
    Top = 32
    Width = 24
    Height = 24
    Caption = '>'
    OnClick = IncludeBtnClick
  end
  object IncAllBtn: TSpeedButton
    Left = 160
    Top = 64
    Width = 24
    Height = 24
    Caption = '>>'
    OnClick = IncAllBtnClick
  end
  object ExcludeBtn: TSpeedButton
    Left = 160
    Top = 96
    Width = 24
    Height = 24
    Caption = '<'
    Enabled = False
    OnClick = ExcludeBtnClick
  end
  object ExAllBtn: TSpeedButton
    Left = 160
    Top = 128
    Width = 24
    Height = 24
    Caption = '<<'
    Enabled = False
    OnClick = ExcAllBtnClick
  end
  object Bevel1: TBevel
    Left = 9
    Top = 218
    Width = 328
    Height = 2
    Shape = bsTopLine
  end
  object OKBtn: TBitBtn
    Left = 182
    Top = 226
    Width = 75
    Height = 25
    TabOrder = 2
    Kind = bkOK
  end
  object CancelBtn: TBitBtn
    Left = 262
    Top = 226
    Width = 75
    Height = 25
    Caption = 'Abbrechen'
    TabOrder = 3
    Kind = bkCancel
  end
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
    OnDblClick = IncludeBtnClick
    OnDragDrop = SrcListDragDrop
    OnDragOver = SrcListDragOver
  end
  object DstList: TListBox
    Left = 192
    Top = 24
    Width = 144
    Height = 185
    DragMode = dmAutomatic
    ItemHeight = 13
    MultiSelect = True
    TabOrder = 1
    OnDblClick = ExcludeBtnClick
    OnDragDrop = DstListDragDrop
    OnDragOver = DstListDragOver
  end
end
