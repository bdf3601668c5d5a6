// Statement 1
SELECT id, name FROM customers WHERE active = 1
;
// Statement 2
UPDATE orders
SET status = 'shipped'
WHERE id = 42
;
// Statement 3
SELECT name FROM products WHERE name LIKE 'A%'
;
// Statement 4
DELETE FROM sessions WHERE expires < GETDATE()
;
// Statement 5
INSERT INTO audit (note) VALUES ('100% done')
;
