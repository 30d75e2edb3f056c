-- The Tabloom sample data source: a small bookshop. It carries what a
-- catalogue browser and a dictionary writer meet in real databases: primary
-- keys of one and more columns, unique and non-unique indexes (one
-- descending), single- and two-column foreign keys, a view, names with blanks
-- and hyphens, and columns of many declared types.
PRAGMA foreign_keys = ON;
BEGIN;

CREATE TABLE customers (
    customer_id   INTEGER PRIMARY KEY,
    name          NVARCHAR(70) NOT NULL,
    email         VARCHAR(120) UNIQUE,
    city          CHAR(30),
    credit_limit  NUMERIC(10,2) NOT NULL DEFAULT 0,
    active        BIT NOT NULL DEFAULT 1,
    notes         TEXT,
    created       DATETIME NOT NULL
);
CREATE INDEX customers_by_city ON customers (city, name);

CREATE TABLE products (
    product_id    INTEGER PRIMARY KEY,
    "product-code" CHAR(12) NOT NULL,
    title         VARCHAR(100) NOT NULL,
    price         NUMERIC(9,2) NOT NULL,
    weight_kg     REAL,
    cover         BLOB,
    discontinued  BIT NOT NULL DEFAULT 0,
    added         TIMESTAMP NOT NULL
);
CREATE UNIQUE INDEX "products by code" ON products ("product-code");
CREATE INDEX products_by_price ON products (price DESC);

CREATE TABLE orders (
    order_id      INTEGER PRIMARY KEY,
    customer_id   INTEGER NOT NULL REFERENCES customers (customer_id),
    ordered_at    TIMESTAMP NOT NULL,
    shipped_on    DATE,
    total         NUMERIC(12,2) NOT NULL DEFAULT 0
);
CREATE INDEX orders_by_customer ON orders (customer_id);

CREATE TABLE "order lines" (
    order_id      INTEGER NOT NULL REFERENCES orders (order_id),
    line_no       SMALLINT NOT NULL,
    product_id    INTEGER NOT NULL REFERENCES products (product_id),
    quantity      INTEGER NOT NULL,
    unit_price    NUMERIC(9,2) NOT NULL,
    PRIMARY KEY (order_id, line_no)
);

CREATE TABLE warehouses (
    warehouse_code CHAR(5) NOT NULL,
    bin_no        INTEGER NOT NULL,
    description   VARCHAR(60),
    PRIMARY KEY (warehouse_code, bin_no)
);

CREATE TABLE "stock-levels" (
    product_id    INTEGER NOT NULL REFERENCES products (product_id),
    warehouse_code CHAR(5) NOT NULL,
    bin_no        INTEGER NOT NULL,
    quantity      INTEGER NOT NULL DEFAULT 0,
    counted_at    DATETIME,
    PRIMARY KEY (product_id, warehouse_code, bin_no),
    FOREIGN KEY (warehouse_code, bin_no) REFERENCES warehouses (warehouse_code, bin_no)
);

CREATE VIEW "open orders" AS
    SELECT o.order_id, c.name AS customer, o.ordered_at, o.total
    FROM orders o JOIN customers c ON c.customer_id = o.customer_id
    WHERE o.shipped_on IS NULL;

INSERT INTO customers VALUES
    (1, 'Ada Lovelace', 'ada@example.org', 'London', 500.00, 1, 'Prefers first editions.', '2023-01-09 10:15:00'),
    (2, 'Jürgen Müller', 'jm@example.de', 'Köln', 250.50, 1, NULL, '2023-02-14 16:40:00'),
    (3, 'Zoë Dupré', NULL, 'Lyon', 0, 0, 'Account closed.', '2023-03-01 09:00:00'),
    (4, 'Kwame Mensah', 'kwame@example.com', 'Accra', 1200.00, 1, NULL, '2023-05-22 12:30:00');

INSERT INTO products VALUES
    (1, 'BK-0001', 'The Analytical Engine', 24.90, 0.45, X'89504E470D0A1A0A', 0, '2022-11-01 08:00:00'),
    (2, 'BK-0002', 'Notes on Difference Engines', 12.50, 0.30, NULL, 0, '2022-11-01 08:00:00'),
    (3, 'BK-0003', 'Große Rechenmaschinen', 39.00, 0.80, NULL, 1, '2022-12-12 14:20:00'),
    (4, 'MAP-0100', 'Atlas of Old Trade Routes', 55.00, 1.75, NULL, 0, '2023-04-03 11:11:00');

INSERT INTO orders VALUES
    (1001, 1, '2023-06-01 09:30:00', '2023-06-03', 49.80),
    (1002, 2, '2023-06-02 15:05:00', NULL, 51.50),
    (1003, 4, '2023-06-05 10:00:00', NULL, 110.00);

INSERT INTO "order lines" VALUES
    (1001, 1, 1, 2, 24.90),
    (1002, 1, 2, 1, 12.50),
    (1002, 2, 3, 1, 39.00),
    (1003, 1, 4, 2, 55.00);

INSERT INTO warehouses VALUES
    ('NORTH', 1, 'North hall, shelf A'),
    ('NORTH', 2, 'North hall, shelf B'),
    ('SOUTH', 1, 'South annex');

INSERT INTO "stock-levels" VALUES
    (1, 'NORTH', 1, 14, '2023-06-30 17:00:00'),
    (2, 'NORTH', 2, 3, '2023-06-30 17:00:00'),
    (3, 'SOUTH', 1, 0, NULL),
    (4, 'SOUTH', 1, 6, '2023-06-29 08:45:00');

COMMIT;
