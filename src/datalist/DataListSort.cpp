#include <algorithm>
#include <cmath>

#include "datalist/DataList.h"
#include "domain/TextNumbers.h"
#include "text/RomanianOrder.h"

namespace {

constexpr std::size_t kMaxSortSequence = 64;

// A cell reading as "nan" must not break the ordering: it sorts below every number.
double NumberKey(std::string_view text) {
    const double value = TextToReal(text);
    return std::isnan(value) ? -INFINITY : value;
}

}  // namespace

// One stable sort by one column. Rows move whole (cells, colours, selection),
// so colours and selection stay with their rows; the focus follows its row.
void DataList::SortOnce(int column, bool ascending) {
    if (column < 0 || column >= ColumnCount() || m_rows.size() < 2) return;
    const std::size_t count = m_rows.size();
    std::vector<std::uint32_t> order(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = static_cast<std::uint32_t>(i);

    if (m_columns[column].m_type == "N") {
        std::vector<double> keys(count);
        for (std::size_t i = 0; i < count; ++i) keys[i] = NumberKey(CellOf(m_rows[i], column));
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
        });
    } else {
        std::vector<std::string_view> keys(count);
        for (std::size_t i = 0; i < count; ++i) keys[i] = CellOf(m_rows[i], column);
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return ascending ? RomanianLess(keys[a], keys[b]) : RomanianLess(keys[b], keys[a]);
        });
    }

    std::vector<Row> sorted;
    sorted.reserve(count);
    int focus = -1;
    for (std::size_t i = 0; i < count; ++i) {
        if (static_cast<int>(order[i]) == m_focusRow) focus = static_cast<int>(i);
        sorted.push_back(std::move(m_rows[order[i]]));
    }
    m_rows = std::move(sorted);
    m_focusRow = focus;
}

void DataList::SortByColumn(int column, bool ascending) {
    SortOnce(column, ascending);
    Notify(ListChange::Sorted);
}

// A header click. Alone: sort by that column in its direction, show its arrow,
// flip its direction. With Ctrl: the column joins (or moves to the end of) the
// sort sequence and the sequence is sorted from its last entry to its first;
// each sort being stable, the first entry ends as the primary key.
void DataList::HeaderClick(int column, bool ctrl) {
    if (column < 0 || column >= ColumnCount()) return;
    if (!ctrl) {
        for (DataColumn& c : m_columns) c.m_arrow = SortArrow::None;
        m_sortSequence.assign(1, column);
        m_sortedColumn = column;
    } else {
        const auto found = std::find(m_sortSequence.begin(), m_sortSequence.end(), column);
        if (found != m_sortSequence.end()) m_sortSequence.erase(found);
        if (m_sortSequence.size() < kMaxSortSequence) m_sortSequence.push_back(column);
        if (m_sortedColumn < 0) m_sortedColumn = m_sortSequence.front();
    }
    for (std::size_t i = m_sortSequence.size(); i-- > 0;) {
        DataColumn& entry = m_columns[m_sortSequence[i]];
        if (m_sortSequence[i] == column) {
            const bool ascending = entry.m_nextAscending;
            SortOnce(column, ascending);
            entry.m_arrow = ascending ? SortArrow::Ascending : SortArrow::Descending;
            entry.m_nextAscending = !ascending;
        } else {
            // The direction this entry was last sorted in.
            SortOnce(m_sortSequence[i], !entry.m_nextAscending);
        }
    }
    Notify(ListChange::Sorted);
}

void DataList::ResetSortDirections() {
    for (DataColumn& c : m_columns) c.m_nextAscending = true;
}

void DataList::ResetSortState() {
    m_sortSequence.clear();
    m_sortedColumn = -1;
    for (DataColumn& c : m_columns) c.m_arrow = SortArrow::None;
}
