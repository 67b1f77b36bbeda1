-- The program's fixed login, from this machine only. SHUTDOWN lets it stop the
-- server at exit; the upgrade at start alters tables.
CREATE USER IF NOT EXISTS 'orvik'@'127.0.0.1' IDENTIFIED BY 'tovelrudam';
GRANT SHUTDOWN ON *.* TO 'orvik'@'127.0.0.1';
GRANT ALL PRIVILEGES ON asigurati.* TO 'orvik'@'127.0.0.1';
GRANT ALL PRIVILEGES ON concedii.* TO 'orvik'@'127.0.0.1';
GRANT ALL PRIVILEGES ON nomenc.* TO 'orvik'@'127.0.0.1';
FLUSH PRIVILEGES;
