// What a column table tells the saves and the lists: the stored form of a
// value and back, which saves write a column, and a list's layout.
#include <gtest/gtest.h>

#include "base/RecordColumns.h"
#include "base/ResultTable.h"
#include "datalist/DataList.h"
#include "datalist/ListLayout.h"

namespace {

TEST(StoredForm, ANumberColumnNeverGetsAnEmptyText) {
    EXPECT_EQ("0", StoredValue(StoredForm::Number, ""));
    EXPECT_EQ("12", StoredValue(StoredForm::Number, "12"));
    EXPECT_EQ("23.8197", StoredValue(StoredForm::Number, "23.8197"));
    // Held as typed: only the empty text is the server's problem.
    EXPECT_EQ(" ", StoredValue(StoredForm::Number, " "));
    EXPECT_EQ("", StoredValue(StoredForm::AsHeld, ""));
    EXPECT_EQ("12", HeldValue(StoredForm::Number, "12"));
}

TEST(StoredForm, ADateGoesToTheServerDashedAndComesBackCompact) {
    EXPECT_EQ("2010-03-01", StoredValue(StoredForm::Date, "20100301"));
    EXPECT_EQ("20100301", HeldValue(StoredForm::Date, "2010-03-01"));
    EXPECT_EQ("20101231", HeldValue(StoredForm::Date, StoredValue(StoredForm::Date, "20101231")));
    // A date never set reads as empty, whatever the server keeps for it.
    EXPECT_EQ("", HeldValue(StoredForm::Date, "0000-00-00"));
    EXPECT_EQ("", HeldValue(StoredForm::Date, ""));
    EXPECT_EQ("", HeldValue(StoredForm::Date, "2010-3-1"));
    // Other forms read the stored text as it is.
    EXPECT_EQ("2010-03-01", HeldValue(StoredForm::AsHeld, "2010-03-01"));
}

TEST(WrittenWhen, EachRuleNamesTheSavesThatWriteTheColumn) {
    const ColumnSpec always{.name = "nume"};
    const ColumnSpec adding{.name = "cf", .written = WrittenWhen::Adding};
    const ColumnSpec asked{.name = "tip_rectif", .written = WrittenWhen::Asked};
    const ColumnSpec never{.name = "index", .written = WrittenWhen::Never};
    const struct {
        SaveScope scope;
        bool always, adding, asked, never;
    } cases[] = {
        {{}, true, false, false, false},
        {{.adding = true}, true, true, false, false},
        {{.asked = true}, true, false, true, false},
        {{.adding = true, .asked = true}, true, true, true, false},
    };
    for (const auto& c : cases) {
        const std::string which = std::to_string(c.scope.adding) + std::to_string(c.scope.asked);
        EXPECT_EQ(c.always, IsWritten(always, c.scope)) << which;
        EXPECT_EQ(c.adding, IsWritten(adding, c.scope)) << which;
        EXPECT_EQ(c.asked, IsWritten(asked, c.scope)) << which;
        EXPECT_EQ(c.never, IsWritten(never, c.scope)) << which;
    }
    EXPECT_FALSE(IsWritten(always, {.omitted = "nume"}));
    EXPECT_TRUE(IsWritten(always, {.omitted = "prenume"}));
}

struct Row {
    std::string luna, rectif, suma;
};

const RecordColumn<Row> kRowColumns[] = {
    {{.name = "luna", .listWidth = 70, .displayKind = DisplayKind::Month}, &Row::luna},
    {{.name = "rectificativa", .listWidth = 60, .listTitle = "rectif"}, &Row::rectif},
    {{.name = "suma",
      .listWidth = 120,
      .displayKind = DisplayKind::Amount,
      .listTitle = "SUMA MEA"},
     &Row::suma},
};

TEST(ListLayout, TheTableSetsWidthsKindsAndTitlesAndHidesTheKey) {
    ResultTable result;
    result.m_columnNames = {"LUNA", "RECTIF", "ALTA", "INDEX"};
    result.m_columnKinds = {"N", "C", "C", "N"};
    result.m_values = {"201003", "NU", "x", "7"};
    result.m_rowCount = 1;
    DataList list;
    list.FillFromResult(result);
    ApplyListLayout<Row>(list, kRowColumns);
    EXPECT_EQ(70, list.ColumnWidth(0));
    EXPECT_EQ("2", list.ColumnKind(0));
    EXPECT_EQ(ColumnAlign::Right, list.ColumnAlignment(0));
    EXPECT_EQ(60, list.ColumnWidth(1));  // found by its list title
    EXPECT_EQ("", list.ColumnKind(1));   // as stored: the kind the fill gave stays
    EXPECT_EQ(100, list.ColumnWidth(2));
    EXPECT_EQ(0, list.ColumnWidth(3));
    EXPECT_EQ(4, list.ColumnCount());  // a column the list lacks is not added
}

TEST(ListLayout, AppendedColumnsTakeTheirTitlesAndKinds) {
    DataList list;
    list.AppendColumn("CF", "N", 0);
    AppendListColumns<Row>(list, kRowColumns);
    ASSERT_EQ(4, list.ColumnCount());
    EXPECT_EQ("SUMA MEA", list.ColumnTitle(3));
    EXPECT_EQ("5", list.ColumnKind(3));
    EXPECT_EQ(120, list.ColumnWidth(3));
    EXPECT_EQ("RECTIF", list.ColumnName(2));
    EXPECT_EQ("0", list.ColumnKind(2));
    EXPECT_EQ("N", list.ColumnType(2));
}

TEST(DisplayKind, TheKindAColumnKeepsFormatsAsTheEnumDoes) {
    const struct {
        DisplayKind kind;
        const char* text;
        const char* shown;
    } cases[] = {
        {DisplayKind::Date, "20090501", "01.05.2009"},
        {DisplayKind::Month, "200905", "05.2009"},
        {DisplayKind::Number, "1234567", "1.234.567"},
        {DisplayKind::Timestamp, "20090501101112", "01.05.2009 10:11:12"},
        {DisplayKind::Amount, "1234.5", "1.234,50"},
        {DisplayKind::AsStored, "20090501", "20090501"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.shown, FormatDisplayKind(c.text, c.kind)) << c.text;
        DataList list;
        list.AppendColumn("A", "C", 10, c.kind);
        EXPECT_EQ(c.shown, FormatDisplayKind(c.text, list.ColumnKind(0))) << c.text;
    }
    EXPECT_EQ("20090501", FormatDisplayKind("20090501", "9"));
    EXPECT_EQ("20090501", FormatDisplayKind("20090501", "11"));
}

}  // namespace
