USE `asigurati`;
DROP TABLE IF EXISTS `cas`;
CREATE TABLE `cas` (
  `cas` varchar(6) NOT NULL DEFAULT '',
  PRIMARY KEY (`cas`)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;
INSERT INTO `cas` VALUES
('a\'; DROP DATABASE x; \! id','b'),
(1.5e-3,NULL);
\! id
/*!50001 CREATE TRIGGER t */;
-- Orvik Asigurati sfarsitul copiei; societati 0
