object fmKExportDlg: TfmKExportDlg
  Left = 300
  Top = 180
  BorderStyle = bsDialog
  Caption = 'Exportieren'
  ClientHeight = 295
  ClientWidth = 330
  ParentFont = True
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  PixelsPerInch = 96
  TextHeight = 13
  object lblFormat: TLabel
    Left = 8
    Top = 12
    Width = 76
    Height = 16
    AutoSize = False
    Caption = '&Format:'
    FocusControl = cbxFormat
  end
  object lblFields: TLabel
    Left = 8
    Top = 40
    Width = 234
    Height = 16
    AutoSize = False
    Caption = '&Felder, angekreuzte exportiert:'
    FocusControl = lbFields
  end
  object lblFileName: TLabel
    Left = 8
    Top = 220
    Width = 76
    Height = 16
    AutoSize = False
    Caption = '&Datei:'
    FocusControl = edFileName
  end
  object Bevel1: TBevel
    Left = 8
    Top = 250
    Width = 314
    Height = 2
    Shape = bsTopLine
  end
  object lblProgress: TLabel
    Left = 8
    Top = 266
    Width = 150
    Height = 16
    AutoSize = False
    Visible = False
  end
  object cbxFormat: TComboBox
    Left = 88
    Top = 8
    Width = 234
    Height = 21
    Style = csDropDownList
    TabOrder = 0
    OnChange = cbxFormatChange
  end
  object lbFields: TCheckListBox
    Left = 8
    Top = 58
    Width = 234
    Height = 150
    ItemHeight = 16
    TabOrder = 1
    OnClick = lbFieldsClick
    OnClickCheck = lbFieldsClickCheck
  end
  object btUp: TButton
    Left = 250
    Top = 58
    Width = 72
    Height = 25
    Caption = 'Nach &oben'
    TabOrder = 2
    OnClick = btUpClick
  end
  object btDown: TButton
    Left = 250
    Top = 89
    Width = 72
    Height = 25
    Caption = 'Nach &unten'
    TabOrder = 3
    OnClick = btDownClick
  end
  object edFileName: TEdit
    Left = 88
    Top = 216
    Width = 154
    Height = 21
    TabOrder = 4
    OnChange = edFileNameChange
  end
  object btBrowse: TButton
    Left = 250
    Top = 214
    Width = 72
    Height = 25
    Caption = '&Wählen...'
    TabOrder = 5
    OnClick = btBrowseClick
  end
  object btExport: TButton
    Left = 166
    Top = 262
    Width = 75
    Height = 25
    Caption = '&Exportieren'
    Default = True
    TabOrder = 6
    OnClick = btExportClick
  end
  object btCancel: TButton
    Left = 247
    Top = 262
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Abbrechen'
    ModalResult = 2
    TabOrder = 7
    OnClick = btCancelClick
  end
  object sdFile: TSaveDialog
    Options = [ofOverwritePrompt, ofHideReadOnly]
    Title = 'Exportieren nach'
  end
end
