object fmKHTMLTemplateEditDlg: TfmKHTMLTemplateEditDlg
  Left = 282
  Top = 183
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = 'HTML-Vorlage bearbeiten'
  ClientHeight = 253
  ClientWidth = 448
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
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
      Caption = 'Abbrechen'
      TabOrder = 1
      OnKeyDown = btCancelKeyDown
      Kind = bkCancel
    end
  end
  object HTMLPanel: TPanel
    Left = 2
    Top = 1
    Width = 444
    Height = 221
    BevelOuter = bvLowered
    Caption = ''
    ParentShowHint = False
    ShowHint = True
    TabOrder = 1
    object lbTemplate: TLabel
      Left = 320
      Top = 15
      Width = 44
      Height = 13
      Caption = '&Vorlage'
      FocusControl = cbxTemplate
    end
    object BackPanel: TPanel
      Left = 5
      Top = 6
      Width = 310
      Height = 210
      Cursor = crHandPoint
      Hint = 'Hier klicken, um die Hintergrundfarbe zu wählen'
      BevelOuter = bvLowered
      Caption = ''
      Color = clWhite
      TabOrder = 0
      OnClick = BackPanelClick
      object lbHTMLDefaultText: TLabel
        Left = 15
        Top = 7
        Width = 73
        Height = 16
        Hint = 'Hier klicken, um die Farbe des Standardtexts zu wählen'
        Caption = 'Standardtext'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        ParentFont = False
        Tag = 1
        OnClick = lbHTMLDefaultTextClick
      end
      object Panel2: TPanel
        Left = 6
        Top = 23
        Width = 298
        Height = 140
        BevelOuter = bvNone
        Caption = ''
        ParentColor = True
        TabOrder = 0
        object ColHead1: TPanel
          Left = 7
          Top = 8
          Width = 77
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der Kopfzeile zu wählen'
          BevelOuter = bvLowered
          Color = 16744576
          TabOrder = 0
          OnClick = ColHead1Click
          object Head1: TLabel
            Left = 21
            Top = 4
            Width = 31
            Height = 17
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Kopfzeile zu ändern'
            Caption = 'Nr.'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = [fsBold]
            ParentFont = False
            OnClick = Head3Click
          end
        end
        object ColHead2: TPanel
          Left = 84
          Top = 8
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der Kopfzeile zu wählen'
          BevelOuter = bvLowered
          Color = 16744576
          TabOrder = 1
          OnClick = ColHead1Click
          object Head2: TLabel
            Left = 32
            Top = 4
            Width = 40
            Height = 17
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Kopfzeile zu ändern'
            Caption = 'Name'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = [fsBold]
            ParentFont = False
            OnClick = Head3Click
          end
        end
        object ColHead3: TPanel
          Left = 189
          Top = 8
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der Kopfzeile zu wählen'
          BevelOuter = bvLowered
          Color = 16744576
          TabOrder = 2
          OnClick = ColHead1Click
          object Head3: TLabel
            Left = 38
            Top = 3
            Width = 28
            Height = 17
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Kopfzeile zu ändern'
            Caption = 'Alter'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = [fsBold]
            ParentFont = False
            OnClick = Head3Click
          end
        end
        object Row1: TPanel
          Left = 7
          Top = 33
          Width = 77
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der ungeraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8454143
          TabOrder = 3
          OnClick = Row1Click
          object Data1: TLabel
            Left = 1
            Top = 1
            Width = 12
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' 1'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object Row2: TPanel
          Left = 84
          Top = 33
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der ungeraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8454143
          TabOrder = 4
          OnClick = Row1Click
          object Data5: TLabel
            Left = 1
            Top = 1
            Width = 37
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' John'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object Row3: TPanel
          Left = 189
          Top = 33
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der ungeraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8454143
          TabOrder = 5
          OnClick = Row1Click
          object Data9: TLabel
            Left = 1
            Top = 1
            Width = 20
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' 34'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object OddRow1: TPanel
          Left = 7
          Top = 58
          Width = 77
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der geraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8421631
          TabOrder = 6
          OnClick = OddRow1Click
          object Data2: TLabel
            Left = 1
            Top = 1
            Width = 12
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' 2'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object OddRow2: TPanel
          Left = 84
          Top = 58
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der geraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8421631
          TabOrder = 7
          OnClick = OddRow1Click
          object Data6: TLabel
            Left = 1
            Top = 1
            Width = 66
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' Marcella'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object OddRow3: TPanel
          Left = 189
          Top = 58
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der geraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8421631
          TabOrder = 8
          OnClick = OddRow1Click
          object Data10: TLabel
            Left = 1
            Top = 1
            Width = 20
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' 27'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object Row4: TPanel
          Left = 7
          Top = 83
          Width = 77
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der ungeraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8454143
          TabOrder = 9
          OnClick = Row1Click
          object Data3: TLabel
            Left = 1
            Top = 1
            Width = 12
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' 3'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object Row5: TPanel
          Left = 84
          Top = 83
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der ungeraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8454143
          TabOrder = 10
          OnClick = Row1Click
          object Data7: TLabel
            Left = 1
            Top = 1
            Width = 34
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' Alex'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object Row6: TPanel
          Left = 189
          Top = 83
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der ungeraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8454143
          TabOrder = 11
          OnClick = Row1Click
          object Data11: TLabel
            Left = 1
            Top = 1
            Width = 20
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' 25'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object OddRow4: TPanel
          Left = 7
          Top = 108
          Width = 77
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der geraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8421631
          TabOrder = 12
          OnClick = OddRow1Click
          object Data4: TLabel
            Left = 1
            Top = 1
            Width = 12
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' 4'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object OddRow5: TPanel
          Left = 84
          Top = 108
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der geraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8421631
          TabOrder = 13
          OnClick = OddRow1Click
          object Data8: TLabel
            Left = 1
            Top = 1
            Width = 37
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' Julia'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
        object OddRow6: TPanel
          Left = 189
          Top = 108
          Width = 105
          Height = 25
          Cursor = crHandPoint
          Hint = 'Hier klicken, um die Farbe der geraden Zeilen zu ändern'
          BevelOuter = bvLowered
          Color = 8421631
          TabOrder = 14
          OnClick = OddRow1Click
          object Data12: TLabel
            Left = 1
            Top = 1
            Width = 20
            Height = 23
            Cursor = crHandPoint
            Hint = 'Hier klicken, um die Schrift der Tabelle zu ändern'
            Align = alLeft
            Caption = ' 48'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clWindowText
            Font.Height = -15
            Font.Name = 'Arial'
            Font.Style = []
            ParentFont = False
            Layout = tlCenter
            OnClick = Data1Click
          end
        end
      end
      object lbHTMLLink: TLabel
        Left = 10
        Top = 174
        Width = 96
        Height = 16
        Hint = 'Hier klicken, um die Farbe nicht besuchter Links zu wählen'
        Caption = 'Link'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        ParentFont = False
        Tag = 11
        OnClick = lbHTMLDefaultTextClick
      end
      object lbHTMLVLink: TLabel
        Left = 100
        Top = 174
        Width = 70
        Height = 16
        Hint = 'Hier klicken, um die Farbe besuchter Links zu wählen'
        Caption = 'Besuchter Link'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        ParentFont = False
        Tag = 12
        OnClick = lbHTMLDefaultTextClick
      end
      object lbHTMLALink: TLabel
        Left = 220
        Top = 174
        Width = 66
        Height = 16
        Hint = 'Hier klicken, um die Farbe aktiver Links zu wählen'
        Caption = 'Aktiver Link'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        ParentFont = False
        Tag = 13
        OnClick = lbHTMLDefaultTextClick
      end
    end
    object cbxTemplate: TComboBox
      Left = 320
      Top = 32
      Width = 120
      Height = 21
      Style = csDropDownList
      TabOrder = 1
      OnChange = cbxTemplateChange
    end
    object btSaveTemplate: TButton
      Left = 320
      Top = 58
      Width = 120
      Height = 24
      Caption = 'Vorlage &speichern...'
      TabOrder = 2
      OnClick = btSaveTemplateClick
    end
    object btLoadTemplate: TButton
      Left = 320
      Top = 86
      Width = 120
      Height = 24
      Caption = 'Vorlage &laden...'
      TabOrder = 3
      OnClick = btLoadTemplateClick
    end
  end
  object ColorDialog: TColorDialog
  end
  object sdTemplate: TSaveDialog
    DefaultExt = 'htf'
    Filter = 'HTML-Vorlagendatei (*.htf)|*.htf'
    Title = 'Als HTML-Vorlage speichern'
  end
  object odTemplate: TOpenDialog
    DefaultExt = 'htf'
    Filter = 'HTML-Vorlagendatei (*.htf)|*.htf'
    Title = 'HTML-Vorlage laden'
  end
end
