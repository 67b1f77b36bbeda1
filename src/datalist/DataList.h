#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Colour.h"
#include "base/RecordColumns.h"
#include "datalist/CellArena.h"

struct ResultTable;

// Colours of one row. Without a background of its own the row takes the
// list's background (white, or grey while the list is disabled).
struct RowColours {
    Colour m_textColour{0, 0, 0};
    std::optional<Colour> m_backColour;
};

enum class ColumnAlign { Left, Right, Centre };

// Direction arrow a column header shows after a sort.
enum class SortArrow { None, Ascending, Descending };

// One column: found by its upper-case name; the type letter ("N" numeric,
// "C" text) decides the sort key, the kind (a DisplayKind as its number,
// "1".."5"; empty for a column filled from a query) the display format.
struct DataColumn {
    std::string m_title;
    std::string m_name;
    std::string m_type;
    std::string m_kind;
    int m_width = 100;
    ColumnAlign m_align = ColumnAlign::Left;
    bool m_nextAscending = true;  // direction bit: the next click sorts ascending
    SortArrow m_arrow = SortArrow::None;
};

// What changed, so a view can repaint only what it must.
enum class ListChange { Columns, Rows, RowAdded, RowRemoved, Cell, RowColour, Sorted, Selection };

// The table behind every list: columns addressed by name, rows of text cells
// with their colours and selection, the stable header sort and the fill from a
// query result. The same model feeds the dBase writer and receives the reader.
class DataList {
public:
    using ChangeHandler = std::function<void(ListChange, int row)>;

    DataList() = default;
    DataList(const DataList&) = delete;
    DataList& operator=(const DataList&) = delete;

    // Columns
    int InsertColumn(int position, const std::string& title, const std::string& type, int width,
                     DisplayKind kind = DisplayKind::AsStored);
    int AppendColumn(const std::string& title, const std::string& type, int width,
                     DisplayKind kind = DisplayKind::AsStored);
    // A kind from Date to Amount makes the column numeric and right-aligned.
    void SetColumnKind(const std::string& name, DisplayKind kind);
    void SetColumnWidth(const std::string& name, int width);
    void SetColumnWidthAt(int column, int width);
    void SetColumnAlign(int column, ColumnAlign align);
    int ColumnIndex(const std::string& name) const;
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    const std::string& ColumnName(int column) const;
    const std::string& ColumnTitle(int column) const;
    const std::string& ColumnType(int column) const;
    const std::string& ColumnKind(int column) const;
    int ColumnWidth(int column) const;
    ColumnAlign ColumnAlignment(int column) const;
    const DataColumn& Column(int column) const { return m_columns.at(column); }
    bool DeleteColumn(int column);
    void DeleteAllColumns();

    // Rows and cells
    int AddRow(const std::string& firstText);
    // A new row at `position` (clamped to the list); the rows from there move down.
    int InsertRow(int position, const std::string& firstText);
    // A whole row at once, cells in column order (missing ones empty, extra ones
    // dropped): the fast way to fill a large list.
    int AddRowCells(const std::vector<std::string_view>& cells);
    bool DeleteRow(int row);
    void DeleteAllRows();
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    void ReserveRows(std::size_t count) { m_rows.reserve(count); }
    void SetCellText(int row, const std::string& name, std::string_view text);
    void SetCellTextAt(int row, int column, std::string_view text);
    void SetCellNumber(int row, const std::string& name, long long value);
    std::string CellText(int row, const std::string& name) const;
    std::string CellTextAt(int row, int column) const;
    // CellTextAt without the copy: valid until the list changes.
    std::string_view TrimmedCell(int row, int column) const;
    long long CellNumber(int row, const std::string& name) const;
    // The stored text untrimmed, as painted and sorted; empty outside the table.
    std::string_view RawCell(int row, int column) const;
    // Every cell of a row as RawCell gives it, in column order (nothing outside the table):
    // the fast way to read a large list. Valid until the list changes.
    void RawRow(int row, std::vector<std::string_view>& cells) const;

