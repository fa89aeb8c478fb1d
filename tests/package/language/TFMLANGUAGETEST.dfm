object fmLanguageTest: TfmLanguageTest
  Tag = 49
end
