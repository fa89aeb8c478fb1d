object A: TKHTMLExport
  Name = 'B'
end
