// The pages of 2a, 2b and 2c for a company whose texts are as long as their
// columns hold: every text stays in its cell and on the page, and none prints
// over another. Drawn from lists made here, without a server.
#include <gtest/gtest.h>

#include <optional>

#include "RecordedInk.h"
#include "ScriptedPrompter.h"
#include "datalist/DataList.h"
#include "health/AnnexPages.h"
#include "print/PagePrinter.h"
#include "print/RecordingBackend.h"

namespace {

const std::string kMark = "\x85";

// `length` characters of words, as a long company or person name reads.
std::string LongText(const std::string& start, std::size_t length) {
    std::string text = start;
    while (text.size() < length) text += " CONSTRUCTII MONTAJ SI REPARATII";
    text.resize(length);
    return text;
}

AnnexPageHeader LongHeader(const std::string& house) {
    AnnexPageHeader h;
    h.cf = "1800101221144";
    h.denumire = LongText("SOCIETATEA COMERCIALA", 255);
    h.regCom = LongText("J40/1234/2003", 50);
    h.repr = LongText("POPESCU-IONESCU", 255);
    h.house = house;
    h.month = *ParseAnnexMonth("200907");
    return h;
}

void Columns(DataList& list, std::initializer_list<const char*> names) {
    for (const char* name : names) list.AppendColumn(name, "C", 100);
}

// Two full pages of 2a: 50-character names, the widest sums, an open employment.
void Fill2A(DataList& list) {
    Columns(list, {"CNP", "NUME", "PRENUME", "CATEGORIA", "DATORAT_LUNA", "VIRAT_LUNA",
                   "DATA_ANGAJARII", "DATA_PLECARII"});
    for (int i = 0; i < 60; ++i) {
        const int row = list.AddRow("1800101221144");
        list.SetCellText(row, "NUME", LongText("POPESCU-IONESCU", 50));
        list.SetCellText(row, "PRENUME",
                         i == 0 ? "ELENA-RAMONA-MX" : LongText("ELENA-RAMONA-MX", 50));
        list.SetCellText(row, "CATEGORIA", "CM");
        list.SetCellText(row, "DATORAT_LUNA", "9999999999");
        list.SetCellText(row, "VIRAT_LUNA", "9999999999");
        list.SetCellText(row, "DATA_ANGAJARII", "20090720");
        list.SetCellText(row, "DATA_PLECARII", "0");
    }
    const int total = list.AddRow("");
    list.SetCellText(total, "CATEGORIA", "TOTAL");
    list.SetCellText(total, "DATORAT_LUNA", "599999999940");
    list.SetCellText(total, "VIRAT_LUNA", "599999999940");
}

struct Printed {
    ScriptedPrompter prompter;
    Recording rec;
    PagePrinter printer{prompter, RecordingChooser(rec)};

