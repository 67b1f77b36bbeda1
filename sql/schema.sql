-- Databases of a new installation at schema version 2.08.
-- Every column has a neutral default: strict mode refuses inserts that omit
-- a column without one. Every table edited through the guarded operations has
-- `index`, `ZZ_CONT`, `ZZ_DATA` and a change-log twin zlog_<table>.
-- The keys a join reaches a table through hold every column the joins read
-- from it: the optimizer then never prefers a scan with a join buffer, even
-- when the table's statistics are stale after bulk work.

CREATE DATABASE IF NOT EXISTS asigurati DEFAULT CHARACTER SET latin1;
CREATE DATABASE IF NOT EXISTS concedii DEFAULT CHARACTER SET latin1;
CREATE DATABASE IF NOT EXISTS nomenc DEFAULT CHARACTER SET latin1;

CREATE TABLE asigurati.setari (
  `index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  `denumire` VARCHAR(50) NOT NULL DEFAULT '',
  `setare` VARCHAR(255) NOT NULL DEFAULT '',
  `ZZ_CONT` VARCHAR(50) NOT NULL DEFAULT '',
  `ZZ_DATA` TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE asigurati.cas (
  `cas` VARCHAR(6) NOT NULL DEFAULT '',
  `denumire` VARCHAR(100) NOT NULL DEFAULT '',
  KEY `cas` (`cas`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE asigurati.societati (
  `index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  `cf` BIGINT NOT NULL DEFAULT 0,
  `denumire` VARCHAR(255) NOT NULL DEFAULT '',
  `reg_com` VARCHAR(50) NOT NULL DEFAULT '',
  `repr` VARCHAR(255) NOT NULL DEFAULT '',
  `ziua_lic` VARCHAR(2) NOT NULL DEFAULT '',
  `luna_lic` TINYINT NOT NULL DEFAULT 0,
  `LOC` VARCHAR(100) NOT NULL DEFAULT '',
  `STR` VARCHAR(100) NOT NULL DEFAULT '',
  `NR` VARCHAR(10) NOT NULL DEFAULT '',
  `BL` VARCHAR(10) NOT NULL DEFAULT '',
  `SC` VARCHAR(10) NOT NULL DEFAULT '',
  `ET` VARCHAR(10) NOT NULL DEFAULT '',
  `AP` VARCHAR(10) NOT NULL DEFAULT '',
  `TEL` VARCHAR(50) NOT NULL DEFAULT '',
  `JUD` VARCHAR(2) NOT NULL DEFAULT '',
  `SECT` MEDIUMINT NOT NULL DEFAULT 0,
  `EMAIL` VARCHAR(50) NOT NULL DEFAULT '',
  `B1` VARCHAR(100) NOT NULL DEFAULT '',
  `F1` VARCHAR(100) NOT NULL DEFAULT '',
  `C1` VARCHAR(24) NOT NULL DEFAULT '',
  `B2` VARCHAR(100) NOT NULL DEFAULT '',
  `F2` VARCHAR(100) NOT NULL DEFAULT '',
  `C2` VARCHAR(24) NOT NULL DEFAULT '',
  `ZZ_CONT` VARCHAR(50) NOT NULL DEFAULT '',
  `ZZ_DATA` TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP,
  KEY `cf` (`cf`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE asigurati.asigurati (
  `index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  `cf` BIGINT NOT NULL DEFAULT 0,
  `cas` VARCHAR(6) NOT NULL DEFAULT '',
  `nume` VARCHAR(50) NOT NULL DEFAULT '',
  `prenume` VARCHAR(50) NOT NULL DEFAULT '',
  `cnp` BIGINT NOT NULL DEFAULT 0,
  `forma` VARCHAR(3) NOT NULL DEFAULT '',
  `intrare` INT NOT NULL DEFAULT 0,
  `iesire` INT NOT NULL DEFAULT 0,
  `ZZ_CONT` VARCHAR(50) NOT NULL DEFAULT '',
  `ZZ_DATA` TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP,
  KEY `cf_cnp` (`cf`, `cnp`),
  KEY `cnp` (`cnp`, `iesire`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE asigurati.coasigurati (
  `index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  `cf` BIGINT NOT NULL DEFAULT 0,
  `cnp_asig` BIGINT NOT NULL DEFAULT 0,
  `cnp` BIGINT NOT NULL DEFAULT 0,
  `nume` VARCHAR(50) NOT NULL DEFAULT '',
  `prenume` VARCHAR(50) NOT NULL DEFAULT '',
  `tip` VARCHAR(1) NOT NULL DEFAULT '',
  `ZZ_CONT` VARCHAR(50) NOT NULL DEFAULT '',
  `ZZ_DATA` TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP,
  KEY `cnp_asig` (`cnp_asig`, `cnp`, `nume`, `prenume`, `tip`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE asigurati.sume (
  `id_cnp` MEDIUMINT NOT NULL DEFAULT 0,
  `index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  `cf` BIGINT NOT NULL DEFAULT 0,
  `cnp` BIGINT NOT NULL DEFAULT 0,
  `luna` INT NOT NULL DEFAULT 0,
  `salariu` DOUBLE NOT NULL DEFAULT 0,
  `asig_datorat` DOUBLE NOT NULL DEFAULT 0,
  `asig_virat` DOUBLE NOT NULL DEFAULT 0,
  `ang_datorat` DOUBLE NOT NULL DEFAULT 0,
  `ang_virat` DOUBLE NOT NULL DEFAULT 0,
  `ZZ_CONT` VARCHAR(50) NOT NULL DEFAULT '',
  `ZZ_DATA` TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP,
  KEY `id_cnp_luna` (`id_cnp`, `luna`, `salariu`, `asig_datorat`, `asig_virat`),
  KEY `cf_luna` (`cf`, `luna`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE asigurati.sume_societati (
  `index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  `cf` BIGINT NOT NULL DEFAULT 0,
  `luna` INT NOT NULL DEFAULT 0,
  `fond_de_salarii` DOUBLE NOT NULL DEFAULT 0,
  `datorat` DOUBLE NOT NULL DEFAULT 0,
  `virat` DOUBLE NOT NULL DEFAULT 0,
  `ZZ_CONT` VARCHAR(50) NOT NULL DEFAULT '',
  `ZZ_DATA` TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP,
  KEY `cf_luna` (`cf`, `luna`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE concedii.declaratii (
  `index` MEDIUMINT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  `cf` DOUBLE NOT NULL DEFAULT '0' COMMENT 'CUI',
  `luna` INT NOT NULL DEFAULT 0,
  `rectificativa` VARCHAR(2) NOT NULL DEFAULT '',
  `rectif_nr` INT NOT NULL DEFAULT 0,
  `zile_lucratoare` INT NOT NULL DEFAULT 0,
  `nr_ang` DOUBLE NOT NULL DEFAULT '0' COMMENT 'NR_ANGAJ',
  `salariul_minim` DOUBLE NOT NULL DEFAULT 0,
  `fond_de_salarii` DOUBLE NOT NULL DEFAULT '0' COMMENT 'TOT_SAL_BR',
  `contributii_datorate` DOUBLE NOT NULL DEFAULT '0' COMMENT 'TOT_CONTRI',
  `faambp` DOUBLE NOT NULL DEFAULT '0' COMMENT 'FAAMBP',
  `faambp_datorat` DOUBLE NOT NULL DEFAULT '0' COMMENT 'C_FAAMBP',
  `suma_de_recuperat` DOUBLE NOT NULL DEFAULT 0,
  `de_recuperat_anterior` DOUBLE NOT NULL DEFAULT '0' COMMENT 'TOT_ANTER',
  `de_recuperat_luna_curenta` DOUBLE NOT NULL DEFAULT 0,
  `suma_de_virat` DOUBLE NOT NULL DEFAULT '0' COMMENT 'FOND_CONTR',
  `ZZ_CONT` VARCHAR(50) NOT NULL DEFAULT '',
  `ZZ_DATA` TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP,
  KEY `cf_luna` (`cf`, `luna`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE concedii.concedii (
  `index` INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  `id_declaratie` INT NOT NULL DEFAULT 0,
  `cf` DOUBLE NOT NULL DEFAULT 0,
  `cnp` DOUBLE NOT NULL DEFAULT 0,
  `cnp_copil` DOUBLE NOT NULL DEFAULT 0,
  `nume` VARCHAR(50) NOT NULL DEFAULT '',
  `prenume` VARCHAR(50) CHARACTER SET utf8 COLLATE utf8_unicode_ci NOT NULL DEFAULT '',
  `cas` VARCHAR(6) CHARACTER SET latin1 COLLATE latin1_swedish_ci NOT NULL DEFAULT '',
  `a` VARCHAR(1) NOT NULL DEFAULT '',
  `m` VARCHAR(1) NOT NULL DEFAULT '',
  `s` VARCHAR(1) NOT NULL DEFAULT '',
  `tip_rectif` VARCHAR(1) NOT NULL DEFAULT '',
  `cert_serie` VARCHAR(10) NOT NULL DEFAULT '',
  `cert_numar` VARCHAR(10) NOT NULL DEFAULT '',
  `cert_init_serie` VARCHAR(10) NOT NULL DEFAULT '',
  `cert_init_numar` VARCHAR(10) NOT NULL DEFAULT '',
  `cod_indemn` VARCHAR(2) NOT NULL DEFAULT '',
  `zile_lucratoare` INT NOT NULL DEFAULT 0,
  `zile_lucrate` INT NOT NULL DEFAULT 0,
  `zile_prestatii` INT NOT NULL DEFAULT 0,
  `zile_prestatii_ang` INT NOT NULL DEFAULT 0,
  `zile_suportate_fnuass` INT NOT NULL DEFAULT 0,
  `suma_suportata_fnuass` DOUBLE NOT NULL DEFAULT 0,
  `suma_suportata_ang` DOUBLE NOT NULL DEFAULT 0,
  `cod_urg` VARCHAR(3) NOT NULL DEFAULT '',
  `cod_contag` VARCHAR(2) NOT NULL DEFAULT '',
  `data_acordarii` DATE NOT NULL DEFAULT '0000-00-00',
  `data_inc` DATE NOT NULL DEFAULT '0000-00-00',
  `data_sf` DATE NOT NULL DEFAULT '0000-00-00',
  `loc_pres` INT NOT NULL DEFAULT 0,
  `baza_calc` INT NOT NULL DEFAULT 0,
  `ZI_BZ_CALC` INT NOT NULL DEFAULT 0,
  `mzbci` DOUBLE NOT NULL DEFAULT 0,
  `me_nr` VARCHAR(10) NOT NULL DEFAULT '',
  `venit_prin_reducere` DOUBLE NOT NULL DEFAULT 0,
  `ZZ_CONT` VARCHAR(50) NOT NULL DEFAULT '',
  `ZZ_DATA` TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP,
  KEY `id_declaratie` (`id_declaratie`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE nomenc.salarii_minime (
  `zi_start` DATE NOT NULL DEFAULT '0000-00-00',
  `zi_stop` DATE NOT NULL DEFAULT '0000-00-00',
  `salariu` DOUBLE NOT NULL DEFAULT 0,
  `legiferare` VARCHAR(255) NOT NULL DEFAULT '',
  KEY `zi_start` (`zi_start`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE nomenc.siui_sickleaveindemnizations (
  `code` VARCHAR(2) NOT NULL DEFAULT '',
  `description` VARCHAR(255) NOT NULL DEFAULT '',
  `percent` DOUBLE NOT NULL DEFAULT 0,
  PRIMARY KEY (`code`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE nomenc.siui_infectocontagiousdiseases (
  `code` VARCHAR(2) NOT NULL DEFAULT '',
  `description` VARCHAR(255) NOT NULL DEFAULT '',
  PRIMARY KEY (`code`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE nomenc.siui_medicochirurgicalemergencies (
  `code` VARCHAR(3) NOT NULL DEFAULT '',
  `description` VARCHAR(255) NOT NULL DEFAULT '',
  PRIMARY KEY (`code`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE nomenc.zile_de_sarbatori_legale (
  `ziua` DATE NOT NULL DEFAULT '0000-00-00',
  `legiferare` VARCHAR(255) NOT NULL DEFAULT '',
  `descriere` VARCHAR(255) NOT NULL DEFAULT '',
  UNIQUE KEY `ziua` (`ziua`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;
