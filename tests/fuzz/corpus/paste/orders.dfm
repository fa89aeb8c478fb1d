object Orders: TSQLiteDataSet
  DatabaseName = 'shop.db'
  TableName = 'orders'
  Left = 24
  Top = 24
end
