-- Change-log twins: the columns of their table, `index` as a plain copy, and
-- their own key `znew_index` with the account and operation letter.
-- Kept apart from the tables so older databases get the same twins.
CREATE TABLE asigurati.zlog_setari LIKE asigurati.setari;
ALTER TABLE asigurati.zlog_setari MODIFY `index` INT NOT NULL DEFAULT 0, DROP PRIMARY KEY,
  ADD `znew_index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY FIRST,
  ADD `znew_cont` VARCHAR(50) NOT NULL DEFAULT '', ADD `znew_op` CHAR(1) NOT NULL DEFAULT '';
CREATE TABLE asigurati.zlog_societati LIKE asigurati.societati;
ALTER TABLE asigurati.zlog_societati MODIFY `index` INT NOT NULL DEFAULT 0, DROP PRIMARY KEY,
  ADD `znew_index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY FIRST,
  ADD `znew_cont` VARCHAR(50) NOT NULL DEFAULT '', ADD `znew_op` CHAR(1) NOT NULL DEFAULT '';
CREATE TABLE asigurati.zlog_asigurati LIKE asigurati.asigurati;
ALTER TABLE asigurati.zlog_asigurati MODIFY `index` INT NOT NULL DEFAULT 0, DROP PRIMARY KEY,
  ADD `znew_index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY FIRST,
  ADD `znew_cont` VARCHAR(50) NOT NULL DEFAULT '', ADD `znew_op` CHAR(1) NOT NULL DEFAULT '';
CREATE TABLE asigurati.zlog_coasigurati LIKE asigurati.coasigurati;
ALTER TABLE asigurati.zlog_coasigurati MODIFY `index` INT NOT NULL DEFAULT 0, DROP PRIMARY KEY,
  ADD `znew_index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY FIRST,
  ADD `znew_cont` VARCHAR(50) NOT NULL DEFAULT '', ADD `znew_op` CHAR(1) NOT NULL DEFAULT '';
CREATE TABLE asigurati.zlog_sume LIKE asigurati.sume;
ALTER TABLE asigurati.zlog_sume MODIFY `index` INT NOT NULL DEFAULT 0, DROP PRIMARY KEY,
  ADD `znew_index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY FIRST,
  ADD `znew_cont` VARCHAR(50) NOT NULL DEFAULT '', ADD `znew_op` CHAR(1) NOT NULL DEFAULT '';
CREATE TABLE asigurati.zlog_sume_societati LIKE asigurati.sume_societati;
ALTER TABLE asigurati.zlog_sume_societati MODIFY `index` INT NOT NULL DEFAULT 0, DROP PRIMARY KEY,
  ADD `znew_index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY FIRST,
  ADD `znew_cont` VARCHAR(50) NOT NULL DEFAULT '', ADD `znew_op` CHAR(1) NOT NULL DEFAULT '';
CREATE TABLE concedii.zlog_declaratii LIKE concedii.declaratii;
ALTER TABLE concedii.zlog_declaratii MODIFY `index` INT NOT NULL DEFAULT 0, DROP PRIMARY KEY,
  ADD `znew_index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY FIRST,
  ADD `znew_cont` VARCHAR(50) NOT NULL DEFAULT '', ADD `znew_op` CHAR(1) NOT NULL DEFAULT '';
CREATE TABLE concedii.zlog_concedii LIKE concedii.concedii;
ALTER TABLE concedii.zlog_concedii MODIFY `index` INT NOT NULL DEFAULT 0, DROP PRIMARY KEY,
  ADD `znew_index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY FIRST,
  ADD `znew_cont` VARCHAR(50) NOT NULL DEFAULT '', ADD `znew_op` CHAR(1) NOT NULL DEFAULT '';
