#include <gtest/gtest.h>

#include "datalist/DataList.h"

namespace {

// A list with a text column, a numeric column and the row number as tag.
class DataListSort : public ::testing::Test {
protected:
    void Fill(std::vector<std::pair<std::string, std::string>> rows) {
        list.AppendColumn("NUME", "C", 100);
        list.AppendColumn("SUMA", "N", 100);
        list.AppendColumn("TAG", "C", 100);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int row = list.AddRow(rows[i].first);
            list.SetCellText(row, "SUMA", rows[i].second);
            list.SetCellText(row, "TAG", std::to_string(i));
        }
    }
    std::string Column(const char* name) const {
        std::string out;
        for (int r = 0; r < list.RowCount(); ++r) out += (r ? "," : "") + list.CellText(r, name);
        return out;
    }
    DataList list;
};

TEST_F(DataListSort, NumericColumnsSortByValue) {
    Fill({{"a", "10"}, {"b", "9"}, {"c", "-1"}, {"d", "1,5"}, {"e", "1.5"}, {"f", ""}});
    list.SortByColumn(1, true);
    // "1,5" reads as 1, "" as 0.
    EXPECT_EQ(Column("SUMA"), "-1,,1,5,1.5,9,10");
    list.SortByColumn(1, false);
    EXPECT_EQ(Column("SUMA"), "10,9,1.5,1,5,,-1");
}

TEST_F(DataListSort, TextIgnoresCaseAndKeepsEqualRowsInOrder) {
    Fill({{"ion", "1"}, {"Ana", "2"}, {"ION", "3"}, {"ana", "4"}, {"Ion", "5"}, {"b", "6"}});
    list.SortByColumn(0, true);
    EXPECT_EQ(Column("TAG"), "1,3,5,0,2,4");
    list.SortByColumn(0, false);
    EXPECT_EQ(Column("TAG"), "0,2,4,5,1,3");
}

// Cells hold page bytes (octal): \303 Ă, \302 Â, \316 Î, \252 Ş, \272 ş, \336 Ţ,
// \351 é. Equal letters apart from case or a foreign accent keep their order.
TEST_F(DataListSort, TextSortsInRomanianAlphabeticalOrder) {
    Fill({{"\252ERBAN", "0"},
          {"STAN", "1"},
          {"\336URCANU", "2"},
          {"TOMA", "3"},
          {"ZAMFIR", "4"},
          {"\303LEXE", "5"},
          {"ALBU", "6"},
          {"\252TEF", "7"},
          {"\272erban", "8"},
          {"\316NCE", "9"},
          {"IZVOR", "10"},
          {"\302RGES", "11"},
          {"ARON", "12"},
          {"\351va", "13"},
          {"EVA", "14"},
          {"FANE", "15"},
          {"2 MAI", "16"},
          {" ION", "17"}});
    list.SortByColumn(0, true);
    EXPECT_EQ(Column("TAG"), "17,16,6,12,5,11,13,14,15,10,9,1,0,8,7,3,2,4");
    list.SortByColumn(0, false);
    EXPECT_EQ(Column("TAG"), "4,2,3,7,0,8,1,9,10,15,13,14,11,5,12,6,16,17");
}

TEST_F(DataListSort, ColoursSelectionAndFocusFollowTheirRows) {
    Fill({{"c", "3"}, {"a", "1"}, {"b", "2"}});
    list.SetRowTextColour(0, Colour{255, 0, 0});
    list.SetRowSelected(2, true);
    list.SetFocusRow(2);
    list.SortByColumn(1, true);
    EXPECT_EQ(Column("NUME"), "a,b,c");
    EXPECT_EQ(list.RowColoursAt(2).m_textColour, (Colour{255, 0, 0}));
    EXPECT_EQ(list.RowColoursAt(0).m_textColour, (Colour{0, 0, 0}));
    EXPECT_EQ(list.NextSelectedRow(-1), 1);
    EXPECT_EQ(list.FocusRow(), 1);
}

TEST_F(DataListSort, HeaderClickAlternatesDirectionAndArrow) {
    Fill({{"b", "1"}, {"a", "2"}, {"c", "3"}});
    int sorts = 0;
    list.SetChangeHandler([&](ListChange c, int) { sorts += c == ListChange::Sorted; });
    list.HeaderClick(0, false);
    EXPECT_EQ(Column("NUME"), "a,b,c");
    EXPECT_EQ(list.Column(0).m_arrow, SortArrow::Ascending);
    EXPECT_EQ(list.SortedColumn(), 0);
    list.HeaderClick(0, false);
    EXPECT_EQ(Column("NUME"), "c,b,a");
    EXPECT_EQ(list.Column(0).m_arrow, SortArrow::Descending);
    list.HeaderClick(1, false);  // another column clears the first arrow
    EXPECT_EQ(list.Column(0).m_arrow, SortArrow::None);
    EXPECT_EQ(list.SortedColumn(), 1);
    EXPECT_EQ(sorts, 3);
    list.ResetSortDirections();
    list.HeaderClick(0, false);
    EXPECT_EQ(Column("NUME"), "a,b,c");
}

TEST_F(DataListSort, CtrlClickKeepsThePrimaryKey) {
    Fill({{"b", "2"}, {"a", "9"}, {"b", "1"}, {"a", "10"}, {"B", "3"}});
    list.HeaderClick(0, false);  // by name, ascending
    list.HeaderClick(1, true);   // then by amount inside each name
    EXPECT_EQ(Column("TAG"), "1,3,2,0,4");
    EXPECT_EQ(list.SortSequence(), (std::vector<int>{0, 1}));
    EXPECT_EQ(list.SortedColumn(), 0);
    list.HeaderClick(1, true);  // amounts descending, names still ascending
    EXPECT_EQ(Column("TAG"), "3,1,4,0,2");
    EXPECT_EQ(list.Column(1).m_arrow, SortArrow::Descending);
    EXPECT_EQ(list.Column(0).m_arrow, SortArrow::Ascending);
}

TEST_F(DataListSort, ManyColumnsKeepTheirOwnDirection) {
    for (int c = 0; c < 70; ++c) list.AppendColumn("C" + std::to_string(c), "N", 10);
    for (int r = 0; r < 3; ++r) {
        list.AddRow("");
        list.SetCellTextAt(r, 69, std::to_string(r));
    }
    list.HeaderClick(69, false);
    list.HeaderClick(69, false);
    EXPECT_EQ(list.CellTextAt(0, 69), "2");
}

}  // namespace
