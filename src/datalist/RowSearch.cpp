#include "datalist/RowSearch.h"

#include <string>

#include "datalist/DataList.h"
#include "text/RomanianOrder.h"

namespace {

// The first row one of whose cells holds `wanted` at the start (or anywhere).
int FirstRow(const DataList& list, const std::vector<int>& columns, const std::string& wanted,
             bool atStart) {
    for (int row = 0; row < list.RowCount(); ++row) {
        for (const int column : columns) {
            const std::string cell = SearchForm(list.CellTextAt(row, column));
            const std::size_t at = cell.find(wanted);
            if (at == 0 || (!atStart && at != std::string::npos)) return row;
        }
    }
    return -1;
}

}  // namespace

int FindTypedRow(const DataList& list, const std::vector<int>& columns, std::string_view typed) {
    if (typed.empty()) return -1;
    const std::string wanted = SearchForm(typed);
    const int starting = FirstRow(list, columns, wanted, true);
    return starting >= 0 ? starting : FirstRow(list, columns, wanted, false);
}
