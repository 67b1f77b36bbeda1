// orvik-cli health print as a script runs it: the PDF file of one annex, its
// path on stdout, and a message with status 2 for whatever keeps it from
// being written.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "../dbf/DbfTestSupport.h"
#include "../health/AnnexTestData.h"

namespace fs = std::filesystem;
using namespace annex_test;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int Status(const CommandResult& r) {
    return WIFEXITED(r.status) ? WEXITSTATUS(r.status) : -1;
}

class HealthPrintCommandTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        LoadCompany();
    }
    // Runs the tool from /tmp; stdout and stderr together, as a user sees them.
    CommandResult Print(const std::string& arguments) {
        return RunCommand("cd /tmp && " + QuoteForShell(ORVIK_CLI) + " health print " + arguments +
                          " --installation " + QuoteForShell(ORVIK_TEST_SERVER_DIR) + " 2>&1");
    }
    std::string Text(const std::string& pdf) {
        return RunCommand("pdftotext -layout " + QuoteForShell(pdf) + " -").output;
    }
    TempFolder m_folder;
};

TEST_F(HealthPrintCommandTest, EachAnnexIsWrittenAsAPdfFile) {
    struct Case {
        const char* annex;
        const char* title;
        const char* row;
    };
    for (const Case& c :
         {Case{"a", "ANEXA Nr. 2a)", "IONESCU"}, Case{"b", "ANEXA Nr. 2b)", "GHEORGHE"},
          Case{"c", "ANEXA Nr. 2c)", "CAS_B"}}) {
        const std::string pdf = m_folder.File(std::string("anexa-") + c.annex + ".pdf");
        const CommandResult r = Print("--cf 12345678 --month 200907 --cas CASAB --annex " +
                                      std::string(c.annex) + " --pdf " + QuoteForShell(pdf));
        ASSERT_EQ(0, r.status) << r.output;
        // IONESCU has no sums for July; 2b carries no sums to miss.
        const std::string warning =
            std::string(c.annex) == "b"
                ? ""
                : "AVERTISMENT\t2850505123456\tIONESCU ANA\tfara sume in luna 200907\n";
        EXPECT_EQ(warning + pdf + "\n", r.output);
        const std::string text = Text(pdf);
        for (const char* part : {c.title, c.row, "ALFA SRL", "Luna Iulie, anul 2009", "TOTAL"}) {
            if (std::string(c.annex) == "b" && std::string(part) == "TOTAL") continue;
            EXPECT_TRUE(Contains(text, part)) << c.annex << ": " << part << "\n" << text;
        }
    }
    // A relative name is taken from where the tool was started.
    const CommandResult r = RunCommand(
        "cd " + QuoteForShell(m_folder.Path().string()) + " && " + QuoteForShell(ORVIK_CLI) +
        " health print --cf 12345678 --month 200907 --cas CAS_B --annex a --pdf relativ.pdf"
        " --installation " +
        QuoteForShell(ORVIK_TEST_SERVER_DIR) + " 2>&1");
    ASSERT_EQ(0, r.status) << r.output;
    EXPECT_EQ(m_folder.File("relativ.pdf") + "\n", r.output);
    EXPECT_TRUE(Contains(Text(m_folder.File("relativ.pdf")), "VASILE"));
}

TEST_F(HealthPrintCommandTest, WhatKeepsTheFileFromBeingWrittenIsSaid) {
    const std::string pdf = QuoteForShell(m_folder.File("x.pdf"));
    for (const char* usage : {"--cf 12345678 --month 200907 --cas CASAB --pdf x.pdf",
                              "--cf 12345678 --month 200907 --cas CASAB --annex d --pdf x.pdf",
                              "--cf 12345678 --month 200913 --cas CASAB --annex a --pdf x.pdf",
                              "--cf 12345678 --month 200907 --annex a --pdf x.pdf",
                              "--cf 12345678 --month 200907 --cas CASAB --annex a",
                              "--cf 12345678 --month 200907 --all --annex a --pdf x.pdf"}) {
        const CommandResult r = Print(usage);
        EXPECT_EQ(2, Status(r)) << usage;
        EXPECT_TRUE(Contains(r.output, "utilizare: orvik-cli health files")) << r.output;
    }
    CommandResult r = Print("--cf 12345678 --month 200907 --cas CASCJ --annex a --pdf " + pdf);
    EXPECT_EQ(2, Status(r));
    EXPECT_TRUE(Contains(r.output, "nu are asigurati la casa CASCJ in luna Iulie 2009"))
        << r.output;
    r = Print("--cf 12345678 --month 200907 --cas CASAB --annex a --pdf " +
              QuoteForShell(m_folder.File("lipsa/x.pdf")));
    EXPECT_EQ(2, Status(r));
    EXPECT_TRUE(Contains(r.output, "Anexa nu a putut fi salvata in fisierul:")) << r.output;
    EXPECT_TRUE(m_folder.Names().empty());
}

}  // namespace
