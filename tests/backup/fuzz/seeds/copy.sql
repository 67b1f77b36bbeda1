/*M!999999\- enable the sandbox mode */ 

/*!40101 SET @OLD_CHARACTER_SET_CLIENT=@@CHARACTER_SET_CLIENT */;
/*!40101 SET @OLD_CHARACTER_SET_RESULTS=@@CHARACTER_SET_RESULTS */;
/*!40101 SET @OLD_COLLATION_CONNECTION=@@COLLATION_CONNECTION */;
/*!40101 SET NAMES latin1 */;
/*!40103 SET @OLD_TIME_ZONE=@@TIME_ZONE */;
/*!40103 SET TIME_ZONE='+00:00' */;
/*!40014 SET @OLD_UNIQUE_CHECKS=@@UNIQUE_CHECKS, UNIQUE_CHECKS=0 */;
/*!40014 SET @OLD_FOREIGN_KEY_CHECKS=@@FOREIGN_KEY_CHECKS, FOREIGN_KEY_CHECKS=0 */;
/*!40101 SET @OLD_SQL_MODE=@@SQL_MODE, SQL_MODE='NO_AUTO_VALUE_ON_ZERO' */;
/*!40111 SET @OLD_SQL_NOTES=@@SQL_NOTES, SQL_NOTES=0 */;

