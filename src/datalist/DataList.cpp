#include "datalist/DataList.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/ResultTable.h"
#include "domain/TextNumbers.h"

namespace {

const std::string kEmpty;

}  // namespace

void DataList::Notify(ListChange change, int row) const {
    if (m_onChange) m_onChange(change, row);
}

// ---- cells inside a row -----------------------------------------------------

namespace {

std::uint8_t WidthFor(std::size_t textSize) {
    if (textSize <= 0xFF) return 1;
    if (textSize <= 0xFFFF) return 2;
    return 4;
}

void PutEnd(char* at, std::uint8_t width, std::size_t end) {
    if (width == 1) {
        *at = static_cast<char>(end);
    } else if (width == 2) {
        const auto value = static_cast<std::uint16_t>(end);
        std::memcpy(at, &value, 2);
    } else {
        const auto value = static_cast<std::uint32_t>(end);
        std::memcpy(at, &value, 4);
    }
}

}  // namespace

std::size_t DataList::EndOf(const Row& row, std::size_t cell) {
    const char* at = row.m_block + cell * row.m_width;
    if (row.m_width == 1) return static_cast<unsigned char>(*at);
    if (row.m_width == 2) {
        std::uint16_t value;
        std::memcpy(&value, at, 2);
        return value;
    }
    std::uint32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

std::string_view DataList::CellIn(const Row& row, std::size_t cellCount, std::size_t cell) {
    if (cell >= cellCount) return {};
    const std::size_t begin = cell == 0 ? 0 : EndOf(row, cell - 1);
    return std::string_view(row.m_block + cellCount * row.m_width + begin,
                            EndOf(row, cell) - begin);
}

std::size_t DataList::BlockSize(const Row& row, std::size_t cellCount) {
    return cellCount == 0 ? 0 : cellCount * row.m_width + EndOf(row, cellCount - 1);
}

std::string_view DataList::CellOf(const Row& row, int column) const {
    if (column < 0) return {};
    return CellIn(row, m_columns.size(), static_cast<std::size_t>(column));
}

template <typename CellAt>
DataList::Row DataList::MakeRow(std::size_t cellCount, CellAt cellAt) {
    Row row;
    std::size_t textSize = 0;
    for (std::size_t i = 0; i < cellCount; ++i) textSize += std::string_view(cellAt(i)).size();
    if (cellCount == 0) return row;
    row.m_width = WidthFor(textSize) & 0x7u;  // 1, 2 or 4: fits the 3-bit field
    row.m_block = m_arena.Allocate(cellCount * row.m_width + textSize);
    char* text = row.m_block + cellCount * row.m_width;
    std::size_t end = 0;
    for (std::size_t i = 0; i < cellCount; ++i) {
        const std::string_view cell(cellAt(i));
        if (!cell.empty()) std::memcpy(text + end, cell.data(), cell.size());
        end += cell.size();
        PutEnd(row.m_block + i * row.m_width, row.m_width, end);
    }
    return row;
}

void DataList::SetCellOf(Row& row, int column, std::string_view text) {
    const std::size_t cells = m_columns.size();
    if (column < 0 || static_cast<std::size_t>(column) >= cells) return;
    const std::string_view old = CellOf(row, column);
    if (old.size() == text.size()) {
        // Same length: overwritten where it stands.
        if (!text.empty()) std::memmove(const_cast<char*>(old.data()), text.data(), text.size());
        return;
    }
    if (GrowInPlace(row, column, old, text)) return;
    // The old block stays readable while the new one is built, so `text` may point into it.
    Row changed = MakeRow(cells, [&](std::size_t i) {
        return i == static_cast<std::size_t>(column) ? text : CellIn(row, cells, i);
    });
    Abandon(row);
    row.m_block = changed.m_block;
    row.m_width = changed.m_width;
    CompactIfWasteful();
}

// A row filled cell by cell right after it was added is the last block of the arena: it
// grows where it stands, as long as its cell ends keep their width.
bool DataList::GrowInPlace(Row& row, int column, std::string_view old, std::string_view text) {
    const std::size_t cells = m_columns.size();
    const std::size_t textSize = EndOf(row, cells - 1);
    const std::size_t newTextSize = textSize - old.size() + text.size();
    if (WidthFor(newTextSize) != row.m_width) return false;
    // `text` must not lie in the bytes about to move.
    const char* blockEnd = row.m_block + cells * row.m_width + textSize;
    if (text.data() >= row.m_block && text.data() < blockEnd) return false;
    const std::size_t head = cells * row.m_width;
    if (!m_arena.Resize(row.m_block, head + textSize, head + newTextSize)) return false;
    char* cellAt = const_cast<char*>(old.data());
    const std::size_t tail = static_cast<std::size_t>(blockEnd - (old.data() + old.size()));
    std::memmove(cellAt + text.size(), old.data() + old.size(), tail);
    if (!text.empty()) std::memcpy(cellAt, text.data(), text.size());
    for (std::size_t i = static_cast<std::size_t>(column); i < cells; ++i)
        PutEnd(row.m_block + i * row.m_width, row.m_width,
               EndOf(row, i) + text.size() - old.size());
    return true;
}

template <typename Source>
void DataList::RebuildCells(std::size_t oldCount, std::size_t newCount, Source source) {
    CellArena old = std::move(m_arena);
    m_arena = CellArena();
    m_abandoned = 0;
    for (Row& row : m_rows) {
        const Row rebuilt = MakeRow(newCount, [&](std::size_t i) {
            const int from = source(i);
            return from < 0 ? std::string_view() : CellIn(row, oldCount, from);
        });
        row.m_block = rebuilt.m_block;
        row.m_width = rebuilt.m_width;
    }
}

void DataList::Abandon(const Row& row) {
    m_abandoned += BlockSize(row, m_columns.size());
}

void DataList::CompactIfWasteful() {
    constexpr std::size_t kSmallWaste = std::size_t{1} << 20;
    const std::size_t used = m_arena.Used();
    if (m_abandoned < kSmallWaste || m_abandoned < used - m_abandoned) return;
    const std::size_t cells = m_columns.size();
    RebuildCells(cells, cells, [](std::size_t i) { return static_cast<int>(i); });
}

// ---- columns ------------------------------------------------------------------

int DataList::InsertColumn(int position, const std::string& title, const std::string& type,
                           int width, DisplayKind kind) {
    if (position < 0 || position > ColumnCount()) position = ColumnCount();
    DataColumn column;
    column.m_title = title;
    column.m_name = ToUpper(title);
    column.m_type = type;
    column.m_kind = std::to_string(static_cast<int>(kind));
    column.m_width = std::max(width, 0);
    column.m_align = type == "N" ? ColumnAlign::Right : ColumnAlign::Left;
    const std::size_t oldCount = m_columns.size();
    m_columns.insert(m_columns.begin() + position, std::move(column));
    RebuildCells(oldCount, oldCount + 1, [position](std::size_t i) {
        const int at = static_cast<int>(i);
        return at < position ? at : at == position ? -1 : at - 1;
    });
    ResetSortState();
    Notify(ListChange::Columns);
    return position;
}

int DataList::AppendColumn(const std::string& title, const std::string& type, int width,
                           DisplayKind kind) {
    return InsertColumn(ColumnCount(), title, type, width, kind);
}

void DataList::SetColumnKind(const std::string& name, DisplayKind kind) {
    const int index = ColumnIndex(name);
    if (index < 0) return;
    DataColumn& column = m_columns[index];
    const int number = static_cast<int>(kind);
    column.m_kind = std::to_string(number);
    if (number >= static_cast<int>(DisplayKind::Date) &&
        number <= static_cast<int>(DisplayKind::Amount)) {
        column.m_type = "N";
        column.m_align = ColumnAlign::Right;
    } else {
        column.m_align = ColumnAlign::Left;
    }
    Notify(ListChange::Columns);
}

void DataList::SetColumnWidth(const std::string& name, int width) {
    SetColumnWidthAt(ColumnIndex(name), width);
}

void DataList::SetColumnWidthAt(int column, int width) {
    if (column < 0 || column >= ColumnCount()) return;
    m_columns[column].m_width = std::max(width, 0);
    Notify(ListChange::Columns);
}

void DataList::SetColumnAlign(int column, ColumnAlign align) {
    if (column < 0 || column >= ColumnCount()) return;
    m_columns[column].m_align = align;
    Notify(ListChange::Columns);
}

int DataList::ColumnIndex(const std::string& name) const {
    const std::string upper = ToUpper(name);
    for (int i = 0; i < ColumnCount(); ++i)
        if (m_columns[i].m_name == upper) return i;
    return -1;
}

const std::string& DataList::ColumnName(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[column].m_name : kEmpty;
}
const std::string& DataList::ColumnTitle(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[column].m_title : kEmpty;
}
const std::string& DataList::ColumnType(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[column].m_type : kEmpty;
}
const std::string& DataList::ColumnKind(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[column].m_kind : kEmpty;
}
int DataList::ColumnWidth(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[column].m_width : 0;
}
ColumnAlign DataList::ColumnAlignment(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[column].m_align : ColumnAlign::Left;
}

bool DataList::DeleteColumn(int column) {
    if (m_columns.empty() || column < 0) return false;
    if (column >= ColumnCount()) column = ColumnCount() - 1;
    const std::size_t oldCount = m_columns.size();
    m_columns.erase(m_columns.begin() + column);
    RebuildCells(oldCount, oldCount - 1, [column](std::size_t i) {
        const int at = static_cast<int>(i);
        return at < column ? at : at + 1;
    });
    ResetSortState();
    Notify(ListChange::Columns);
    return true;
}

void DataList::DeleteAllColumns() {
    // Rows first: their cells hang off the columns.
    DeleteAllRows();
    m_columns.clear();
    ResetSortState();
    Notify(ListChange::Columns);
}

// ---- rows and cells -----------------------------------------------------------

int DataList::AddRow(const std::string& firstText) {
    m_rows.push_back(MakeRow(m_columns.size(), [&](std::size_t i) {
        return i == 0 ? std::string_view(firstText) : std::string_view();
    }));
    const int index = RowCount() - 1;
    Notify(ListChange::RowAdded, index);
    return index;
}

int DataList::InsertRow(int position, const std::string& firstText) {
    const Row row = MakeRow(m_columns.size(), [&](std::size_t i) {
        return i == 0 ? std::string_view(firstText) : std::string_view();
    });
    const int index = std::clamp(position, 0, RowCount());
    m_rows.insert(m_rows.begin() + index, row);
    if (m_focusRow >= index) ++m_focusRow;
    Notify(ListChange::RowAdded, index);
    return index;
}

int DataList::AddRowCells(const std::vector<std::string_view>& cells) {
    m_rows.push_back(MakeRow(m_columns.size(), [&](std::size_t i) {
        return i < cells.size() ? cells[i] : std::string_view();
    }));
    const int index = RowCount() - 1;
    Notify(ListChange::RowAdded, index);
    return index;
}

bool DataList::DeleteRow(int row) {
    if (!ValidRow(row)) return false;
    Abandon(m_rows[row]);
    m_rows.erase(m_rows.begin() + row);
    if (m_focusRow == row)
        m_focusRow = -1;
    else if (m_focusRow > row)
        --m_focusRow;
    Notify(ListChange::RowRemoved, row);
    return true;
}

void DataList::DeleteAllRows() {
    m_rows.clear();
    m_arena.Clear();
    m_abandoned = 0;
    m_focusRow = -1;
    Notify(ListChange::Rows);
}

void DataList::SetCellTextAt(int row, int column, std::string_view text) {
    if (!ValidRow(row)) return;
    SetCellOf(m_rows[row], column, text);
    Notify(ListChange::Cell, row);
}

void DataList::SetCellText(int row, const std::string& name, std::string_view text) {
    const int column = ColumnIndex(name);
    if (column >= 0) SetCellTextAt(row, column, text);
}

void DataList::SetCellNumber(int row, const std::string& name, long long value) {
    SetCellText(row, name, std::to_string(value));
}

std::string_view DataList::RawCell(int row, int column) const {
    if (!ValidRow(row)) return {};
    return CellOf(m_rows[row], column);
}

void DataList::RawRow(int row, std::vector<std::string_view>& cells) const {
    cells.clear();
    if (!ValidRow(row)) return;
    const Row& stored = m_rows[row];
    const std::size_t count = m_columns.size();
    const char* text = stored.m_block + count * stored.m_width;
    std::size_t begin = 0;
    cells.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = EndOf(stored, i);
        cells.emplace_back(text + begin, end - begin);
        begin = end;
    }
}

