// The statement filter of a restore, without a server: what the save writes
// passes, anything else refuses the whole copy naming its line.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "backup/Backup.h"
#include "backup/CopyFormat.h"
#include "backup/CopyReader.h"
#include "db/SchemaUpgrade.h"

namespace {

using namespace std::string_literals;

// A copy's text after its header as mariadb-dump writes it with the save's
// options, every program table with a row or two; `companies` rows go into
// societati. Tables in `skip` are left out.
std::string DumpText(const std::set<std::string>& skip = {}, int companies = 2) {
    std::string text =
        "/*M!999999\\- enable the sandbox mode */ \n\n"
        "/*!40101 SET @OLD_CHARACTER_SET_CLIENT=@@CHARACTER_SET_CLIENT */;\n"
        "/*!40101 SET NAMES latin1 */;\n"
        "/*!40101 SET @OLD_SQL_MODE=@@SQL_MODE, SQL_MODE='NO_AUTO_VALUE_ON_ZERO' */;\n\n";
    std::string database;
    for (const std::string& table : ProgramTables()) {
        if (skip.count(table)) continue;
        const std::string db = table.substr(0, table.find('.'));
        const std::string name = table.substr(db.size() + 1);
        if (db != database) text += "USE `" + db + "`;\n";
        database = db;
        text += "DROP TABLE IF EXISTS `" + name +
                "`;\n"
                "/*!40101 SET @saved_cs_client     = @@character_set_client */;\n"
                "/*!40101 SET character_set_client = utf8mb4 */;\n"
                "CREATE TABLE `" +
                name +
                "` (\n"
                "  `index` int(11) NOT NULL AUTO_INCREMENT,\n"
                "  `cf` bigint(20) NOT NULL DEFAULT 0,\n"
                "  `nume` varchar(50) CHARACTER SET utf8mb3 COLLATE utf8mb3_unicode_ci NOT NULL "
                "DEFAULT '',\n"
                "  `suma` double NOT NULL DEFAULT 0 COMMENT 'TOT_SAL_BR',\n"
                "  `ZZ_DATA` timestamp NOT NULL DEFAULT current_timestamp(),\n"
                "  PRIMARY KEY (`index`),\n"
                "  KEY `cf_nume` (`cf`,`nume`)\n"
                ") ENGINE=InnoDB AUTO_INCREMENT=3 DEFAULT CHARSET=latin1 "
                "COLLATE=latin1_swedish_ci;\n"
                "/*!40101 SET character_set_client = @saved_cs_client */;\n\n"
                "SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;\n";
        const int rows = table == "asigurati.societati" ? companies : 2;
        if (rows > 0) {
            text += "INSERT INTO `" + name + "` VALUES\n";
            for (int row = 1; row <= rows; ++row)
                text += "(" + std::to_string(row) +
                        ",-12,'O\\'Br;ien \\\\','1.5e-07',NULL,'2024-01-02 03:04:05')" +
                        (row == rows ? ";\n" : ",\n");
        }
        text += "COMMIT;\nSET AUTOCOMMIT=@OLD_AUTOCOMMIT;\n";
    }
    return text + "/*!40101 SET SQL_MODE=@OLD_SQL_MODE */;\n\n" + CopyTrailerLine(companies);
}

// Feeds the text line by line; the reader after the last line or the refusal.
struct Verdict {
    bool accepted = false;
    std::string refusal;
    long long companies = 0;
    std::size_t tables = 0;
};

Verdict Judge(const std::string& text, const std::string& version = kCurrentSchemaVersion) {
    CopyReader reader(version);
    std::size_t at = 0;
    bool fed = true;
    while (fed && at < text.size()) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        fed = reader.Feed(std::string_view(text).substr(at, end - at));
        at = end;
    }
    Verdict verdict;
    verdict.accepted = fed && reader.Finish();
    verdict.refusal = reader.Refusal();
    verdict.companies = reader.Companies();
    verdict.tables = reader.Tables().size();
    return verdict;
}

// The text with `lines` put in before the line holding `before`.
std::string Inserted(const std::string& text, const std::string& before, const std::string& lines) {
    const std::size_t at = text.find(before);
    EXPECT_NE(std::string::npos, at) << before;
    return text.substr(0, at) + lines + text.substr(at);
}

long long LineOf(const std::string& text, const std::string& what) {
    // +1 for the header, +1 counting from one.
    const std::size_t at = text.find(what);
    return 2 + std::count(text.begin(), text.begin() + static_cast<long>(at), '\n');
}

TEST(CopyReader, WhatTheSaveWritesIsAcceptedWithItsCompaniesAndTables) {
    const Verdict verdict = Judge(DumpText({}, 3));
    EXPECT_TRUE(verdict.accepted) << verdict.refusal;
    EXPECT_EQ(3, verdict.companies);
    EXPECT_EQ(ProgramTables().size(), verdict.tables);
    // The older one-line form of the rows, and values full of statement text.
    std::string text = DumpText({}, 0);
    text = Inserted(text, "COMMIT;\nSET AUTOCOMMIT=@OLD_AUTOCOMMIT;\nDROP TABLE IF EXISTS `cas`",
                    "INSERT INTO `asigurati` VALUES (1,'x\\'); DROP DATABASE concedii; -- '),"
                    "(2,'a''; \\\\! id #',-1.25,NULL),(3,'/*!50001 DROP DATABASE x*/ \\n "
                    "\\\\','\x80\xff\x01\x1a\"');\n");
    const Verdict quoted = Judge(text);
    EXPECT_TRUE(quoted.accepted) << quoted.refusal;
}

