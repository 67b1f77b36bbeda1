// The printed annexes written as real PDF files through QPainter, read back
// with poppler's pdftotext: titles, a row's values and the totals must be on
// the paper. ORVIK_KEEP_PDF_DIR names a folder to keep the files in.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "AnnexTestData.h"
#include "PrintedAnnexTestData.h"
#include "datalist/DataList.h"
#include "health/PrintedAnnexes.h"
#include "print/PagePrinter.h"
#include "print/PainterBackend.h"

namespace fs = std::filesystem;
using namespace annex_test;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The font names of a PDF as pdffonts lists them, without the subset prefix.
std::vector<std::string> FontNames(const std::string& pdf) {
    std::vector<std::string> names;
    std::istringstream lines(RunCommand("pdffonts " + QuoteForShell(pdf)).output);
    std::string line;
    for (int skip = 0; skip < 2 && std::getline(lines, line); ++skip) {
    }
    while (std::getline(lines, line)) {
        std::string name = line.substr(0, line.find(' '));
        if (const std::size_t plus = name.find('+'); plus != std::string::npos)
            name = name.substr(plus + 1);
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

int Pages(const std::string& text) {
    int pages = 0;
    for (char c : text) pages += c == '\f';
    return pages;
}

class PrintedAnnexPdfTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_annexes.emplace(*m_client, *ParseAnnexMonth(kMonth));
    }
    // The annex printed alone into a PDF; its text as pdftotext lays it out.
    std::string PrintToPdf(PrintedAnnex annex, const std::string& cf, const std::string& house,
                           const std::string& name) {
        const std::string pdf = m_folder.File(name);
        DataList list;
        EXPECT_TRUE(m_annexes->FillList(annex, list, cf, house));
        const auto header = m_annexes->LoadHeader(cf, house);
        EXPECT_TRUE(header);
        if (!header) return {};
        PagePrinter printer(m_prompter, PdfFileChooser(pdf));
        EXPECT_TRUE(m_annexes->PrintAlone(printer, annex, *header, list, "2.08"));
        EXPECT_TRUE(fs::exists(pdf)) << pdf;
        if (const char* keep = std::getenv("ORVIK_KEEP_PDF_DIR"))
            fs::copy_file(pdf, fs::path(keep) / name, fs::copy_options::overwrite_existing);
        return RunCommand("pdftotext -layout " + QuoteForShell(pdf) + " -").output;
    }

    std::string PdfPath(const std::string& name) { return m_folder.File(name); }

    std::optional<PrintedAnnexes> m_annexes;
    TempFolder m_folder;
};

TEST_F(PrintedAnnexPdfTest, Annex2AOnPaper) {
    LoadCompany();
    const std::string text = PrintToPdf(PrintedAnnex::A, kCf, "CASAB", "anexa2a.pdf");
    EXPECT_EQ(1, Pages(text)) << text;
    for (const char* part :
         {"ALFA SRL", "ANEXA Nr. 2a)", "CUI / CNP: 12345678", "Nr. Reg. Com.: J40/1234/2003",
          "LISTA *)", "Luna Iulie, anul 2009", "Categoria de", "asigurat **)", "TOTAL",
          "Reprezentant legal,", "POPESCU ION", "Orvik Asigurati 2.08",
          "de persoane care realizeaza venituri asimilate salariilor."})
        EXPECT_TRUE(Contains(text, part)) << part << "\n" << text;
    // The row and the totals line, their cells in page order.
    EXPECT_TRUE(Contains(text, "1800101221144")) << text;
    EXPECT_TRUE(Contains(text, "20.07.2009")) << text;
    const std::size_t total = text.find("TOTAL");
    ASSERT_NE(std::string::npos, total);
    const std::string totalLine = text.substr(total, text.find('\n', total) - total);
    EXPECT_TRUE(Contains(totalLine, "150")) << totalLine;
    EXPECT_TRUE(Contains(totalLine, "140")) << totalLine;
}

TEST_F(PrintedAnnexPdfTest, ManyEmployeesGiveThreePagesOnPaper) {
    LoadManyEmployees(120);
    const std::string text = PrintToPdf(PrintedAnnex::A, "34567890", "CASCJ", "anexa2a-120.pdf");
    EXPECT_EQ(3, Pages(text)) << text;
    EXPECT_TRUE(Contains(text, "ANGAJAT0120")) << text;
    EXPECT_TRUE(Contains(text, "19.260")) << text;
}

TEST_F(PrintedAnnexPdfTest, Annex2BOnPaper) {
    LoadCompany();
    const std::string text = PrintToPdf(PrintedAnnex::B, kCf, "CASAB", "anexa2b.pdf");
    EXPECT_EQ(1, Pages(text)) << text;
    for (const char* part :
         {"ANEXA Nr. 2b)", "CNP angajat", "Persoane coasigurate", "Tipul **)", "2820202000005",
          "GHEORGHE", "P - parinti"})  // pdftotext joins the two blanks
        EXPECT_TRUE(Contains(text, part)) << part << "\n" << text;
}

TEST_F(PrintedAnnexPdfTest, Annex2COnPaper) {
    LoadCompany();
    const std::string text = PrintToPdf(PrintedAnnex::C, kCf, "CASAB", "anexa2c.pdf");
    EXPECT_EQ(1, Pages(text)) << text;
    for (const char* part :
         {"ANEXA Nr. 2c)", "CENTRALIZATOR *)", "referitor la obligatiile de plata",
          "Contributia angajatorului", "Contributia asiguratilor", "CAS_B",
          "alese in mod liber de salariati."})
        EXPECT_TRUE(Contains(text, part)) << part << "\n" << text;
    const std::size_t total = text.find("TOTAL");
    ASSERT_NE(std::string::npos, total);
    const std::string totalLine = text.substr(total, text.find('\n', total) - total);
    for (const char* sum : {"520", "500", "350", "340"})
        EXPECT_TRUE(Contains(totalLine, sum)) << totalLine;
    // The bold lines are the body's face in bold, not a font of another family.
    const std::vector<std::string> fonts = FontNames(PdfPath("anexa2c.pdf"));
    ASSERT_FALSE(fonts.empty());
    const std::string family = fonts[0].substr(0, fonts[0].find('-'));
    bool bold = false;
    for (const std::string& font : fonts) {
        EXPECT_EQ(family, font.substr(0, font.find('-'))) << font;
        bold = bold || Contains(font, "Bold");
    }
    EXPECT_TRUE(bold);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