std::string DataList::CellTextAt(int row, int column) const {
    return std::string(TrimmedCell(row, column));
}

std::string_view DataList::TrimmedCell(int row, int column) const {
    return TrimCellText(RawCell(row, column));
}

std::string DataList::CellText(int row, const std::string& name) const {
    const int column = ColumnIndex(name);
    return column < 0 ? std::string() : CellTextAt(row, column);
}

long long DataList::CellNumber(int row, const std::string& name) const {
    const int column = ColumnIndex(name);
    if (column < 0) return 0;
    return TextToInteger(RawCell(row, column));
}

void DataList::SetRowTextColour(int row, Colour colour) {
    if (!ValidRow(row)) return;
    m_rows[row].m_colours.m_textColour = colour;
    Notify(ListChange::RowColour, row);
}

void DataList::SetRowBackColour(int row, Colour colour) {
    if (!ValidRow(row)) return;
    m_rows[row].m_colours.m_backColour = colour;
    Notify(ListChange::RowColour, row);
}

// ---- selection ------------------------------------------------------------------

bool DataList::IsRowSelected(int row) const {
    return ValidRow(row) && m_rows[row].m_selected;
}

void DataList::SetRowSelected(int row, bool selected) {
    if (!ValidRow(row) || m_rows[row].m_selected == selected) return;
    m_rows[row].m_selected = selected;
    Notify(ListChange::Selection, row);
}

