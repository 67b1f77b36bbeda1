// The lines a copy is recognised by, the table names moved aside for the
// load, and the companies counted on the way.
#include <gtest/gtest.h>

#include "backup/CopyFormat.h"
#include "db/SchemaUpgrade.h"

namespace {

TEST(CopyFormat, HeaderAndTrailerAreReadBackAndAnythingElseIsNotACopy) {
    const std::string header = CopyHeaderLine({"2.08", "2024-03-05 17:45"});
    const auto read = ParseCopyHeader(header);
    ASSERT_TRUE(read);
    EXPECT_EQ("2.08", read->version);
    EXPECT_EQ("2024-03-05 17:45", read->date);
    EXPECT_TRUE(
        ParseCopyHeader("-- Orvik Asigurati copie de siguranta; versiune 1.1 beta; data "
                        "2009-01-02 03:04\r\n"));
    for (const char* line :
         {"-- MariaDB dump 10.19", "", "-- Orvik Asigurati copie de siguranta; versiune 2.08",
          "-- Orvik Asigurati copie de siguranta; versiune 2.08; data 2024-3-5",
          "-- Orvik Asigurati copie de siguranta; versiune ; data 2024-03-05 17:45"})
        EXPECT_FALSE(ParseCopyHeader(line)) << line;

    EXPECT_EQ(100, ParseCopyTrailer(CopyTrailerLine(100)));
    EXPECT_EQ(0, ParseCopyTrailer(CopyTrailerLine(0)));
    for (const char* line : {"-- Orvik Asigurati sfarsitul copiei; societati ",
                             "-- Orvik Asigurati sfarsitul copiei; societati -1",
                             "-- Orvik Asigurati sfarsitul copiei; societati 12x", "COMMIT;"})
        EXPECT_FALSE(ParseCopyTrailer(line)) << line;
}

TEST(CopyFormat, OnlyStatementsNamingATableAreMovedUnderTheStagingPrefix) {
    EXPECT_EQ("DROP TABLE IF EXISTS `zcopie_societati`;",
              StageDumpLine("DROP TABLE IF EXISTS `societati`;"));
    EXPECT_EQ("CREATE TABLE `zcopie_zlog_sume` (", StageDumpLine("CREATE TABLE `zlog_sume` ("));
    EXPECT_EQ("INSERT INTO `zcopie_cas` VALUES\n", StageDumpLine("INSERT INTO `cas` VALUES\n"));
    // Rows, the database switch and settings stay as the dump wrote them, even
    // when a value looks like a statement.
    for (const char* line : {"USE `asigurati`;", "('INSERT INTO `cas` VALUES',1),",
                             "  `cf` bigint(20) NOT NULL DEFAULT 0,", "SET AUTOCOMMIT=0;",
                             " INSERT INTO `cas` VALUES"})
        EXPECT_EQ(line, StageDumpLine(line));
}

TEST(CopyFormat, PlainKeysAreAddedAfterTheRowsAndUniqueOnesStayInPlace) {
    DumpStager stager;
    std::string out;
    for (const char* line :
         {"USE `asigurati`;\n", "CREATE TABLE `sume` (\n", "  `index` int(11) NOT NULL,\n",
          "  `cnp` bigint(20) NOT NULL DEFAULT 0,\n", "  PRIMARY KEY (`index`),\n",
          "  KEY `id_cnp_luna` (`id_cnp`,`luna`),\n", "  KEY `cnp` (`cnp`)\n",
          ") ENGINE=InnoDB DEFAULT CHARSET=latin1;\n", "INSERT INTO `sume` VALUES (1,2);\n",
          "USE `nomenc`;\n", "CREATE TABLE `zile` (\n", "  `ziua` date NOT NULL,\n",
          "  UNIQUE KEY `ziua` (`ziua`)\n", ") ENGINE=InnoDB;\n"})
        out += stager.Feed(line);
    out += stager.Finish();
    EXPECT_EQ(
        "USE `asigurati`;\n"
        "CREATE TABLE `zcopie_sume` (\n"
        "  `index` int(11) NOT NULL,\n"
        "  `cnp` bigint(20) NOT NULL DEFAULT 0,\n"
        "  PRIMARY KEY (`index`)\n"
        ") ENGINE=InnoDB DEFAULT CHARSET=latin1;\n"
        "INSERT INTO `zcopie_sume` VALUES (1,2);\n"
        "USE `nomenc`;\n"
        "CREATE TABLE `zcopie_zile` (\n"
        "  `ziua` date NOT NULL,\n"
        "  UNIQUE KEY `ziua` (`ziua`)\n"
        ") ENGINE=InnoDB;\n"
        "ALTER TABLE `asigurati`.`zcopie_sume` ADD KEY `id_cnp_luna` (`id_cnp`,`luna`), ADD "
        "KEY `cnp` (`cnp`);\n",
        out);
}

TEST(CopyFormat, CompaniesAreCountedByRowsOutsideQuotedValues) {
    CompanyCounter counter;
    for (const char* line :
         {"INSERT INTO `cas` VALUES\n", "('CAS_B','(x),(y)'),\n", "('CAS_T','t');\n",
          "INSERT INTO `societati` VALUES\n",
          "(1,1001,'O\\'Brien (a),(b);','x'),\n",  // an escaped apostrophe, brackets in text
          "(2,1002,'\\\\','(''),(')'),\n",         // a backslash ending a value
          "(3,1003,'A;',0);\n", "INSERT INTO `zlog_societati` VALUES\n", "(1,2,'x');\n",
          // the older one-line form
          "INSERT INTO `societati` VALUES (4,1,'a'),(5,2,'b;(c)');\n"})
        counter.Feed(line);
    EXPECT_EQ(5, counter.Count());
}

TEST(CopyFormat, CopiesOfVersionsOnTheLadderAreTakenOthersRefusedSayingWhy) {
    EXPECT_EQ("", RefuseCopyVersion(kCurrentSchemaVersion));
    for (const UpgradeRung& rung : UpgradeRungs()) EXPECT_EQ("", RefuseCopyVersion(rung.from));
    for (const char* newer : {"2.1", "2.09", "3.00", "10.0"}) {
        const std::string why = RefuseCopyVersion(newer);
        EXPECT_NE(why.find("versiune mai noua"), std::string::npos) << newer << ": " << why;
        EXPECT_NE(why.find(newer), std::string::npos);
    }
    for (const char* unknown : {"1.0", "beta", "2.08x"}) {
        const std::string why = RefuseCopyVersion(unknown);
        EXPECT_NE(why.find("necunoscuta"), std::string::npos) << unknown << ": " << why;
    }
}

}  // namespace
