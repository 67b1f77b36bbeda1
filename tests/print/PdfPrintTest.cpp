#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ScriptedPrompter.h"
#include "print/PagePrinter.h"
#include "print/PainterBackend.h"

namespace {

std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class PdfPrint : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "print_pdf_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) s_app = new QGuiApplication(argc, argv);
    }
    static inline QGuiApplication* s_app = nullptr;
};

// Draws a small two-page report; ORVIK_KEEP_PDF names a copy to look at.
void DrawSample(PagePrinter& printer) {
    printer.StartDocument("Proba");
    printer.NewPage("2.08");
    printer.SelectFont(2);
    printer.Text(2475, 300, "DECLARATIE DE PROBA", 1);
    printer.SelectFont(1);
    printer.TextBox(200, 800, 4200, 950, "Celula gri cu chenar", 1, true, true);
    printer.TextRect(200, 1100, 1700, 1700, "Un text lung care se rupe pe mai multe randuri", 0,
                     true);
    printer.Text(200, 2000, "Nume\r\nPrenume", 0);
    printer.EndPage();
    printer.NewPage("2.08");
    printer.Text(200, 300, "Pagina a doua", 0);
}

TEST_F(PdfPrint, WritesThePagesWithTextAndFooterWithoutAPrinter) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string pdf = dir.filePath("proba.pdf").toStdString();
    ScriptedPrompter prompter;
    PagePrinter printer(prompter, PdfFileChooser(pdf));
    ASSERT_TRUE(printer.Begin(PagePrinter::kPortrait));
    EXPECT_GT(printer.Scale(), 1.0f);  // a high-resolution device
    DrawSample(printer);
    printer.End();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    if (const char* keep = std::getenv("ORVIK_KEEP_PDF"))
        std::filesystem::copy_file(pdf, keep, std::filesystem::copy_options::overwrite_existing);

    const std::string text = Output("pdftotext -layout '" + pdf + "' -");
    EXPECT_NE(text.find("DECLARATIE DE PROBA"), std::string::npos) << text;
    EXPECT_NE(text.find("Celula gri cu chenar"), std::string::npos) << text;
    EXPECT_NE(text.find("Pagina a doua"), std::string::npos) << text;
    EXPECT_EQ(Count(text, "Orvik Asigurati 2.08"), 2) << text;  // one per page
    EXPECT_EQ(Count(text, "\f"), 2) << text;                    // two pages
    // The line break is a break, not a character on the line.
    EXPECT_EQ(text.find("Nume Prenume"), std::string::npos) << text;
    EXPECT_NE(text.find("Prenume"), std::string::npos) << text;
}

TEST_F(PdfPrint, LandscapeUsesTheWidthAsLongSide) {
    QTemporaryDir dir;
    const std::string pdf = dir.filePath("peisaj.pdf").toStdString();
    ScriptedPrompter prompter;
    PagePrinter printer(prompter, PdfFileChooser(pdf));
    ASSERT_TRUE(printer.Begin(PagePrinter::kLandscape));
    const float portraitScale = [&] {
        QTemporaryDir other;
        PagePrinter portrait(prompter, PdfFileChooser(other.filePath("p.pdf").toStdString()));
        portrait.Begin(PagePrinter::kPortrait);
        return portrait.Scale();
    }();
    // A4's long side is the width in landscape: the same scale both ways.
    EXPECT_NEAR(printer.Scale(), portraitScale, 0.01f);
    printer.NewPage("2.08");
    printer.End();
    const std::string size = Output("pdfinfo '" + pdf + "' | grep 'Page size'");
    EXPECT_NE(size.find("842"), std::string::npos) << size;
    EXPECT_LT(size.find("842"), size.find("595")) << size;  // wider than high
}

// A font's height is its whole line, as the layouts were measured: a 90-unit
// Arial must not print as a 90-unit em, which is an eighth larger and clips
// the annexes' narrow cells.
TEST_F(PdfPrint, AFontsHeightIsItsLineHeight) {
    PainterBackend backend(std::make_unique<QPrinter>(QPrinter::HighResolution));
    for (const char* family : {"Arial", "Times New Roman"}) {
        backend.SelectFont({1, family, 1000, 0});
        EXPECT_NEAR(backend.LineHeight(), 1000, 15) << family;
    }
    // The whole line of digits of a date still fits a 450-unit cell at font 1.
    backend.SelectFont({1, "Arial", 90 * 10, 0});
    EXPECT_LT(backend.TextWidth("01.01.2008"), 4500 - 2 * 20 * 10);
}

TEST(PrintedText, TakesTheCodePageBytes) {
    EXPECT_EQ(PrintedText("Asigurati"), QString("Asigurati"));
    EXPECT_EQ(PrintedText("\xAA\xBA\xDE\xFE\xC3"),
              QString::fromUtf16(u"\u015E\u015F\u0162\u0163\u0102"));
}

}  // namespace
