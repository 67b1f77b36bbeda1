-- The program's login, from this machine only, with the installation's own
-- password: the caller sets @orvik_password (the text it writes into
-- server/bin/client.cnf). Without it the statement fails and nothing is made.
-- SHUTDOWN lets it stop the server at exit; the upgrade at start alters tables.
EXECUTE IMMEDIATE CONCAT('CREATE USER IF NOT EXISTS ''orvik''@''127.0.0.1'' IDENTIFIED BY ',
                         QUOTE(@orvik_password));
GRANT SHUTDOWN ON *.* TO 'orvik'@'127.0.0.1';
GRANT ALL PRIVILEGES ON asigurati.* TO 'orvik'@'127.0.0.1';
GRANT ALL PRIVILEGES ON concedii.* TO 'orvik'@'127.0.0.1';
GRANT ALL PRIVILEGES ON nomenc.* TO 'orvik'@'127.0.0.1';
FLUSH PRIVILEGES;
