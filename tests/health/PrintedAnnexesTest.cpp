// The printed annexes 2a, 2b, 2c from the test server, drawn into the
// recording backend: the preview lists, the positions on the page, the page
// breaks, the fonts and the grey line of 2c.
#include <gtest/gtest.h>

#include <algorithm>

#include "AnnexTestData.h"
#include "PrintedAnnexTestData.h"
#include "datalist/DataList.h"
#include "health/AnnexPages.h"
#include "health/PrintedAnnexes.h"
#include "print/PagePrinter.h"
#include "print/RecordingBackend.h"

using namespace annex_test;

namespace {

constexpr const char* kVersion = "2.08";

std::vector<std::string> RowTexts(const DataList& list, int row) {
    std::vector<std::string> texts;
    for (int column = 0; column < list.ColumnCount(); ++column)
        if (list.ColumnWidth(column) > 0) texts.push_back(list.CellTextAt(row, column));
    return texts;
}

// The texts of the cells whose top is `top`, left to right, headings apart.
std::vector<std::string> LineAt(const Recording& rec, int page, int top) {
    std::vector<TextDraw> cells;
    for (const TextDraw& t : rec.TextsOnPage(page))
        if (t.kind == TextKind::Cell && t.box.top == top) cells.push_back(t);
    std::sort(cells.begin(), cells.end(),
              [](const TextDraw& a, const TextDraw& b) { return a.box.left < b.box.left; });
    std::vector<std::string> texts;
    for (const TextDraw& t : cells) texts.push_back(t.text);
    return texts;
}

const TextDraw* Find(const Recording& rec, int page, const std::string& text) {
    for (const Recording::Text& t : rec.texts)
        if (t.page == page && t.draw.text == text) return &t.draw;
    return nullptr;
}

// Data rows on a page: cells of the first column below the headings.
int RowsOnPage(const Recording& rec, int page, int left) {
    int rows = 0;
    for (const TextDraw& t : rec.TextsOnPage(page))
        if (t.kind == TextKind::Cell && t.box.left == left &&
            t.box.top >= AnnexPages::kFirstRowTop &&
            t.box.bottom - t.box.top == AnnexPages::kLineHeight && t.text != "TOTAL")
            ++rows;
    return rows;
}

class PrintedAnnexesTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_annexes.emplace(*m_client, *ParseAnnexMonth(kMonth));
    }
    // Prints one annex alone into the recording.
    void Print(PrintedAnnex annex, const std::string& cf, const std::string& house) {
        DataList list;
        ASSERT_TRUE(m_annexes->FillList(annex, list, cf, house));
        const auto header = m_annexes->LoadHeader(cf, house);
        ASSERT_TRUE(header);
        ASSERT_TRUE(m_annexes->PrintAlone(m_printer, annex, *header, list, kVersion));
    }

    std::optional<PrintedAnnexes> m_annexes;
    Recording m_rec;
    PagePrinter m_printer{m_prompter, RecordingChooser(m_rec)};
};

TEST_F(PrintedAnnexesTest, PreviewListsHoldTheRowsAndTotals) {
    LoadCompany();
    DataList a;
    ASSERT_TRUE(m_annexes->FillList(PrintedAnnex::A, a, kCf, "CASAB"));
    ASSERT_EQ(4, a.RowCount());
    EXPECT_EQ((std::vector<std::string>{"2850505123456", "IONESCU", "ANA", "S", "", "", "20080101",
                                        "20090710"}),
              RowTexts(a, 0));
    EXPECT_EQ((std::vector<std::string>{"1800101221144", "POPESCU", "ION", "CM", "50", "50",
                                        "20090720", "0"}),
              RowTexts(a, 2));
    EXPECT_EQ((std::vector<std::string>{"", "", "", "TOTAL", "150", "140", "", ""}),
              RowTexts(a, 3));
    EXPECT_EQ("3", a.ColumnKind(a.ColumnIndex("DATORAT_LUNA")));
    EXPECT_EQ("1", a.ColumnKind(a.ColumnIndex("DATA_PLECARII")));
    for (const char* hidden : {"CAS", "CF", "LA_LUNA"})
        EXPECT_EQ(0, a.ColumnWidth(a.ColumnIndex(hidden))) << hidden;
    EXPECT_EQ("200907", a.CellText(1, "LA_LUNA"));
    EXPECT_EQ("", a.CellText(0, "LA_LUNA"));  // no sums this month

    DataList b;
    ASSERT_TRUE(m_annexes->FillList(PrintedAnnex::B, b, kCf, "CASAB"));
    ASSERT_EQ(3, b.RowCount());  // no TOTAL row
    EXPECT_EQ((std::vector<std::string>{"1800101221144", "1550404000007", "ALBU", "ELENA", "P"}),
              RowTexts(b, 0));

    DataList c;
    ASSERT_TRUE(m_annexes->FillList(PrintedAnnex::C, c, kCf, "CASAB"));
    ASSERT_EQ(3, c.RowCount());
    EXPECT_EQ((std::vector<std::string>{"CASAB", "-", "-", "150", "140"}), RowTexts(c, 0));
    EXPECT_EQ((std::vector<std::string>{"CAS_B", "-", "-", "200", "200"}), RowTexts(c, 1));
    EXPECT_EQ((std::vector<std::string>{"TOTAL", "520", "500", "350", "340"}), RowTexts(c, 2));
}

