object AboutF: TAboutF
  Left = 290
  Top = 190
  BorderStyle = bsDialog
  Caption = 'Über Tarnel Lumatab'
  ClientHeight = 300
  ClientWidth = 452
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object Panel1: TPanel
    Left = -28
    Top = 257
    Width = 474
    Height = 2
    BevelOuter = bvLowered
    Caption = ''
    TabOrder = 0
  end
  object BitBtn1: TBitBtn
    Left = 370
    Top = 267
    Width = 75
    Height = 25
    TabOrder = 1
    Kind = bkOK
  end
end
