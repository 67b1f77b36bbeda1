#include "datalist/FileListLayout.h"

#include <array>
#include <string_view>

#include "datalist/DataList.h"

namespace {

// Fields naming a person, a company or a period: their digits are read one by one.
constexpr std::array<std::string_view, 13> kCodeFields = {
    "CNP", "CNPA", "CNPC", "CUI", "CF", "AN", "LN", "LUNA", "LA_LUNA", "NR_CRT", "RJ", "RN", "RA"};

bool IsCodeField(std::string_view name) {
    for (std::string_view code : kCodeFields)
        if (name == code) return true;
    return false;
}

}  // namespace

void ApplyFileListLayout(DataList& list) {
    for (int column = 0; column < list.ColumnCount(); ++column) {
        const std::string name = list.ColumnName(column);
        if (IsCodeField(name)) {
            const bool number = list.ColumnType(column) == "N";
            list.SetColumnKind(name, DisplayKind::AsStored);
            if (number) list.SetColumnAlign(column, ColumnAlign::Right);
        }
        // CNP, CNPA, CNPC and the child's CNP_COPIL.
        if (name.starts_with("CNP") && list.ColumnWidth(column) > 0 &&
            list.ColumnWidth(column) < kCnpColumnWidth)
            list.SetColumnWidthAt(column, kCnpColumnWidth);
    }
}