USE `asigurati`;
DROP TABLE IF EXISTS `asigurati`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `asigurati` (
  `index` int(11) NOT NULL AUTO_INCREMENT,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `cas` varchar(6) NOT NULL DEFAULT '',
  `nume` varchar(50) NOT NULL DEFAULT '',
  `prenume` varchar(50) NOT NULL DEFAULT '',
  `cnp` bigint(20) NOT NULL DEFAULT 0,
  `forma` varchar(3) NOT NULL DEFAULT '',
  `intrare` int(11) NOT NULL DEFAULT 0,
  `iesire` int(11) NOT NULL DEFAULT 0,
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (`index`),
  KEY `cf_cnp` (`cf`,`cnp`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `cas`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `cas` (
  `cas` varchar(6) NOT NULL DEFAULT '',
  `denumire` varchar(100) NOT NULL DEFAULT '',
  KEY `cas` (`cas`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
INSERT INTO `cas` VALUES
('CAS_B','_B - Bucuresti'),
('CAS_T','_T - Transporturilor'),
('CASVN','VN - Vrancea');
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `coasigurati`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `coasigurati` (
  `index` int(11) NOT NULL AUTO_INCREMENT,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `cnp_asig` bigint(20) NOT NULL DEFAULT 0,
  `cnp` bigint(20) NOT NULL DEFAULT 0,
  `nume` varchar(50) NOT NULL DEFAULT '',
  `prenume` varchar(50) NOT NULL DEFAULT '',
  `tip` varchar(1) NOT NULL DEFAULT '',
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (`index`),
  KEY `cnp_asig` (`cnp_asig`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `setari`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `setari` (
  `index` int(11) NOT NULL AUTO_INCREMENT,
  `denumire` varchar(50) NOT NULL DEFAULT '',
  `setare` varchar(255) NOT NULL DEFAULT '',
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (`index`)
) ENGINE=InnoDB AUTO_INCREMENT=2 DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
INSERT INTO `setari` VALUES
(1,'versiune','2.08','','2026-12-07 16:24:33');
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `societati`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `societati` (
  `index` int(11) NOT NULL AUTO_INCREMENT,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `denumire` varchar(255) NOT NULL DEFAULT '',
  `reg_com` varchar(50) NOT NULL DEFAULT '',
  `repr` varchar(255) NOT NULL DEFAULT '',
  `ziua_lic` varchar(2) NOT NULL DEFAULT '',
  `luna_lic` tinyint(4) NOT NULL DEFAULT 0,
  `LOC` varchar(100) NOT NULL DEFAULT '',
  `STR` varchar(100) NOT NULL DEFAULT '',
  `NR` varchar(10) NOT NULL DEFAULT '',
  `BL` varchar(10) NOT NULL DEFAULT '',
  `SC` varchar(10) NOT NULL DEFAULT '',
  `ET` varchar(10) NOT NULL DEFAULT '',
  `AP` varchar(10) NOT NULL DEFAULT '',
  `TEL` varchar(50) NOT NULL DEFAULT '',
  `JUD` varchar(2) NOT NULL DEFAULT '',
  `SECT` mediumint(9) NOT NULL DEFAULT 0,
  `EMAIL` varchar(50) NOT NULL DEFAULT '',
  `B1` varchar(100) NOT NULL DEFAULT '',
  `F1` varchar(100) NOT NULL DEFAULT '',
  `C1` varchar(24) NOT NULL DEFAULT '',
  `B2` varchar(100) NOT NULL DEFAULT '',
  `F2` varchar(100) NOT NULL DEFAULT '',
  `C2` varchar(24) NOT NULL DEFAULT '',
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (`index`),
  KEY `cf` (`cf`)
) ENGINE=InnoDB AUTO_INCREMENT=2 DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
INSERT INTO `societati` VALUES
(1,5,'a;b\\c\'d\nline2\r	','','x\0\Z\"','',0,'','','','','','','','','',0,'','','','','','','','','2026-12-07 16:29:23');
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `sume`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `sume` (
  `id_cnp` mediumint(9) NOT NULL DEFAULT 0,
  `index` int(11) NOT NULL AUTO_INCREMENT,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `cnp` bigint(20) NOT NULL DEFAULT 0,
  `luna` int(11) NOT NULL DEFAULT 0,
  `salariu` double NOT NULL DEFAULT 0,
  `asig_datorat` double NOT NULL DEFAULT 0,
  `asig_virat` double NOT NULL DEFAULT 0,
  `ang_datorat` double NOT NULL DEFAULT 0,
  `ang_virat` double NOT NULL DEFAULT 0,
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (`index`),
  KEY `id_cnp_luna` (`id_cnp`,`luna`),
  KEY `cf_luna` (`cf`,`luna`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `sume_societati`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `sume_societati` (
  `index` int(11) NOT NULL AUTO_INCREMENT,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `luna` int(11) NOT NULL DEFAULT 0,
  `fond_de_salarii` double NOT NULL DEFAULT 0,
  `datorat` double NOT NULL DEFAULT 0,
  `virat` double NOT NULL DEFAULT 0,
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (`index`),
  KEY `cf_luna` (`cf`,`luna`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `zlog_asigurati`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `zlog_asigurati` (
  `znew_index` int(11) NOT NULL AUTO_INCREMENT,
  `index` int(11) NOT NULL DEFAULT 0,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `cas` varchar(6) NOT NULL DEFAULT '',
  `nume` varchar(50) NOT NULL DEFAULT '',
  `prenume` varchar(50) NOT NULL DEFAULT '',
  `cnp` bigint(20) NOT NULL DEFAULT 0,
  `forma` varchar(3) NOT NULL DEFAULT '',
  `intrare` int(11) NOT NULL DEFAULT 0,
  `iesire` int(11) NOT NULL DEFAULT 0,
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  `znew_cont` varchar(50) NOT NULL DEFAULT '',
  `znew_op` char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (`znew_index`),
  KEY `cf_cnp` (`cf`,`cnp`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `zlog_coasigurati`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `zlog_coasigurati` (
  `znew_index` int(11) NOT NULL AUTO_INCREMENT,
  `index` int(11) NOT NULL DEFAULT 0,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `cnp_asig` bigint(20) NOT NULL DEFAULT 0,
  `cnp` bigint(20) NOT NULL DEFAULT 0,
  `nume` varchar(50) NOT NULL DEFAULT '',
  `prenume` varchar(50) NOT NULL DEFAULT '',
  `tip` varchar(1) NOT NULL DEFAULT '',
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  `znew_cont` varchar(50) NOT NULL DEFAULT '',
  `znew_op` char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (`znew_index`),
  KEY `cnp_asig` (`cnp_asig`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `zlog_setari`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `zlog_setari` (
  `znew_index` int(11) NOT NULL AUTO_INCREMENT,
  `index` int(11) NOT NULL DEFAULT 0,
  `denumire` varchar(50) NOT NULL DEFAULT '',
  `setare` varchar(255) NOT NULL DEFAULT '',
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  `znew_cont` varchar(50) NOT NULL DEFAULT '',
  `znew_op` char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (`znew_index`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `zlog_societati`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `zlog_societati` (
  `znew_index` int(11) NOT NULL AUTO_INCREMENT,
  `index` int(11) NOT NULL DEFAULT 0,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `denumire` varchar(255) NOT NULL DEFAULT '',
  `reg_com` varchar(50) NOT NULL DEFAULT '',
  `repr` varchar(255) NOT NULL DEFAULT '',
  `ziua_lic` varchar(2) NOT NULL DEFAULT '',
  `luna_lic` tinyint(4) NOT NULL DEFAULT 0,
  `LOC` varchar(100) NOT NULL DEFAULT '',
  `STR` varchar(100) NOT NULL DEFAULT '',
  `NR` varchar(10) NOT NULL DEFAULT '',
  `BL` varchar(10) NOT NULL DEFAULT '',
  `SC` varchar(10) NOT NULL DEFAULT '',
  `ET` varchar(10) NOT NULL DEFAULT '',
  `AP` varchar(10) NOT NULL DEFAULT '',
  `TEL` varchar(50) NOT NULL DEFAULT '',
  `JUD` varchar(2) NOT NULL DEFAULT '',
  `SECT` mediumint(9) NOT NULL DEFAULT 0,
  `EMAIL` varchar(50) NOT NULL DEFAULT '',
  `B1` varchar(100) NOT NULL DEFAULT '',
  `F1` varchar(100) NOT NULL DEFAULT '',
  `C1` varchar(24) NOT NULL DEFAULT '',
  `B2` varchar(100) NOT NULL DEFAULT '',
  `F2` varchar(100) NOT NULL DEFAULT '',
  `C2` varchar(24) NOT NULL DEFAULT '',
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  `znew_cont` varchar(50) NOT NULL DEFAULT '',
  `znew_op` char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (`znew_index`),
  KEY `cf` (`cf`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `zlog_sume`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `zlog_sume` (
  `znew_index` int(11) NOT NULL AUTO_INCREMENT,
  `id_cnp` mediumint(9) NOT NULL DEFAULT 0,
  `index` int(11) NOT NULL DEFAULT 0,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `cnp` bigint(20) NOT NULL DEFAULT 0,
  `luna` int(11) NOT NULL DEFAULT 0,
  `salariu` double NOT NULL DEFAULT 0,
  `asig_datorat` double NOT NULL DEFAULT 0,
  `asig_virat` double NOT NULL DEFAULT 0,
  `ang_datorat` double NOT NULL DEFAULT 0,
  `ang_virat` double NOT NULL DEFAULT 0,
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  `znew_cont` varchar(50) NOT NULL DEFAULT '',
  `znew_op` char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (`znew_index`),
  KEY `id_cnp_luna` (`id_cnp`,`luna`),
  KEY `cf_luna` (`cf`,`luna`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `zlog_sume_societati`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `zlog_sume_societati` (
  `znew_index` int(11) NOT NULL AUTO_INCREMENT,
  `index` int(11) NOT NULL DEFAULT 0,
  `cf` bigint(20) NOT NULL DEFAULT 0,
  `luna` int(11) NOT NULL DEFAULT 0,
  `fond_de_salarii` double NOT NULL DEFAULT 0,
  `datorat` double NOT NULL DEFAULT 0,
  `virat` double NOT NULL DEFAULT 0,
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  `znew_cont` varchar(50) NOT NULL DEFAULT '',
  `znew_op` char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (`znew_index`),
  KEY `cf_luna` (`cf`,`luna`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;

USE `concedii`;
DROP TABLE IF EXISTS `concedii`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `concedii` (
  `index` int(11) NOT NULL AUTO_INCREMENT,
  `id_declaratie` int(11) NOT NULL DEFAULT 0,
  `cf` double NOT NULL DEFAULT 0,
  `cnp` double NOT NULL DEFAULT 0,
  `cnp_copil` double NOT NULL DEFAULT 0,
  `nume` varchar(50) NOT NULL DEFAULT '',
  `prenume` varchar(50) CHARACTER SET utf8mb3 COLLATE utf8mb3_unicode_ci NOT NULL DEFAULT '',
  `cas` varchar(6) NOT NULL DEFAULT '',
  `a` varchar(1) NOT NULL DEFAULT '',
  `m` varchar(1) NOT NULL DEFAULT '',
  `s` varchar(1) NOT NULL DEFAULT '',
  `tip_rectif` varchar(1) NOT NULL DEFAULT '',
  `cert_serie` varchar(10) NOT NULL DEFAULT '',
  `cert_numar` varchar(10) NOT NULL DEFAULT '',
  `cert_init_serie` varchar(10) NOT NULL DEFAULT '',
  `cert_init_numar` varchar(10) NOT NULL DEFAULT '',
  `cod_indemn` varchar(2) NOT NULL DEFAULT '',
  `zile_lucratoare` int(11) NOT NULL DEFAULT 0,
  `zile_lucrate` int(11) NOT NULL DEFAULT 0,
  `zile_prestatii` int(11) NOT NULL DEFAULT 0,
  `zile_prestatii_ang` int(11) NOT NULL DEFAULT 0,
  `zile_suportate_fnuass` int(11) NOT NULL DEFAULT 0,
  `suma_suportata_fnuass` double NOT NULL DEFAULT 0,
  `suma_suportata_ang` double NOT NULL DEFAULT 0,
  `cod_urg` varchar(3) NOT NULL DEFAULT '',
  `cod_contag` varchar(2) NOT NULL DEFAULT '',
  `data_acordarii` date NOT NULL DEFAULT '0000-00-00',
  `data_inc` date NOT NULL DEFAULT '0000-00-00',
  `data_sf` date NOT NULL DEFAULT '0000-00-00',
  `loc_pres` int(11) NOT NULL DEFAULT 0,
  `baza_calc` int(11) NOT NULL DEFAULT 0,
  `ZI_BZ_CALC` int(11) NOT NULL DEFAULT 0,
  `mzbci` double NOT NULL DEFAULT 0,
  `me_nr` varchar(10) NOT NULL DEFAULT '',
  `venit_prin_reducere` double NOT NULL DEFAULT 0,
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (`index`),
  KEY `id_declaratie` (`id_declaratie`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `declaratii`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `declaratii` (
  `index` mediumint(9) NOT NULL AUTO_INCREMENT,
  `cf` double NOT NULL DEFAULT 0 COMMENT 'CUI',
  `luna` int(11) NOT NULL DEFAULT 0,
  `rectificativa` varchar(2) NOT NULL DEFAULT '',
  `rectif_nr` int(11) NOT NULL DEFAULT 0,
  `zile_lucratoare` int(11) NOT NULL DEFAULT 0,
  `nr_ang` double NOT NULL DEFAULT 0 COMMENT 'NR_ANGAJ',
  `salariul_minim` double NOT NULL DEFAULT 0,
  `fond_de_salarii` double NOT NULL DEFAULT 0 COMMENT 'TOT_SAL_BR',
  `contributii_datorate` double NOT NULL DEFAULT 0 COMMENT 'TOT_CONTRI',
  `faambp` double NOT NULL DEFAULT 0 COMMENT 'FAAMBP',
  `faambp_datorat` double NOT NULL DEFAULT 0 COMMENT 'C_FAAMBP',
  `suma_de_recuperat` double NOT NULL DEFAULT 0,
  `de_recuperat_anterior` double NOT NULL DEFAULT 0 COMMENT 'TOT_ANTER',
  `de_recuperat_luna_curenta` double NOT NULL DEFAULT 0,
  `suma_de_virat` double NOT NULL DEFAULT 0 COMMENT 'FOND_CONTR',
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (`index`),
  KEY `cf_luna` (`cf`,`luna`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `zlog_concedii`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `zlog_concedii` (
  `znew_index` int(11) NOT NULL AUTO_INCREMENT,
  `index` int(11) NOT NULL DEFAULT 0,
  `id_declaratie` int(11) NOT NULL DEFAULT 0,
  `cf` double NOT NULL DEFAULT 0,
  `cnp` double NOT NULL DEFAULT 0,
  `cnp_copil` double NOT NULL DEFAULT 0,
  `nume` varchar(50) NOT NULL DEFAULT '',
  `prenume` varchar(50) CHARACTER SET utf8mb3 COLLATE utf8mb3_unicode_ci NOT NULL DEFAULT '',
  `cas` varchar(6) NOT NULL DEFAULT '',
  `a` varchar(1) NOT NULL DEFAULT '',
  `m` varchar(1) NOT NULL DEFAULT '',
  `s` varchar(1) NOT NULL DEFAULT '',
  `tip_rectif` varchar(1) NOT NULL DEFAULT '',
  `cert_serie` varchar(10) NOT NULL DEFAULT '',
  `cert_numar` varchar(10) NOT NULL DEFAULT '',
  `cert_init_serie` varchar(10) NOT NULL DEFAULT '',
  `cert_init_numar` varchar(10) NOT NULL DEFAULT '',
  `cod_indemn` varchar(2) NOT NULL DEFAULT '',
  `zile_lucratoare` int(11) NOT NULL DEFAULT 0,
  `zile_lucrate` int(11) NOT NULL DEFAULT 0,
  `zile_prestatii` int(11) NOT NULL DEFAULT 0,
  `zile_prestatii_ang` int(11) NOT NULL DEFAULT 0,
  `zile_suportate_fnuass` int(11) NOT NULL DEFAULT 0,
  `suma_suportata_fnuass` double NOT NULL DEFAULT 0,
  `suma_suportata_ang` double NOT NULL DEFAULT 0,
  `cod_urg` varchar(3) NOT NULL DEFAULT '',
  `cod_contag` varchar(2) NOT NULL DEFAULT '',
  `data_acordarii` date NOT NULL DEFAULT '0000-00-00',
  `data_inc` date NOT NULL DEFAULT '0000-00-00',
  `data_sf` date NOT NULL DEFAULT '0000-00-00',
  `loc_pres` int(11) NOT NULL DEFAULT 0,
  `baza_calc` int(11) NOT NULL DEFAULT 0,
  `ZI_BZ_CALC` int(11) NOT NULL DEFAULT 0,
  `mzbci` double NOT NULL DEFAULT 0,
  `me_nr` varchar(10) NOT NULL DEFAULT '',
  `venit_prin_reducere` double NOT NULL DEFAULT 0,
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  `znew_cont` varchar(50) NOT NULL DEFAULT '',
  `znew_op` char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (`znew_index`),
  KEY `id_declaratie` (`id_declaratie`),
  KEY `cnp` (`cnp`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `zlog_declaratii`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `zlog_declaratii` (
  `znew_index` int(11) NOT NULL AUTO_INCREMENT,
  `index` int(11) NOT NULL DEFAULT 0,
  `cf` double NOT NULL DEFAULT 0 COMMENT 'CUI',
  `luna` int(11) NOT NULL DEFAULT 0,
  `rectificativa` varchar(2) NOT NULL DEFAULT '',
  `rectif_nr` int(11) NOT NULL DEFAULT 0,
  `zile_lucratoare` int(11) NOT NULL DEFAULT 0,
  `nr_ang` double NOT NULL DEFAULT 0 COMMENT 'NR_ANGAJ',
  `salariul_minim` double NOT NULL DEFAULT 0,
  `fond_de_salarii` double NOT NULL DEFAULT 0 COMMENT 'TOT_SAL_BR',
  `contributii_datorate` double NOT NULL DEFAULT 0 COMMENT 'TOT_CONTRI',
  `faambp` double NOT NULL DEFAULT 0 COMMENT 'FAAMBP',
  `faambp_datorat` double NOT NULL DEFAULT 0 COMMENT 'C_FAAMBP',
  `suma_de_recuperat` double NOT NULL DEFAULT 0,
  `de_recuperat_anterior` double NOT NULL DEFAULT 0 COMMENT 'TOT_ANTER',
  `de_recuperat_luna_curenta` double NOT NULL DEFAULT 0,
  `suma_de_virat` double NOT NULL DEFAULT 0 COMMENT 'FOND_CONTR',
  `ZZ_CONT` varchar(50) NOT NULL DEFAULT '',
  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),
  `znew_cont` varchar(50) NOT NULL DEFAULT '',
  `znew_op` char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (`znew_index`),
  KEY `cf_luna` (`cf`,`luna`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;

USE `nomenc`;
DROP TABLE IF EXISTS `salarii_minime`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `salarii_minime` (
  `zi_start` date NOT NULL DEFAULT '0000-00-00',
  `zi_stop` date NOT NULL DEFAULT '0000-00-00',
  `salariu` double NOT NULL DEFAULT 0,
  `legiferare` varchar(255) NOT NULL DEFAULT '',
  KEY `zi_start` (`zi_start`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
INSERT INTO `salarii_minime` VALUES
('2000-01-01','2000-01-31',45,'HG 296/1999 (de la 1999-05-01; abrogata si inlocuita prin HG 101/2000)'),
('2000-02-01','2000-11-30',70,'HG 101/2000 (NEVERIFICAT: valoare si data de start din memorie, textul actului negasit)'),
('2026-07-01','2026-12-31',4325,'HG 146/2026 (adoptata 12.03.2026; numar din surse secundare)');
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `siui_infectocontagiousdiseases`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `siui_infectocontagiousdiseases` (
  `code` varchar(2) NOT NULL DEFAULT '',
  `description` varchar(255) NOT NULL DEFAULT '',
  PRIMARY KEY (`code`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
INSERT INTO `siui_infectocontagiousdiseases` VALUES
('1','Amibiaza (dizenteria amibiana)'),
('10','Febra tifoida'),
('9','Febra recurenta');
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `siui_medicochirurgicalemergencies`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `siui_medicochirurgicalemergencies` (
  `code` varchar(3) NOT NULL DEFAULT '',
  `description` varchar(255) NOT NULL DEFAULT '',
  PRIMARY KEY (`code`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
INSERT INTO `siui_medicochirurgicalemergencies` VALUES
('1','Arsurile'),
('10','Artritele reactive in puseu acut'),
('99','Lupusul eritematos sistemic activ (cu manifestari renale, miocardice, seroase, vasculitice)');
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `siui_sickleaveindemnizations`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `siui_sickleaveindemnizations` (
  `code` varchar(2) NOT NULL DEFAULT '',
  `description` varchar(255) NOT NULL DEFAULT '',
  `percent` double NOT NULL DEFAULT 0,
  PRIMARY KEY (`code`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
INSERT INTO `siui_sickleaveindemnizations` VALUES
('01','Boala obisnuita si accidente in afara muncii',75),
('02','Accident in timpul deplasarii la/de la locul de munca',80),
('15','Risc maternal',75);
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
DROP TABLE IF EXISTS `zile_de_sarbatori_legale`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `zile_de_sarbatori_legale` (
  `ziua` date NOT NULL DEFAULT '0000-00-00',
  `legiferare` varchar(255) NOT NULL DEFAULT '',
  `descriere` varchar(255) NOT NULL DEFAULT '',
  UNIQUE KEY `ziua` (`ziua`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1 COLLATE=latin1_swedish_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;
INSERT INTO `zile_de_sarbatori_legale` VALUES
('2000-01-01','Legea 75/1996, art. 1','Anul Nou'),
('2000-01-02','Legea 75/1996, art. 1','A doua zi de Anul Nou'),
('2030-12-26','Legea 53/2003 Codul muncii (republicata 2011), art. 139 alin. (1)','A doua zi de Craciun');
COMMIT;
SET AUTOCOMMIT=@OLD_AUTOCOMMIT;
/*!40103 SET TIME_ZONE=@OLD_TIME_ZONE */;

/*!40101 SET SQL_MODE=@OLD_SQL_MODE */;
/*!40014 SET FOREIGN_KEY_CHECKS=@OLD_FOREIGN_KEY_CHECKS */;
/*!40014 SET UNIQUE_CHECKS=@OLD_UNIQUE_CHECKS */;
/*!40101 SET CHARACTER_SET_CLIENT=@OLD_CHARACTER_SET_CLIENT */;
/*!40101 SET CHARACTER_SET_RESULTS=@OLD_CHARACTER_SET_RESULTS */;
/*!40101 SET COLLATION_CONNECTION=@OLD_COLLATION_CONNECTION */;
/*!40111 SET SQL_NOTES=@OLD_SQL_NOTES */;

-- Orvik Asigurati sfarsitul copiei; societati 1

