// orvik-cli leave files and leave print as an accountant's script runs them:
// the lines they print, their messages and their exit status.
#include <gtest/gtest.h>

#include "../leave/LeaveFilesTestData.h"
#include "CliRunner.h"

using namespace leave_test;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class LeaveCommandTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        LoadLeaveMonth();
    }
    CliResult Files(const std::string& arguments) {
        return RunCli("leave files " + arguments + " --dir " +
                      QuoteForShell(m_folder.Path().string()) + TestInstallation());
    }
    TempFolder m_folder;
};

TEST_F(LeaveCommandTest, BadUsageIsRefusedBeforeAnythingRuns) {
    const char* const cases[] = {
        "leave",
        "leave send --cf 12345678 --month 201003",
        "leave files --month 201003 --dir /tmp",
        "leave files --cf 12345678 --dir /tmp",
        "leave files --cf 12345678 --month 201013 --dir /tmp",
        "leave files --cf 1234567X --month 201003 --dir /tmp",
        "leave files --cf 12345678 --month 201003 --rectif unu --dir /tmp",
        "leave files --cf 12345678 --month 201003",
        "leave files --cf 12345678 --month 201003 --pdf x.pdf",
        "leave print --cf 12345678 --month 201003 --dir /tmp",
        "leave files --cf 12345678 --month 201003 --dir",
        "leave files --cf 12345678 --month 201003 --dir /tmp --fast",
    };
    for (const char* arguments : cases) {
        const CliResult r = RunCli(arguments + TestInstallation());
        EXPECT_EQ(2, r.status) << arguments;
        EXPECT_TRUE(Contains(r.err, "utilizare: orvik-cli leave files")) << arguments << r.err;
        EXPECT_EQ("", r.out) << arguments;
    }
}

TEST_F(LeaveCommandTest, WritesTheTwoFilesAndPrintsTheirPaths) {
    CliResult r = Files("--cf 12345678 --month 201003");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(
        m_folder.File("A1_0310_12345678.dbf") + "\n" + m_folder.File("A2_0310_12345678.dbf") + "\n",
        r.out);
    EXPECT_EQ("", r.err);
    EXPECT_EQ(2u, m_folder.Names().size());

    // The rectifying declaration's A2 holds its one entry: header, one record, end.
    r = Files("--cf 12345678 --month=201003 --rectif 1");
    EXPECT_EQ(0, r.status) << r.err;
    const std::string a2 = ReadBytes(m_folder.File("A2_0310_12345678.dbf"));
    ASSERT_GT(a2.size(), 8u);
    EXPECT_EQ(1, a2[4]);
    const int header = 32 * 33 + 33;
    EXPECT_EQ('M', a2[header + 1 + 1 + 2 + 4 + 50 + 13 + 6]);  // TIP_RECTIF of record 1
}

TEST_F(LeaveCommandTest, EachFailureHasItsMessageAndStatus) {
    CliResult r = Files("--cf 12345678 --month 201003 --rectif 5");
    EXPECT_EQ(2, r.status);
    EXPECT_TRUE(Contains(r.err,
                         "societatea 12345678 nu are declaratia rectificativa nr. 5 pentru "
                         "luna 201003"))
        << r.err;
    r = Files("--cf 12345678 --month 201005");
    EXPECT_EQ(2, r.status);
    EXPECT_TRUE(Contains(r.err, "nu are declaratia initiala pentru luna 201005")) << r.err;

    RunSql("UPDATE asigurati.societati SET jud='' WHERE cf=12345678");
    r = Files("--cf 12345678 --month 201003");
    EXPECT_EQ(2, r.status);
    EXPECT_TRUE(Contains(r.err, "nu ai introdus judetul societatii curente.")) << r.err;
    EXPECT_EQ("", r.out);
    EXPECT_TRUE(m_folder.Names().empty());

    r = RunCli("leave files --cf 12345678 --month 201003 --dir /tmp --installation /nowhere");
    EXPECT_EQ(2, r.status);
    EXPECT_TRUE(Contains(r.err, "nu este o instalare Orvik Asigurati")) << r.err;
}

TEST_F(LeaveCommandTest, PrintsTheDeclarationIntoAPdf) {
    const std::string pdf = m_folder.File("declaratie.pdf");
    const CliResult r = RunCli("leave print --cf 12345678 --month 201003 --pdf " +
                               QuoteForShell(pdf) + TestInstallation());
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(pdf + "\n", r.out);
    const CommandResult info = RunCommand("pdfinfo " + QuoteForShell(pdf));
    // Anexa 1 and one page of Anexa 2, A4 lying on its side.
    EXPECT_TRUE(Contains(info.output, "Pages:           2\n")) << info.output;
    EXPECT_TRUE(Contains(info.output, "842 x 595 pts (A4)")) << info.output;
    const CommandResult text = RunCommand("pdftotext -layout " + QuoteForShell(pdf) + " -");
    for (const char* part : {"Anexa 1", "Anexa 2", "DECLARATIE initiala", "ALFA SRL", "IONESCU ANA",
                             "VASILE DAN", "Orvik Asigurati 2.08"})
        EXPECT_TRUE(Contains(text.output, part)) << part << "\n" << text.output;

    // A PDF that cannot be written is a failure, not a path on stdout.
    const CliResult refused =
        RunCli("leave print --cf 12345678 --month 201003 --pdf /proc/declaratie.pdf" +
               TestInstallation());
    EXPECT_EQ(2, refused.status);
    EXPECT_EQ("", refused.out);
    EXPECT_TRUE(Contains(refused.err, "nu se poate scrie fisierul /proc/declaratie.pdf"))
        << refused.err;
}

}  // namespace
