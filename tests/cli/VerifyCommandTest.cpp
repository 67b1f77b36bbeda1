// orvik-cli verify as a script runs it: the lines it prints and its exit status for clean,
// faulty, cut and refused files, alone and together.
#include <gtest/gtest.h>

#include "../import/VerifyTestFiles.h"
#include "CliRunner.h"

using namespace verify_test;

namespace {

using CliRun = CliResult;

class VerifyCommandTest : public ::testing::Test {
protected:
    CliRun Cli(const std::string& arguments) { return RunCli("verify " + arguments); }
    std::string Write(const std::string& name, VerifiedKind kind,
                      const std::vector<Record>& records) {
        const std::string path = m_folder.File(name);
        WriteTable(path, SpecOfKind(kind), records);
        return path;
    }

    TempFolder m_folder;
};

TEST_F(VerifyCommandTest, CleanFaultyAndCutFilesGiveTheirStatus) {
    const std::string clean = Write("clean.dbf", VerifiedKind::AnnexA, {AnnexARecord()});
    const CliRun ok = Cli("A " + QuoteForShell(clean));
    EXPECT_EQ(0, ok.status);
    EXPECT_EQ(clean + "\tverificat: 1 inregistrari, 0 eronate\n", ok.out);
    EXPECT_EQ("", ok.err);

    Record bad = AnnexARecord();
    bad[9] = "XX";
    const std::string faulty =
        Write("faulty.dbf", VerifiedKind::AnnexA, {AnnexARecord(), bad, AnnexARecord("1")});
    const CliRun marked = Cli("a " + QuoteForShell(faulty));
    EXPECT_EQ(1, marked.status);
    EXPECT_EQ(faulty +
                  "\t2\tCampul CAT: Forma de angajare trebuie sa fie S, CM, AM, CT, CIC, DCM, SCS "
                  "sau SS\n" +
                  faulty + "\t3\tCampul CNP: Codul Numeric Personal incorect\n" + faulty +
                  "\tverificat: 3 inregistrari, 2 eronate\n",
              marked.out);

    std::string bytes = ReadBytes(faulty);
    bytes.resize(bytes.size() - 10);
    WriteBytes(m_folder.File("cut.dbf"), bytes);
    const CliRun cut = Cli("A " + QuoteForShell(m_folder.File("cut.dbf")));
    EXPECT_EQ(2, cut.status);
    EXPECT_EQ(m_folder.File("cut.dbf") + "\tFisierul selectat nu a putut fi citit complet!\n",
              cut.out);

    WriteBytes(m_folder.File("gol.dbf"), "");
    const CliRun empty = Cli("2 " + QuoteForShell(m_folder.File("gol.dbf")));
    EXPECT_EQ(2, empty.status);
    EXPECT_EQ(m_folder.File("gol.dbf") + "\tFisierul selectat nu este un fisier dBase.\n",
              empty.out);
}

// A company without co-insured persons sends an annex B without records: the notice is the
// file's summary and the run succeeds. Annexes A and C must hold records.
TEST_F(VerifyCommandTest, AnEmptyAnnexBIsANoticeAndSucceeds) {
    const std::string b = Write("1B.dbf", VerifiedKind::AnnexB, {});
    const CliRun run = Cli("B " + QuoteForShell(b));
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(b + "\tAnexa B: Fisierul selectat nu contine inregistrari!\n", run.out);
    const std::string c = Write("1C.dbf", VerifiedKind::AnnexC, {});
    EXPECT_EQ(2, Cli("C " + QuoteForShell(c)).status);
    EXPECT_EQ(2, Cli("A " + QuoteForShell(Write("1A.dbf", VerifiedKind::AnnexA, {}))).status);
}

TEST_F(VerifyCommandTest, TheWorstFileDecidesAndRefusedLayoutsAreNamed) {
    const std::string clean = Write("a.dbf", VerifiedKind::AnnexA, {AnnexARecord()});
    Record bad = AnnexARecord();
    bad[1] = "2005";
    const std::string faulty = Write("b.dbf", VerifiedKind::AnnexA, {bad});
    const std::string other = Write("c.dbf", VerifiedKind::AnnexB, {AnnexBRecord()});
    EXPECT_EQ(2, Cli(clean + " " + faulty).status);  // bad usage: the kind is missing
    const CliRun both = Cli("A " + clean + " " + faulty);
    EXPECT_EQ(1, both.status);
    const CliRun all = Cli("A " + faulty + " " + other + " " + clean);
    EXPECT_EQ(2, all.status);
    EXPECT_NE(std::string::npos,
              all.out.find(other + "\tAnexa 1A: Fisierul selectat este invalid! Trebuie sa "
                                   "contina 16 campuri.\n"));
    EXPECT_NE(std::string::npos, all.out.find(faulty + "\t1\tCampul AN trebuie sa fie mai mare"));
    EXPECT_NE(std::string::npos, all.out.find(clean + "\tverificat: 1 inregistrari, 0 eronate\n"));
    EXPECT_EQ(2, Cli("A " + m_folder.File("lipsa.dbf")).status);
}

TEST_F(VerifyCommandTest, RemovedLeaveRowsAreNotReportedNorRenumbered) {
    const std::string path =
        Write("A2.dbf", VerifiedKind::Leave2,
              {Leave2Record("", "0"), Leave2Record(kCnp1, "3"), Leave2Record("123", "2")});
    const CliRun run = Cli("2 " + path);
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(path + "\t3\tCampul CNP: codul numeric personal este invalid\n" + path +
                  "\tverificat: 3 inregistrari, 1 eronate\n",
              run.out);
    // The first record carries the employer: a bad one refuses the file.
    const std::string a1 = Write("A1.dbf", VerifiedKind::Leave1, {Leave1Record("12345678")});
    const CliRun refused = Cli("1 " + a1);
    EXPECT_EQ(2, refused.status);
    EXPECT_EQ(a1 + "\tConcedii medicale - Anexa 1: Codul fiscal din campul CUI este invalid\n",
              refused.out);
    EXPECT_EQ(0, Cli("1 " + Write("ok.dbf", VerifiedKind::Leave1, {Leave1Record()})).status);
}

TEST_F(VerifyCommandTest, BadUsageSaysHowToCallIt) {
    for (const char* arguments : {"", "X a.dbf", "A"}) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(2, run.status) << arguments;
        EXPECT_EQ("", run.out);
        EXPECT_NE(std::string::npos, run.err.find("verify A|B|C|1|2")) << arguments;
    }
}

}  // namespace
