object fmMain: TfmMain
  Left = -12
  Color = $00FF8080
  Scale = 1.5e2
  Caption = 'It''s'#13#10'two' +
    ' lines'#$41#8364
  Visible = False
  Font.Style = [fsBold, fsItalic]
  Anchors = []
  Items.Strings = (
    'a'
    'b')
  Data = {
    0A0b FF}
  Columns = <
    item
      Width = 3
    end>
  object Panel1: TPanel
    inline Frame1: TFrame1
      inherited Button1: TButton
        Tag = -9223372036854775808
      end
    end
  end
  object TTimer
  end
end
