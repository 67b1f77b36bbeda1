#include <gtest/gtest.h>

#include "base/ResultTable.h"
#include "datalist/DataList.h"

namespace {

ResultTable MakeResult(std::vector<std::string> names, std::vector<std::string> kinds,
                       std::vector<std::string> values) {
    ResultTable r;
    r.m_columnNames = std::move(names);
    r.m_columnKinds = std::move(kinds);
    r.m_values = std::move(values);
    r.m_rowCount = r.m_columnNames.empty() ? 0 : r.m_values.size() / r.m_columnNames.size();
    return r;
}

TEST(DataListColumns, InsertAppendAndFindByUpperCaseName) {
    DataList list;
    EXPECT_EQ(list.AppendColumn("Nume", "C", 120), 0);
    EXPECT_EQ(list.AppendColumn("suma", "N", 80, DisplayKind::Amount), 1);
    EXPECT_EQ(list.InsertColumn(0, "cnp", "C", 100), 0);
    EXPECT_EQ(list.InsertColumn(99, "Last", "C", 10), 3);  // past the end appends
    EXPECT_EQ(list.ColumnCount(), 4);
    EXPECT_EQ(list.ColumnName(1), "NUME");
    EXPECT_EQ(list.ColumnTitle(1), "Nume");
    EXPECT_EQ(list.ColumnIndex("Suma"), 2);
    EXPECT_EQ(list.ColumnIndex("nope"), -1);
    EXPECT_EQ(list.ColumnAlignment(2), ColumnAlign::Right);
    EXPECT_EQ(list.ColumnAlignment(1), ColumnAlign::Left);
    EXPECT_EQ(list.ColumnKind(2), "5");
}

TEST(DataListColumns, KindMakesNumericAndOtherKindsLeftAligned) {
    DataList list;
    list.AppendColumn("A", "C", 50);
    list.SetColumnKind("a", DisplayKind::Date);
    EXPECT_EQ(list.ColumnType(0), "N");
    EXPECT_EQ(list.ColumnAlignment(0), ColumnAlign::Right);
    list.SetColumnKind("A", static_cast<DisplayKind>(9));
    EXPECT_EQ(list.ColumnKind(0), "9");
    EXPECT_EQ(list.ColumnAlignment(0), ColumnAlign::Left);
    list.SetColumnKind("MISSING", DisplayKind::Number);  // ignored
    list.SetColumnWidth("MISSING", 3);
    list.SetColumnWidth("A", 0);
    EXPECT_EQ(list.ColumnWidth(0), 0);
}

TEST(DataListColumns, ColumnInsertAndDeleteKeepCellsInPlace) {
    DataList list;
    list.AppendColumn("A", "C", 50);
    list.AppendColumn("B", "C", 50);
    const int row = list.AddRow("a1");
    list.SetCellText(row, "B", "b1");
    list.InsertColumn(1, "M", "C", 50);
    EXPECT_EQ(list.CellText(row, "A"), "a1");
    EXPECT_EQ(list.CellText(row, "M"), "");
    EXPECT_EQ(list.CellText(row, "B"), "b1");
    list.SetCellText(row, "M", "middle");
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(list.CellTextAt(row, 0), "middle");
    EXPECT_EQ(list.CellTextAt(row, 1), "b1");
    EXPECT_TRUE(list.DeleteColumn(42));  // past the end removes the last
    EXPECT_EQ(list.ColumnCount(), 1);
    EXPECT_EQ(list.CellTextAt(row, 0), "middle");
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_FALSE(list.DeleteColumn(0));
}

TEST(DataListRows, CellsTrimNumbersAndUnknownColumns) {
    DataList list;
    list.AppendColumn("NUME", "C", 50);
    list.AppendColumn("SUMA", "N", 50);
    const int row = list.AddRow("  Popescu ");
    EXPECT_EQ(list.CellText(row, "NUME"), "Popescu");
    EXPECT_EQ(list.RawCell(row, 0), "  Popescu ");
    list.SetCellText(row, "NIMIC", "x");  // ignored
    EXPECT_EQ(list.CellText(row, "NIMIC"), "");
    EXPECT_EQ(list.CellNumber(row, "NIMIC"), 0);

    const struct {
        long long value;
        const char* text;
    } numbers[] = {{12, "12"},
                   {-12, "-12"},
                   {0, "0"},
                   {9007199254740993, "9007199254740993"},  // beyond a double's exact whole numbers
                   {9223372036854775807, "9223372036854775807"}};
    for (const auto& n : numbers) {
        list.SetCellNumber(row, "SUMA", n.value);
        EXPECT_EQ(list.CellText(row, "SUMA"), n.text) << n.value;
    }
    for (const char* text : {"12,5", "12.5", " 12x"}) {
        list.SetCellText(row, "SUMA", text);
        EXPECT_EQ(list.CellNumber(row, "SUMA"), 12) << text;
    }
    // Keys are read back whole, not rounded to the nearest double.
    list.SetCellText(row, "SUMA", "9007199254740993");
    EXPECT_EQ(list.CellNumber(row, "SUMA"), 9007199254740993LL);
}

TEST(DataListRows, AWholeRowAtOnceFillsMissingCellsAndDropsExtraOnes) {
    DataList list;
    list.AppendColumn("A", "C", 10);
    list.AppendColumn("B", "C", 10);
    list.AppendColumn("C", "C", 10);
    list.AddRowCells({"x", "", "zz"});
    list.AddRowCells({"short"});
    list.AddRowCells({"1", "2", "3", "dropped"});
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.CellTextAt(0, 0), "x");
    EXPECT_EQ(list.CellTextAt(0, 1), "");
    EXPECT_EQ(list.CellTextAt(0, 2), "zz");
    EXPECT_EQ(list.CellTextAt(1, 0), "short");
    EXPECT_EQ(list.CellTextAt(1, 2), "");
    EXPECT_EQ(list.CellTextAt(2, 2), "3");
    list.SetCellTextAt(0, 1, "middle");  // later edits still find their cells
    EXPECT_EQ(list.CellTextAt(0, 1), "middle");
    EXPECT_EQ(list.CellTextAt(0, 2), "zz");
}

