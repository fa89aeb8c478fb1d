-- The small shop the main job's designer script exports from. scripts/run turns it into shop.db:
--   sqlite3 shop.db < examples/shop.sql
CREATE TABLE customers (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  city TEXT,
  email TEXT
);
INSERT INTO customers VALUES
  (1, 'Ada Brennan', 'Lisbon', 'ada@example.org'),
  (2, 'Tomas Varga', 'Szeged', 'tomas@example.org'),
  (3, 'Mirela Popa', 'Cluj', 'mirela@example.org'),
  (4, 'Jonas Eklund', 'Uppsala', NULL);

CREATE TABLE products (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  price REAL NOT NULL,
  stock INTEGER
);
INSERT INTO products VALUES
  (1, 'Teapot', 24.50, 12),
  (2, 'Cup', 6.00, 80),
  (3, 'Kettle', 39.90, 5),
  (4, 'Tray', 15.25, 0);

CREATE TABLE orders (
  id INTEGER PRIMARY KEY,
  customer_id INTEGER REFERENCES customers(id),
  product_id INTEGER REFERENCES products(id),
  quantity INTEGER NOT NULL,
  ordered DATETIME,
  note TEXT
);
INSERT INTO orders VALUES
  (1, 1, 1, 1, '2024-03-02 10:15:00', NULL),
  (2, 1, 2, 4, '2024-03-02 10:15:00', 'gift wrap'),
  (3, 2, 3, 1, '2024-03-05 16:40:00', NULL),
  (4, 3, 2, 6, '2024-03-09 09:05:00', 'deliver after 5 pm'),
  (5, 4, 4, 2, '2024-03-11 13:30:00', NULL);
