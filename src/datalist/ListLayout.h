#pragma once
#include <algorithm>
#include <span>
#include <string>

#include "base/RecordColumns.h"
#include "datalist/DataList.h"

// Width and display kind of a column the table sets.
inline void ApplyColumnLayout(DataList& list, const ColumnSpec& column) {
    const std::string name = ListName(column);
    if (column.listWidth >= 0) list.SetColumnWidth(name, column.listWidth);
    if (column.displayKind != DisplayKind::AsStored) list.SetColumnKind(name, column.displayKind);
}

// The layout of a list's own columns, ones no record holds (aliases of a
// query, columns of another record shown otherwise); the row key is never
// shown.
inline void ApplyListLayout(DataList& list, std::span<const ColumnSpec> columns) {
    for (const ColumnSpec& column : columns) ApplyColumnLayout(list, column);
    list.SetColumnWidth("INDEX", 0);
}

// The layout the record's column table gives its list.
template <typename Record>
void ApplyListLayout(DataList& list, std::span<const RecordColumn<Record>> columns) {
    for (const auto& column : columns) ApplyColumnLayout(list, column.spec);
    list.SetColumnWidth("INDEX", 0);
}

// Appends the table's columns to a list filled from another query, as
// numbers, with their titles, widths and kinds.
template <typename Record>
void AppendListColumns(DataList& list, std::span<const RecordColumn<Record>> columns) {
    for (const auto& column : columns)
        list.AppendColumn(ListName(column.spec), "N", std::max(column.spec.listWidth, 0),
                          column.spec.displayKind);
}
