#pragma once
#include <span>
#include <string>

#include "base/RecordColumns.h"
#include "datalist/DataList.h"

// Widths and display kinds of the columns the table sets; the row key is
// never shown.
template <typename Record>
void ApplyListLayout(DataList& list, std::span<const RecordColumn<Record>> columns) {
    for (const auto& column : columns) {
        const std::string name = ResultName(column.spec.name);
        if (column.spec.listWidth >= 0) list.SetColumnWidth(name, column.spec.listWidth);
        if (column.spec.displayKind > 0) list.SetColumnKind(name, column.spec.displayKind);
    }
    list.SetColumnWidth("INDEX", 0);
}