TEST_F(PrintedAnnexesTest, Annex2AHeaderRowsTotalsAndSignatureStandWhereTheyBelong) {
    LoadCompany();
    Print(PrintedAnnex::A, kCf, "CASAB");
    EXPECT_EQ("Anexa 2A 200907 12345678 CASAB", m_rec.documentName);
    ASSERT_EQ(1, m_rec.pages);
    EXPECT_TRUE(m_rec.documentEnded);
    struct Expected {
        const char* text;
        int x, y, align;
    };
    for (const Expected& e : {Expected{"ALFA SRL", 200, 100, kAlignLeft},
                              {"CUI / CNP: 12345678", 200, 200, kAlignLeft},
                              {"Nr. Reg. Com.: J40/1234/2003", 200, 300, kAlignLeft},
                              {"Casa de Asigurari: CASAB", 200, 400, kAlignLeft},
                              {"ANEXA Nr. 2a)", 4600, 100, kAlignRight},
                              {"la normele metodologice", 4600, 200, kAlignRight},
                              {"LISTA *)", 2400, 510, kAlignCentre},
                              {"Luna Iulie, anul 2009", 2400, 710, kAlignCentre},
                              {"Reprezentant legal,", 4600, 1500, kAlignRight},
                              {"POPESCU ION", 4600, 1600, kAlignRight}}) {
        const TextDraw* t = Find(m_rec, 1, e.text);
        ASSERT_NE(nullptr, t) << e.text;
        EXPECT_EQ(e.x, t->at.x) << e.text;
        EXPECT_EQ(e.y, t->at.y) << e.text;
        EXPECT_EQ(e.align, t->align) << e.text;
        EXPECT_EQ(AnnexPages::kBodyFont, t->font) << e.text;
    }
    // The heading with its odd line break is two lines, framed, 900 to 1100.
    const TextDraw* category = Find(m_rec, 1, "Categoria de\nasigurat **)");
    ASSERT_NE(nullptr, category);
    EXPECT_EQ(2u, category->lines.size());
    EXPECT_EQ(2300, category->box.left);
    EXPECT_EQ(1100, category->box.bottom);

    EXPECT_EQ((std::vector<std::string>{"2850505123456", "IONESCU", "ANA", "S", "0", "0",
                                        "01.01.2008", "10.07.2009"}),
              LineAt(m_rec, 1, 1100));
    EXPECT_EQ((std::vector<std::string>{"1800101221144", "POPESCU", "ION", "CM", "50", "50",
                                        "20.07.2009", ""}),
              LineAt(m_rec, 1, 1300));
    EXPECT_EQ((std::vector<std::string>{"TOTAL", "150", "140"}), LineAt(m_rec, 1, 1400));
    const TextDraw* total = Find(m_rec, 1, "TOTAL");
    EXPECT_EQ(kAlignRight, total->align);
    EXPECT_EQ(2780, total->at.x);

    // Footnotes in the small font; the footer in the printer's own.
    const TextDraw* note =
        Find(m_rec, 1, "de persoane care realizeaza venituri asimilate salariilor.");
    ASSERT_NE(nullptr, note);
    EXPECT_EQ(6700, note->at.y);
    EXPECT_EQ(AnnexPages::kSmallFont, note->font);
    const TextDraw* footer = Find(m_rec, 1, "Orvik Asigurati 2.08");
    ASSERT_NE(nullptr, footer);
    EXPECT_EQ(PagePrinter::kFooterFont, footer->font);
}

