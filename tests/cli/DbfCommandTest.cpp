#include <gtest/gtest.h>

#include <string>

#include "../dbf/DbfTestSupport.h"

// orvik-cli dbf, run as a user runs it.

namespace {

std::string Cli(const std::string& arguments) {
    return std::string(ORVIK_CLI) + " dbf " + arguments;
}

TEST(DbfCommand, WriteThenDumpShowsTextsAsReadAndNumbersAsStored) {
    TempFolder folder;
    WriteBytes(folder.File("f.tsv"), "NUME\tC\t8\t0\nSUMA\tN\t7\t2\nANG\tD\t8\n");
    WriteBytes(folder.File("r.tsv"), "POP\t0012.5\t20090501\n\t\t\n");
    const CommandResult written = RunCommand(Cli(
        "write " + folder.File("f.tsv") + " " + folder.File("r.tsv") + " " + folder.File("o.dbf")));
    ASSERT_EQ(written.status, 0) << written.output;

    const CommandResult dumped = RunCommand(Cli("dump " + folder.File("o.dbf")));
    ASSERT_EQ(dumped.status, 0) << dumped.output;
    EXPECT_EQ(dumped.output,
              "inregistrari\t2\nlungime antet\t129\nlungime inregistrare\t24\ncampuri\t3\n"
              "camp\tNUME\tC\t8\t0\ncamp\tSUMA\tN\t7\t2\ncamp\tANG\tD\t8\t0\n"
              "rand\tPOP     \t0012.50\t20090501\n"
              "rand\t        \t.00\t        \n");
}

// Numbers come out as the file stores them, a point and all, beside the rows of the records
// left after a deleted one.
TEST(DbfCommand, DumpPrintsNumbersAsStored) {
    TempFolder folder;
    WriteBytes(folder.File("f.tsv"), "NUME\tC\t4\t0\nSUMA\tN\t10\t4\nCNP\tN\t13\t0\n");
    WriteBytes(folder.File("r.tsv"), "A\t1\t1\nB\t250\t1800101221144\n");
    ASSERT_EQ(0, RunCommand(Cli("write " + folder.File("f.tsv") + " " + folder.File("r.tsv") + " " +
                                folder.File("o.dbf")))
                     .status);
    std::string bytes = ReadBytes(folder.File("o.dbf"));
    bytes[32 * 4 + 1] = '*';  // the first record is deleted
    WriteBytes(folder.File("o.dbf"), bytes);
    const CommandResult dumped = RunCommand(Cli("dump " + folder.File("o.dbf")));
    ASSERT_EQ(dumped.status, 0) << dumped.output;
    EXPECT_NE(std::string::npos, dumped.output.find("\nrand\tB   \t250.0000\t1800101221144\n"))
        << dumped.output;
    EXPECT_EQ(std::string::npos, dumped.output.find("rand\tA"));
}

TEST(DbfCommand, FailuresExitNonZeroWithAReason) {
    TempFolder folder;
    WriteBytes(folder.File("f.tsv"), "SUMA\tN\t4\t0\n");
    WriteBytes(folder.File("r.tsv"), "12345\n");
    WriteBytes(folder.File("bad.dbf"), std::string(40, '\0'));
    const struct {
        std::string arguments;
        std::string reason;
    } cases[] = {
        {"write " + folder.File("f.tsv") + " " + folder.File("r.tsv") + " " + folder.File("o.dbf"),
         "nu incape"},
        {"write " + folder.File("absent.tsv") + " " + folder.File("r.tsv") + " " +
             folder.File("o.dbf"),
         "nu se poate citi"},
        {"dump " + folder.File("bad.dbf"), "nu a putut fi citit"},
        {"dump " + folder.File("absent.dbf"), "nu poate fi deschis"},
    };
    for (const auto& c : cases) {
        const CommandResult r = RunCommand(Cli(c.arguments));
        EXPECT_NE(r.status, 0) << c.arguments;
        EXPECT_NE(r.output.find(c.reason), std::string::npos) << r.output;
        // An unreadable file shows only the reason, no made-up header numbers.
        EXPECT_EQ(r.output.find("inregistrari\t"), std::string::npos) << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("o.dbf")));
}

}  // namespace