    void Draw(PrintedAnnex annex, const AnnexPageHeader& header, const DataList& list) {
        ASSERT_TRUE(printer.Begin(PagePrinter::kPortrait));
        DrawAnnexPages(printer, annex, header, list, "2.08");
        printer.End();
    }
    std::optional<TextDraw> Find(int page, const std::string& text) const {
        for (const TextDraw& t : rec.TextsOnPage(page))
            if (t.text == text) return t;
        return std::nullopt;
    }
};

std::string Joined(const std::vector<std::string>& found) {
    std::string text;
    for (const std::string& f : found) text += f + "\n";
    return text;
}

TEST(AnnexPagesFit, Annex2AWithTheLongestTextsKeepsEveryTextInItsPlace) {
    DataList list;
    Fill2A(list);
    Printed p;
    p.Draw(PrintedAnnex::A, LongHeader("CASAB"), list);
    ASSERT_EQ(2, p.rec.pages);
    const auto found = recorded_ink::Overprints(p.rec, {4950, 7000});
    EXPECT_TRUE(found.empty()) << Joined(found);
    for (int page = 1; page <= 2; ++page) {
        // The name runs up to the annex number, cut, and its start is whole.
        const auto name = p.Find(page, LongHeader("CASAB").denumire);
        ASSERT_TRUE(name) << page;
        ASSERT_EQ(1u, name->lines.size());
        EXPECT_EQ(0u, name->lines[0].rfind("SOCIETATEA COMERCIALA", 0)) << name->lines[0];
        EXPECT_EQ(kMark, name->lines[0].substr(name->lines[0].size() - 1));
        EXPECT_TRUE(p.Find(page, "ANEXA Nr. 2a)")) << page;
    }
    // A first name that is only a little too wide shrinks and prints whole.
    const auto shortName = p.Find(1, "ELENA-RAMONA-MX");
    ASSERT_TRUE(shortName);
    EXPECT_EQ(std::vector<std::string>{"ELENA-RAMONA-MX"}, shortName->lines);
    EXPECT_LT(shortName->drawnFont.pixelHeight, 90);
    const auto longName = p.Find(1, LongText("ELENA-RAMONA-MX", 50));
    ASSERT_TRUE(longName);
    EXPECT_EQ(0u, longName->lines.at(0).rfind("ELENA-RAMONA-MX", 0)) << longName->lines[0];
    // The sums stay whole in their narrow columns.
    EXPECT_TRUE(p.Find(1, "9.999.999.999"));
    EXPECT_EQ(std::vector<std::string>{"9.999.999.999"}, p.Find(1, "9.999.999.999")->lines);
}

TEST(AnnexPagesFit, Annex2BWithTheLongestTextsKeepsEveryTextInItsPlace) {
    DataList list;
    Columns(list, {"CNP_ANGAJAT", "CNP", "NUME", "PRENUME", "TIP"});
    for (int i = 0; i < 35; ++i) {
        const int row = list.AddRow("1800101221144");
        list.SetCellText(row, "CNP", "2900101221144");
        list.SetCellText(row, "NUME", LongText("POPESCU-IONESCU", 50));
        list.SetCellText(row, "PRENUME", LongText("ELENA-RAMONA-MX", 50));
        list.SetCellText(row, "TIP", "P");
    }
    Printed p;
    p.Draw(PrintedAnnex::B, LongHeader("CASAB"), list);
    ASSERT_EQ(2, p.rec.pages);
    const auto found = recorded_ink::Overprints(p.rec, {4950, 7000});
    EXPECT_TRUE(found.empty()) << Joined(found);
}

TEST(AnnexPagesFit, Annex2CBoldRowsKeepThePagesFaceAndEveryTextItsPlace) {
    DataList list;
    Columns(list,
            {"CASA", "ANG DATORAT LUNA", "ANG VIRAT LUNA", "ASIG DATORAT LUNA", "ASIG VIRAT LUNA"});
    for (const char* house : {"CASAB", "CAS_B", "TOTAL"}) {
        const int row = list.AddRow(house);
        for (const char* sum :
             {"ANG DATORAT LUNA", "ANG VIRAT LUNA", "ASIG DATORAT LUNA", "ASIG VIRAT LUNA"})
            list.SetCellText(row, sum, "9999999999");
    }
    Printed p;
    p.Draw(PrintedAnnex::C, LongHeader("CAS_B"), list);
    ASSERT_EQ(1, p.rec.pages);
    const auto found = recorded_ink::Overprints(p.rec, {4950, 7000});
    EXPECT_TRUE(found.empty()) << Joined(found);
    const std::string face = PagePrinter::FontInPageUnits(AnnexPages::kBodyFont).family;
    for (const TextDraw& t : p.rec.TextsOnPage(1)) {
        if (t.kind != TextKind::Cell || t.box.top < 1200 || t.box.top > 1400) continue;
        EXPECT_EQ(face, t.drawnFont.family) << t.text << " at " << t.box.top;
        // CAS_B's line and TOTAL are bold, CASAB's is not.
        EXPECT_EQ(t.box.top == 1200 ? 0 : 900, t.drawnFont.weight) << t.text << " at " << t.box.top;
    }
    // Nothing on the page is drawn in another face than the body's.
    for (const TextDraw& t : p.rec.TextsOnPage(1)) EXPECT_EQ(face, t.drawnFont.family) << t.text;
}

}  // namespace
