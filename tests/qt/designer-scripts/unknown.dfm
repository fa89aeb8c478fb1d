object Shop: TForm
  Caption = 'Shop'
  object Web: TKHTMLExport
    FileName = 'orders.html'
    Colour = clRed
  end
  object Gone: TKNoSuchExport
    DataSet = Orders
  end
  object Xml: TKXMLExport
    HTMLOptions.LinkColor = clRed
    DataSet = Gone
  end
end