TEST_F(PrintedAnnexesTest, Annex2ABreaksAfterFiftyRowsAndKeepsTheTotalsWithTheLastRows) {
    LoadManyEmployees(120);
    Print(PrintedAnnex::A, "34567890", "CASCJ");
    ASSERT_EQ(3, m_rec.pages);
    EXPECT_EQ(3, m_rec.pagesEnded);
    for (int page = 1; page <= 3; ++page) {
        EXPECT_NE(nullptr, Find(m_rec, page, "ANEXA Nr. 2a)")) << page;
        EXPECT_NE(nullptr, Find(m_rec, page, "GAMA SRL")) << page;
        EXPECT_NE(nullptr, Find(m_rec, page, "Orvik Asigurati 2.08")) << page;
        EXPECT_NE(nullptr,
                  Find(m_rec, page, "de persoane care realizeaza venituri asimilate salariilor."))
            << page;
    }
    EXPECT_EQ(50, RowsOnPage(m_rec, 1, 200));
    EXPECT_EQ(50, RowsOnPage(m_rec, 2, 200));
    EXPECT_EQ(20, RowsOnPage(m_rec, 3, 200));
    // The fiftieth row ends at 6100; page 2 starts with the 51st employee.
    EXPECT_EQ("ANGAJAT0050", LineAt(m_rec, 1, 6000).at(1));
    EXPECT_EQ("ANGAJAT0051", LineAt(m_rec, 2, 1100).at(1));
    // 120 x 100 + (1 + ... + 120) owed, 120 x 100 paid.
    EXPECT_EQ((std::vector<std::string>{"TOTAL", "19.260", "12.000"}), LineAt(m_rec, 3, 3100));
    EXPECT_EQ(3200, Find(m_rec, 3, "Reprezentant legal,")->at.y);
    EXPECT_EQ(nullptr, Find(m_rec, 2, "TOTAL"));
}

TEST_F(PrintedAnnexesTest, AFullLastPageSendsTotalsAndSignatureOntoANewPage) {
    LoadManyEmployees(50);
    Print(PrintedAnnex::A, "34567890", "CASCJ");
    ASSERT_EQ(2, m_rec.pages);
    EXPECT_EQ(50, RowsOnPage(m_rec, 1, 200));
    EXPECT_EQ(0, RowsOnPage(m_rec, 2, 200));
    EXPECT_NE(nullptr, Find(m_rec, 2, "ANEXA Nr. 2a)"));
    EXPECT_EQ((std::vector<std::string>{"TOTAL", "6.275", "5.000"}), LineAt(m_rec, 2, 1100));
    EXPECT_EQ(1200, Find(m_rec, 2, "Reprezentant legal,")->at.y);
    EXPECT_EQ(nullptr, Find(m_rec, 1, "Reprezentant legal,"));
}

TEST_F(PrintedAnnexesTest, Annex2BBreaksAfterThirtyDependants) {
    LoadManyDependants(45);
    Print(PrintedAnnex::B, "34567890", "CASCJ");
    ASSERT_EQ(2, m_rec.pages);
    EXPECT_EQ(30, RowsOnPage(m_rec, 1, 200));
    EXPECT_EQ(15, RowsOnPage(m_rec, 2, 200));
    EXPECT_EQ(
        (std::vector<std::string>{"2800101000009", "1900101000312", "COASIGURAT0031", "P", "P"}),
        LineAt(m_rec, 2, 1100));
    EXPECT_EQ(2600, Find(m_rec, 2, "Reprezentant legal,")->at.y);
    EXPECT_EQ(2700, Find(m_rec, 2, "MARIN ANA")->at.y);
    // The two-level heading: the group above its four columns.
    const TextDraw* group = Find(m_rec, 1, "Persoane coasigurate");
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(1300, group->box.left);
    EXPECT_EQ(4600, group->box.right);
    EXPECT_NE(
        nullptr,
        Find(m_rec, 2, "**) Se va mentiona tipul de co-asigurat (S - sot/sotie, P -  parinti)"));
    // The long title line stays whole on its line: a smaller font that fits 200-4600.
    const TextDraw* title =
        Find(m_rec, 1,
             "nominala cuprinzand persoanele aflate in intretinerea asiguratilor "
             "pentru care se plateste contributia de asigurari sociale de "
             "sanatate");
    ASSERT_NE(nullptr, title);
    EXPECT_NE(AnnexPages::kBodyFont, title->font);
    EXPECT_LE(static_cast<int>(title->text.size()) *
                  (PagePrinter::FontInPageUnits(title->font).pixelHeight / 2),
              4400);
    EXPECT_EQ(AnnexPages::kBodyFont, Find(m_rec, 1, "Luna Iulie, anul 2009")->font);
    // Exactly thirty: the signature goes onto a second page.
    Recording again;
    PagePrinter printer(m_prompter, RecordingChooser(again));
    RunSql("DELETE FROM asigurati.coasigurati WHERE nume > 'COASIGURAT0030'");
    DataList list;
    ASSERT_TRUE(m_annexes->FillList(PrintedAnnex::B, list, "34567890", "CASCJ"));
    ASSERT_TRUE(m_annexes->PrintAlone(printer, PrintedAnnex::B,
                                      *m_annexes->LoadHeader("34567890", "CASCJ"), list, kVersion));
    EXPECT_EQ(2, again.pages);
    EXPECT_EQ(1100, Find(again, 2, "Reprezentant legal,")->at.y);
}