TEST(CopyReader, CommandsAndOtherStatementsRefuseTheWholeCopyNamingTheLine) {
    const std::string good = DumpText();
    const std::string at = "DROP TABLE IF EXISTS `sume`;";
    const char* hostile[] = {
        "\\! id > /tmp/orvik-pwned\n",
        "system id > /tmp/orvik-pwned\n",
        "source /etc/passwd\n",
        "\\. /tmp/x.sql\n",
        "delimiter ;;\n",
        "LOAD DATA LOCAL INFILE '/etc/shadow' INTO TABLE `setari`;\n",
        "CREATE TRIGGER `t` BEFORE INSERT ON `zcopie_sume` FOR EACH ROW SET NEW.salariu=1;\n",
        "CREATE PROCEDURE `p`() SELECT 1;\n",
        "CREATE FUNCTION `f`() RETURNS INT RETURN 1;\n",
        "CREATE VIEW `v` AS SELECT * FROM `mysql`.`user`;\n",
        "CREATE EVENT `e` ON SCHEDULE EVERY 1 SECOND DO DELETE FROM `sume`;\n",
        "CREATE USER `x`@`%`;\n",
        "GRANT ALL ON *.* TO `orvik`@`127.0.0.1`;\n",
        "DROP DATABASE `concedii`;\n",
        "DELETE FROM asigurati.sume;\n",
        "UPDATE `sume` SET salariu=1;\n",
        "ALTER TABLE `sume` ADD `x` int;\n",
        "USE `mysql`;\n",
        "DROP TABLE IF EXISTS `asigurati`.`sume`;\n",
        "/*!50001 DROP DATABASE concedii */;\n",
        "/*!40101 SET NAMES sjis */;\n",
        "/* a comment */ DROP DATABASE concedii;\n",
        "/*M!999999\\- enable the sandbox mode */ \n",  // only as the dump's first line
        "SET sql_mode='NO_BACKSLASH_ESCAPES';\n",
        "-- a comment\n",
        "# a comment\n",
        " COMMIT;\n",
        "COMMIT; DROP DATABASE concedii;\n",
        "-- Orvik Asigurati copie de siguranta; versiune 2.08; data 2024-01-01 00:00\n",
    };
    for (const char* line : hostile) {
        const std::string text = Inserted(good, at, line);
        const Verdict verdict = Judge(text);
        EXPECT_FALSE(verdict.accepted) << line;
        EXPECT_EQ(0u, verdict.refusal.find("linia " + std::to_string(LineOf(text, at) - 1) + " "))
            << line << verdict.refusal;
    }
}

TEST(CopyReader, RowsAndDefinitionsCannotSmuggleAStatement) {
    const std::string good = DumpText();
    const struct {
        std::string find, replace;
    } cases[] = {
        // the escape is undone by a second backslash: the quote ends the value
        {"(1,-12,'O\\'Br;ien", "(1,-12,'O\\\\'); DROP DATABASE concedii; ('"},
        {"(1,-12,", "(1,-12,'a'); DELETE FROM `sume`; INSERT INTO `cas` VALUES (2,"},
        {"(1,-12,", "(1,LOAD_FILE('/etc/passwd'),"},
        {"(1,-12,", "(1,@a:=1,"},
        {"(1,-12,", "(1,0x41,"},
        {"(1,-12,", "(1,-12,\\! id\n"},
        {"(1,-12,'O", "(1,-12,'a raw line break\n"},
        {"(1,-12,'O", "(1,-12,'a raw \0 byte"s},
        {"INSERT INTO `setari` VALUES\n", "INSERT INTO `asigurati`.`setari` VALUES\n"},
        {"INSERT INTO `setari` VALUES\n", "INSERT INTO `cas` VALUES\n"},
        {"INSERT INTO `setari` VALUES\n", "INSERT INTO `setari` SELECT * FROM `sume`;\n"},
        {"INSERT INTO `setari` VALUES\n", "REPLACE INTO `setari` VALUES\n"},
        {"  `cf` bigint(20)", "  `cf` int AS (LOAD_FILE('/etc/passwd')) STORED,\n  `x` bigint(20)"},
        {"  `cf` bigint(20)", "  `cf` int CHECK (1=1),\n  `x` bigint(20)"},
        {"  `cf` bigint(20)", "  `cf` int DEFAULT 1; DROP DATABASE concedii;\n  `x` bigint(20)"},
        {"  `cf` bigint(20)", "  `cf` int /*!50001 DEFAULT 1 */,\n  `x` bigint(20)"},
        {"  `cf` bigint(20)",
         "  CONSTRAINT `f` FOREIGN KEY (`cf`) REFERENCES `mysql`.`user`,\n"
         "  `x` bigint(20)"},
        {") ENGINE=InnoDB AUTO_INCREMENT=3",
         ") ENGINE=InnoDB DATA DIRECTORY='/tmp' AUTO_INCREMENT=3"},
        {") ENGINE=InnoDB AUTO_INCREMENT=3", ") ENGINE=CONNECT TABLE_TYPE=DOS AUTO_INCREMENT=3"},
        {") ENGINE=InnoDB AUTO_INCREMENT=3", ") ENGINE=InnoDB AS SELECT 1 AUTO_INCREMENT=3"},
        {"CREATE TABLE `setari` (",
         "CREATE TABLE `setari` LIKE `mysql`.`user`;\nCREATE TABLE `x` ("},
        {"CREATE TABLE `setari` (", "CREATE OR REPLACE TABLE `setari` ("},
        {"CREATE TABLE `setari` (", "CREATE TEMPORARY TABLE `setari` ("},
    };
    for (const auto& c : cases) {
        std::string text = good;
        const std::size_t at = text.find(c.find);
        ASSERT_NE(std::string::npos, at) << c.find;
        text.replace(at, c.find.size(), c.replace);
        const Verdict verdict = Judge(text);
        EXPECT_FALSE(verdict.accepted) << c.replace;
        EXPECT_EQ(0u, verdict.refusal.find("linia ")) << c.replace << ": " << verdict.refusal;
    }
}

