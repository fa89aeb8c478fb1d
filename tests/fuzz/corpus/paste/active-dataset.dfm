object D: TSQLiteDataSet
  DatabaseName = 'nope.db'
  TableName = 'orders'
  Active = True
end