TEST(DataListRows, DeleteRowsTakesColoursAlong) {
    DataList list;
    list.AppendColumn("A", "C", 50);
    for (const char* t : {"r0", "r1", "r2"}) list.AddRow(t);
    list.SetRowTextColour(1, Colour{255, 0, 0});
    EXPECT_EQ(list.RowColoursAt(0).m_textColour, (Colour{0, 0, 0}));
    EXPECT_FALSE(list.RowColoursAt(0).m_backColour.has_value());
    EXPECT_TRUE(list.DeleteRow(0));
    EXPECT_FALSE(list.DeleteRow(5));
    EXPECT_EQ(list.CellTextAt(0, 0), "r1");
    EXPECT_EQ(list.RowColoursAt(0).m_textColour, (Colour{255, 0, 0}));
    list.DeleteAllColumns();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.ColumnCount(), 0);
}

TEST(DataListRows, NextSelectedRowWalksDown) {
    DataList list;
    list.AppendColumn("A", "C", 50);
    for (int i = 0; i < 5; ++i) list.AddRow(std::to_string(i));
    EXPECT_EQ(list.NextSelectedRow(-1), -1);
    list.SetRowSelected(1, true);
    list.SetRowSelected(3, true);
    EXPECT_EQ(list.NextSelectedRow(-1), 1);
    EXPECT_EQ(list.NextSelectedRow(1), 3);
    EXPECT_EQ(list.NextSelectedRow(3), -1);
    list.DeleteRow(0);
    EXPECT_EQ(list.NextSelectedRow(-1), 0);
}