TEST(CopyReader, TablesMustBeExactlyTheProgramsOnceEachWithOneTrailerAtTheEnd) {
    const std::string good = DumpText();
    const Verdict missing = Judge(DumpText({"asigurati.sume"}));
    EXPECT_FALSE(missing.accepted);
    EXPECT_EQ("copiei ii lipseste tabela asigurati.sume", missing.refusal);
    // An older version's copy may lack the change-log twins (the ladder makes
    // them), never a table of data.
    const std::set<std::string> twins = {"asigurati.zlog_sume", "concedii.zlog_concedii"};
    EXPECT_TRUE(Judge(DumpText(twins), "2.04").accepted) << Judge(DumpText(twins), "2.04").refusal;
    EXPECT_FALSE(Judge(DumpText(twins)).accepted);
    EXPECT_FALSE(Judge(DumpText({"nomenc.salarii_minime"}), "2.04").accepted);

    const std::string sume = good.substr(good.find("DROP TABLE IF EXISTS `sume`;"));
    const std::string twice =
        Inserted(good, "DROP TABLE IF EXISTS `sume`;",
                 sume.substr(0, sume.find("DROP TABLE IF EXISTS `sume_societati`")));
    EXPECT_NE(std::string::npos, Judge(twice).refusal.find("a doua oara tabela asigurati.sume"))
        << Judge(twice).refusal;
    for (const char* other : {"zcopie_sume", "zvechi_sume", "sume2", "user"}) {
        std::string extra = good;
        extra.replace(extra.find("CREATE TABLE `sume` ("), 21,
                      "CREATE TABLE `" + std::string(other) + "` (");
        EXPECT_NE(std::string::npos,
                  Judge(extra).refusal.find("tabela asigurati." + std::string(other) +
                                            ", care nu este a programului"))
            << other << ": " << Judge(extra).refusal;
    }
    const Verdict second = Judge(good + CopyTrailerLine(2));
    EXPECT_FALSE(second.accepted);
    EXPECT_NE(std::string::npos, second.refusal.find("urmeaza dupa sfarsitul copiei"));
    const Verdict early = Judge(Inserted(good, "USE `concedii`;", CopyTrailerLine(2)));
    EXPECT_FALSE(early.accepted);
    const Verdict count = Judge(good.substr(0, good.rfind("--")) + CopyTrailerLine(5));
    EXPECT_NE(std::string::npos, count.refusal.find("numarul de societati")) << count.refusal;
    const Verdict cut = Judge(good.substr(0, good.rfind("--")));
    EXPECT_FALSE(cut.accepted);
}

TEST(CopyReader, OverlongLinesAndStatementsAreRefused) {
    CopyReader line("2.08");
    EXPECT_TRUE(line.Feed("USE `asigurati`;\n"));
    EXPECT_FALSE(line.Feed(std::string(kMaxCopyLine + 1, '\n')));
    EXPECT_EQ("linia 3 este prea lunga", line.Refusal());

    CopyReader statement("2.08");
    for (const char* start :
         {"USE `asigurati`;\n", "CREATE TABLE `cas` (\n",
          "  `cas` varchar(6) NOT NULL DEFAULT '',\n", ") ENGINE=InnoDB DEFAULT CHARSET=latin1;\n",
          "INSERT INTO `cas` VALUES\n"})
        ASSERT_TRUE(statement.Feed(start)) << statement.Refusal();
    const std::string row = "('" + std::string(1 << 20, 'x') + "'),\n";
    bool fed = true;
    for (int i = 0; fed && i < 40; ++i) fed = statement.Feed(row);
    EXPECT_FALSE(fed);
    EXPECT_NE(std::string::npos, statement.Refusal().find("instructiunea este prea lunga"));
}

}  // namespace