    void SetRowTextColour(int row, Colour colour);
    void SetRowBackColour(int row, Colour colour);
    const RowColours& RowColoursAt(int row) const { return m_rows.at(row).m_colours; }

    // Fill from the connection's current result (see FillFromResult in the .cpp).
    void FillFromResult(const ResultTable& result, bool addIndex = false, bool rowsOnly = false);
    // Overwrites the cells of `row` with row `resultRow` of a result, column by
    // column name; columns the result lacks keep their cells.
    void CopyResultRow(int row, const ResultTable& result, std::size_t resultRow);

    // Selection and focus travel with their rows through sorts and deletes.
    bool IsRowSelected(int row) const;
    void SetRowSelected(int row, bool selected);
    void ClearSelection();
    int NextSelectedRow(int row) const;
    int FocusRow() const { return m_focusRow; }
    void SetFocusRow(int row);

    // Sorting
    void SortByColumn(int column, bool ascending);
    void HeaderClick(int column, bool ctrl);
    void ResetSortDirections();
    int SortedColumn() const { return m_sortedColumn; }
    const std::vector<int>& SortSequence() const { return m_sortSequence; }

    void SetChangeHandler(ChangeHandler handler) { m_onChange = std::move(handler); }

private:
    // A row's cells live in the list's arena as one block: the end offset of each cell
    // (1, 2 or 4 bytes each, the narrowest that holds the row's length), then the cells'
    // bytes one after the other. A changed cell moves the row to a new block.
    struct Row {
        char* m_block = nullptr;
        RowColours m_colours;
        std::uint8_t m_width : 3 = 1;  // bytes per cell end
        bool m_selected : 1 = false;
    };
    // A million rows cost 16 MB beside their cells.
    static_assert(sizeof(Row) <= 16);

    // A row of `cellCount` cells, the i-th taken from cellAt(i), in a new block.
    template <typename CellAt>
    Row MakeRow(std::size_t cellCount, CellAt cellAt);
    static std::size_t EndOf(const Row& row, std::size_t cell);
    static std::string_view CellIn(const Row& row, std::size_t cellCount, std::size_t cell);
    static std::size_t BlockSize(const Row& row, std::size_t cellCount);
    std::string_view CellOf(const Row& row, int column) const;
    void SetCellOf(Row& row, int column, std::string_view text);
    bool GrowInPlace(Row& row, int column, std::string_view old, std::string_view text);
    // Rebuilds every row for a new column list: new cell i takes old cell source(i), or
    // stays empty where that is -1.
    template <typename Source>
    void RebuildCells(std::size_t oldCount, std::size_t newCount, Source source);
    // Counts a block nobody uses any more; moves the rows to a fresh arena when such blocks
    // outweigh the ones in use.
    void Abandon(const Row& row);
    void CompactIfWasteful();
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }
    void ResetSortState();
    void SortOnce(int column, bool ascending);
    void Notify(ListChange change, int row = -1) const;

    CellArena m_arena;
    std::size_t m_abandoned = 0;  // bytes of the arena no row points to
    std::vector<DataColumn> m_columns;
    std::vector<Row> m_rows;
    std::vector<int> m_sortSequence;
    int m_sortedColumn = -1;
    int m_focusRow = -1;
    ChangeHandler m_onChange;
};

// A cell's text without the blanks CellTextAt trims (space, tab, CR, LF) on either side.
inline std::string_view TrimCellText(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The text a cell shows under a display kind; texts without the required
// shape, and empty texts, come back unchanged. The second form takes the
// kind as a column keeps it ("5"); a text naming no kind shows as stored.
std::string FormatDisplayKind(std::string_view text, DisplayKind kind);
std::string FormatDisplayKind(std::string_view text, std::string_view kind);
