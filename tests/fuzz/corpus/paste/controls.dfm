object Panel2: TPanel
  Left = 8
  Top = 8
  Width = 200
  Height = 120
  Caption = 'Orders'
  object Label1: TLabel
    Left = 8
    Top = 8
    Caption = '&Kind'
    FocusControl = ComboBox1
  end
  object ComboBox1: TComboBox
    Left = 48
    Top = 8
    Style = csDropDownList
    Items.Strings = (
      'CSV'
      'HTML')
    ItemIndex = 1
  end
  object Button1: TButton
    Left = 8
    Top = 40
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
  object SpeedButton1: TSpeedButton
    Left = 96
    Top = 40
    Caption = '>>'
  end
  object Bevel2: TBevel
    Left = 8
    Top = 72
    Width = 180
    Height = 2
  end
end
object ColorDialog1: TColorDialog
  Color = clYellow
  Left = 240
  Top = 8
end
object OpenDialog1: TOpenDialog
  DefaultExt = 'html'
  Filter = 'HTML files (*.html)|*.html'
  Title = 'Template'
  Left = 272
  Top = 8
end
