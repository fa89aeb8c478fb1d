object Broken: TForm
  Caption = 'Broken'
  object WebOut TKHTMLExport
  end
end