TEST(DataListFill, BuildsColumnsAndHidesChangeLogColumns) {
    DataList list;
    list.AppendColumn("OLD", "C", 10);
    list.AddRow("old");
    const ResultTable r =
        MakeResult({"NUME", "SALARIU", "ZZ_CONT", "ZZ_DATA"}, {"C", "N", "C", "D"},
                   {"Ion", "1500", "admin", "20090501101112",  //
                    "Ana", "900", "admin", "20090502101112"});
    list.FillFromResult(r);
    ASSERT_EQ(list.ColumnCount(), 4);
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.ColumnIndex("OLD"), -1);
    EXPECT_EQ(list.ColumnWidth(0), 100);
    EXPECT_EQ(list.ColumnType(1), "N");
    EXPECT_EQ(list.ColumnAlignment(1), ColumnAlign::Right);
    EXPECT_EQ(list.ColumnKind(1), "");
    EXPECT_EQ(list.ColumnWidth(2), 0);
    EXPECT_EQ(list.ColumnWidth(3), 0);
    EXPECT_EQ(list.ColumnKind(3), "4");
    EXPECT_EQ(list.ColumnType(3), "N");
    EXPECT_EQ(list.CellText(1, "NUME"), "Ana");
    EXPECT_EQ(list.CellText(0, "ZZ_CONT"), "admin");
    EXPECT_EQ(list.CellText(1, "ZZ_DATA"), "20090502101112");
}

TEST(DataListFill, RowsOnlyAppendsAndKeepsColumns) {
    DataList list;
    list.FillFromResult(MakeResult({"A", "B"}, {"C", "C"}, {"1", "2"}));
    list.SetColumnWidth("A", 33);
    list.FillFromResult(MakeResult({"X", "Y"}, {"C", "C"}, {"3", "4", "5", "6"}), false, true);
    EXPECT_EQ(list.ColumnName(0), "A");
    EXPECT_EQ(list.ColumnWidth(0), 33);
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.CellText(2, "B"), "6");
}

TEST(DataListFill, MarkerEmptiesOnlyWhenItIsTheOnlyCell) {
    DataList list;
    list.FillFromResult(MakeResult({"A"}, {"C"}, {"-=-"}));
    EXPECT_EQ(list.ColumnCount(), 1);
    EXPECT_EQ(list.RowCount(), 0);
    list.FillFromResult(MakeResult({"A", "B"}, {"C", "C"}, {"-=-", "x"}));
    EXPECT_EQ(list.RowCount(), 1);
    list.FillFromResult(MakeResult({"A"}, {"C"}, {}));
    EXPECT_EQ(list.RowCount(), 0);
    list.FillFromResult(MakeResult({}, {}, {"stray"}));
    EXPECT_EQ(list.RowCount(), 0);
}

TEST(DataListFill, ShortOrRaggedResultsNeverReadPastTheEnd) {
    DataList list;
    // Fewer kinds than names, and a trailing partial row.
    list.FillFromResult(MakeResult({"A", "B"}, {"N"}, {"1", "2", "3"}));
    EXPECT_EQ(list.ColumnType(1), "C");
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.CellText(0, "B"), "2");
}

TEST(DataListFill, IndexColumnIsHiddenAndTakesTheFollowingValue) {
    DataList list;
    list.FillFromResult(MakeResult({"A"}, {"C"}, {"x", "y"}), true, false);
    ASSERT_EQ(list.ColumnCount(), 2);
    EXPECT_EQ(list.ColumnName(1), "INDEX");
    EXPECT_EQ(list.ColumnWidth(1), 0);
    EXPECT_EQ(list.ColumnType(1), "N");
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.CellText(0, "INDEX"), "y");
    EXPECT_EQ(list.CellText(1, "INDEX"), "");  // nothing follows the last row
}

TEST(DataListFill, ChangeHandlerHearsOneNoticePerFill) {
    DataList list;
    int rowsNotices = 0;
    int other = 0;
    list.SetChangeHandler(
        [&](ListChange c, int) { (c == ListChange::Rows ? rowsNotices : other)++; });
    list.FillFromResult(MakeResult({"A"}, {"C"}, {"1", "2", "3"}), false, true);
    EXPECT_EQ(rowsNotices, 1);
    EXPECT_EQ(other, 0);
}

}  // namespace