void DataList::ClearSelection() {
    bool changed = false;
    for (Row& row : m_rows) {
        changed = changed || row.m_selected;
        row.m_selected = false;
    }
    if (changed) Notify(ListChange::Selection);
}

int DataList::NextSelectedRow(int row) const {
    for (int i = std::max(row + 1, 0); i < RowCount(); ++i)
        if (m_rows[i].m_selected) return i;
    return -1;
}

void DataList::SetFocusRow(int row) {
    m_focusRow = ValidRow(row) ? row : -1;
}

// ---- fill from a query result ---------------------------------------------------

// Unless rowsOnly, the columns are rebuilt from the result: width 100 ("ZZ_CONT"
// and "ZZ_DATA" hidden), "N" columns right-aligned, an optional hidden "INDEX"
// column, and "ZZ_DATA" shown as a timestamp. Rows are then appended.
void DataList::FillFromResult(const ResultTable& result, bool addIndex, bool rowsOnly) {
    const std::size_t columnCount = result.m_columnNames.size();
    if (!rowsOnly) {
        DeleteAllColumns();
        for (std::size_t i = 0; i < columnCount; ++i) {
            const std::string& name = result.m_columnNames[i];
            const bool numeric = i < result.m_columnKinds.size() && result.m_columnKinds[i] == "N";
            const int width = name == "ZZ_CONT" || name == "ZZ_DATA" ? 0 : 100;
            AppendColumn(name, numeric ? "N" : "C", width);
            m_columns.back().m_kind.clear();
        }
        if (addIndex) {
            AppendColumn("INDEX", "N", 0);
            m_columns.back().m_kind.clear();
        }
        SetColumnKind("ZZ_DATA", DisplayKind::Timestamp);
    }
    const std::vector<std::string>& values = result.m_values;
    if (columnCount == 0 || values.empty()) return;
    if (values.size() == 1 && values[0] == "-=-") return;

    const int indexColumn = addIndex ? ColumnIndex("INDEX") : -1;
    const std::size_t rowCount = values.size() / columnCount;
    const int cellColumns = std::min<int>(static_cast<int>(columnCount), ColumnCount());
    const ChangeHandler handler =
        std::exchange(m_onChange, nullptr);  // one notice, not one per cell
    m_rows.reserve(m_rows.size() + rowCount);
    for (std::size_t r = 0; r < rowCount; ++r) {
        const std::size_t base = r * columnCount;
        // The value after the row's cells goes into the index column, when the result holds one.
        const bool indexed = indexColumn >= 0 && base + columnCount < values.size();
        m_rows.push_back(MakeRow(m_columns.size(), [&](std::size_t c) {
            if (indexed && c == static_cast<std::size_t>(indexColumn))
                return std::string_view(values[base + columnCount]);
            return c < static_cast<std::size_t>(cellColumns) ? std::string_view(values[base + c])
                                                             : std::string_view();
        }));
    }
    m_onChange = handler;
    Notify(ListChange::Rows);
}

void DataList::CopyResultRow(int row, const ResultTable& result, std::size_t resultRow) {
    const std::size_t columnCount = result.m_columnNames.size();
    const std::size_t base = resultRow * columnCount;
    if (!ValidRow(row) || columnCount == 0 || base + columnCount > result.m_values.size()) return;
    for (std::size_t c = 0; c < columnCount; ++c) {
        const int column = ColumnIndex(result.m_columnNames[c]);
        if (column >= 0) SetCellOf(m_rows[row], column, result.m_values[base + c]);
    }
    Notify(ListChange::Cell, row);
}
