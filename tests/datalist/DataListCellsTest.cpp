#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "datalist/DataList.h"

// The cells of a list against a plain table of texts kept beside it, through long runs of
// random changes: rows added, inserted, deleted, cells set (short, past 255 and past 65,535
// bytes, and from another cell of the same row), columns inserted and deleted. Rows are moved
// between blocks, grown in place and compacted along the way; every cell must stay as set.

namespace {

using Table = std::vector<std::vector<std::string>>;

class CellsModel {
public:
    explicit CellsModel(unsigned seed) : m_random(seed) {}

    void Step() {
        const int choice = Pick(100);
        if (m_columns == 0 || choice < 3) return AddColumn();
        if (choice < 5) return RemoveColumn();
        if (choice < 20 || m_table.empty()) return AddRow(choice < 12);
        if (choice < 25) return RemoveRow();
        if (choice < 30) return CopyWithinRow();
        SetCell();
    }

    void Check(int step) const {
        ASSERT_EQ(m_list.ColumnCount(), m_columns) << "step " << step;
        ASSERT_EQ(m_list.RowCount(), static_cast<int>(m_table.size())) << "step " << step;
        for (std::size_t r = 0; r < m_table.size(); ++r)
            for (int c = 0; c < m_columns; ++c)
                ASSERT_EQ(m_list.RawCell(static_cast<int>(r), c), m_table[r][c])
                    << "step " << step << " row " << r << " column " << c;
    }

private:
    int Pick(int below) { return static_cast<int>(m_random() % static_cast<unsigned>(below)); }

    std::string Text() {
        const int kind = Pick(100);
        const std::size_t length = kind < 2    ? 65536 + Pick(2000)
                                   : kind < 10 ? 200 + Pick(200)
                                               : Pick(12);
        return std::string(length, static_cast<char>('a' + Pick(26)));
    }

    void AddColumn() {
        const int at = Pick(m_columns + 1);
        m_list.InsertColumn(at, "C" + std::to_string(m_names++), "C", 100);
        for (auto& row : m_table) row.insert(row.begin() + at, std::string());
        ++m_columns;
    }

    void RemoveColumn() {
        const int at = Pick(m_columns);
        m_list.DeleteColumn(at);
        for (auto& row : m_table) row.erase(row.begin() + at);
        --m_columns;
    }

    void AddRow(bool atEnd) {
        const std::string first = Text();
        const int at =
            atEnd ? static_cast<int>(m_table.size()) : Pick(static_cast<int>(m_table.size()) + 1);
        if (atEnd)
            m_list.AddRow(first);
        else
            m_list.InsertRow(at, first);
        std::vector<std::string> row(m_columns);
        row[0] = first;
        m_table.insert(m_table.begin() + at, row);
        // Filled cell by cell right away, as most callers do.
        for (int c = 1; c < m_columns; ++c) {
            if (Pick(2)) continue;
            m_table[at][c] = Text();
            m_list.SetCellTextAt(at, c, m_table[at][c]);
        }
    }

    void RemoveRow() {
        const int at = Pick(static_cast<int>(m_table.size()));
        m_list.DeleteRow(at);
        m_table.erase(m_table.begin() + at);
    }

    void SetCell() {
        const int row = Pick(static_cast<int>(m_table.size()));
        const int column = Pick(m_columns);
        m_table[row][column] = Text();
        m_list.SetCellTextAt(row, column, m_table[row][column]);
    }

    // The text handed in lies inside the very row it changes.
    void CopyWithinRow() {
        const int row = Pick(static_cast<int>(m_table.size()));
        const int from = Pick(m_columns), to = Pick(m_columns);
        const std::string_view source = m_list.RawCell(row, from);
        const std::size_t skip = source.empty() ? 0 : Pick(static_cast<int>(source.size()));
        m_table[row][to] = std::string(source.substr(skip));
        m_list.SetCellTextAt(row, to, source.substr(skip));
    }

    std::mt19937 m_random;
    DataList m_list;
    Table m_table;
    int m_columns = 0;
    int m_names = 0;
};

TEST(DataListCells, StayAsSetThroughRandomChanges) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CellsModel model(seed);
        for (int step = 0; step < 1500; ++step) {
            model.Step();
            if (step % 50 == 0) model.Check(step);
            if (testing::Test::HasFatalFailure()) return;
        }
        model.Check(1500);
    }
}

TEST(DataListCells, SortMovesWholeRowsAndLaterChangesStayInTheirRow) {
    DataList list;
    list.AppendColumn("K", "C", 10);
    list.AppendColumn("V", "C", 10);
    for (const char* key : {"c", "a", "b"}) {
        const int row = list.AddRow(key);
        list.SetCellTextAt(row, 1, std::string(300, key[0]));
    }
    list.SortByColumn(0, true);
    list.SetCellTextAt(0, 1, "short");
    list.SetCellTextAt(2, 0, "last one");
    EXPECT_EQ(list.RawCell(0, 0), "a");
    EXPECT_EQ(list.RawCell(0, 1), "short");
    EXPECT_EQ(list.RawCell(1, 1), std::string(300, 'b'));
    EXPECT_EQ(list.RawCell(2, 0), "last one");
    EXPECT_EQ(list.RawCell(2, 1), std::string(300, 'c'));
}

}  // namespace