TEST_F(PrintedAnnexesTest, Annex2CShowsTheChosenHouseBoldOnGreyAndTheEmployerOnlyInTotal) {
    LoadCompany();
    Print(PrintedAnnex::C, kCf, "CAS_B");
    ASSERT_EQ(1, m_rec.pages);
    EXPECT_NE(nullptr, Find(m_rec, 1, "CENTRALIZATOR *)"));
    EXPECT_EQ((std::vector<std::string>{"CASAB", "-", "-", "150", "140"}), LineAt(m_rec, 1, 1200));
    EXPECT_EQ((std::vector<std::string>{"CAS_B", "-", "-", "200", "200"}), LineAt(m_rec, 1, 1300));
    EXPECT_EQ((std::vector<std::string>{"TOTAL", "520", "500", "350", "340"}),
              LineAt(m_rec, 1, 1400));
    for (const TextDraw& t : m_rec.TextsOnPage(1)) {
        if (t.kind != TextKind::Cell || t.box.top < 1200 || t.box.top > 1400) continue;
        // Only CAS_B's line is grey; it and TOTAL are bold.
        EXPECT_EQ(t.box.top == 1300, t.shaded) << t.text << " at " << t.box.top;
        EXPECT_EQ(AnnexPages::kBodyFont, t.font) << t.text << " at " << t.box.top;
        EXPECT_EQ(t.box.top == 1200 ? 0 : 900, t.drawnFont.weight) << t.text << " at " << t.box.top;
    }
    // A blank line, then the signature right-aligned in 400-4600.
    const TextDraw* signature = Find(m_rec, 1, "Reprezentant legal,");
    ASSERT_NE(nullptr, signature);
    EXPECT_EQ(1600, signature->box.top);
    EXPECT_EQ(4580, signature->at.x);
    EXPECT_EQ(1700, Find(m_rec, 1, "POPESCU ION")->box.top);
    EXPECT_EQ(6400,
              Find(m_rec, 1,
                   "*) Se depune lunar la casele de asigurari de sanatate, in termen de 25 de "
                   "zile de la expirarea perioadei pentru care se datoreaza contributiile")
                  ->at.y);
    // Each of the five cells of the three lines is framed.
    int lineFrames = 0;
    for (const FrameDraw& f : m_rec.FramesOnPage(1))
        if (f.box.top >= 1200 && f.box.top <= 1400) ++lineFrames;
    EXPECT_EQ(15, lineFrames);
}

TEST_F(PrintedAnnexesTest, ABatchPrintsEveryHouseInOneDocument) {
    LoadCompany();
    const AnnexPrintJob job{
        kCf, {"CASAB", "CAS_B"}, {PrintedAnnex::A, PrintedAnnex::B, PrintedAnnex::C}};
    ASSERT_TRUE(m_annexes->PrintBatch(m_printer, job, kVersion));
    EXPECT_EQ("Orvik Asigurati - Toate anexele", m_rec.documentName);
    ASSERT_EQ(6, m_rec.pages);
    EXPECT_EQ(6, m_rec.pagesEnded);
    const char* const order[] = {"ANEXA Nr. 2a)", "ANEXA Nr. 2b)", "ANEXA Nr. 2c)"};
    for (int page = 1; page <= 6; ++page) {
        EXPECT_NE(nullptr, Find(m_rec, page, order[(page - 1) % 3])) << page;
        const char* house = page <= 3 ? "Casa de Asigurari: CASAB" : "Casa de Asigurari: CAS_B";
        EXPECT_NE(nullptr, Find(m_rec, page, house)) << page;
    }
    // CAS_B's 2b has no rows: the signature right under the headings.
    EXPECT_EQ(1100, Find(m_rec, 5, "Reprezentant legal,")->at.y);
}

TEST_F(PrintedAnnexesTest, AnUnknownCompanyPrintsNothing) {
    LoadCompany();
    m_prompter.ExpectMessage("Eroare #1234", MessageKind::Error);
    ASSERT_FALSE(
        m_annexes->PrintBatch(m_printer, {"99999999", {"CASAB"}, {PrintedAnnex::A}}, kVersion));
    EXPECT_EQ(0, m_rec.pages);
    EXPECT_TRUE(m_prompter.AllShown());
    // A cancelled printer dialog: no message, no page.
    PagePrinter cancelled(m_prompter, [](int, bool) {
        return PrinterChoice{ChoiceOutcome::Cancelled, nullptr};
    });
    const AnnexPrintJob job{kCf, {"CASAB"}, {PrintedAnnex::A}};
    EXPECT_FALSE(m_annexes->PrintBatch(cancelled, job, kVersion));
}

}  // namespace
