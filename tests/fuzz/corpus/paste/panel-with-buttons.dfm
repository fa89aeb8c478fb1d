object Panel1: TPanel
  Left = 0
  Top = 221
  Width = 448
  Height = 32
  Align = alBottom
  BevelOuter = bvNone
  Caption = ''
  TabOrder = 0
  object btStart: TBitBtn
    Left = 289
    Top = 5
    Width = 75
    Height = 24
    TabOrder = 0
    Kind = bkOK
  end
  object btCancel: TBitBtn
    Left = 370
    Top = 5
    Width = 75
    Height = 24
    TabOrder = 1
    Kind = bkCancel
  end
end
