#include "import/ImportText.h"

#include <algorithm>
#include <cstdio>

#include "datalist/DataList.h"
#include "dbf/DbfFormat.h"
#include "dbf/DbfTableSpec.h"
#include "text/Windows1250.h"

namespace {

// Number fields hold digits only; every other field is text.
bool IsTextField(const DbfTableSpec& spec, std::size_t field) {
    return field >= spec.m_types.size() || spec.m_types[field] != "N";
}

int TextFieldCount(const DataList& list, const DbfTableSpec& spec) {
    return std::min(list.ColumnCount(), static_cast<int>(spec.m_names.size()));
}

bool HasHighByte(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::string LetterCode(char32_t letter) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(letter));
    return code;
}

// Why a stored cell of a UTF-8 file cannot be kept as written; empty when it can.
std::string RefusalOf(const std::string& field, std::string_view cell) {
    if (!IsWellFormedUtf8(cell))
        return "Campul " + field + " nu este un text UTF-8 corect. Inregistrarea a fost ignorata";
    std::string converted;
    const auto missing = Utf8ToPage(cell, converted);
    if (!missing) return {};
    return "Campul " + field + " contine caracterul " + LetterCode(*missing) +
           ", care nu exista in setul de caractere al programului. Inregistrarea a fost ignorata";
}

}  // namespace

bool HoldsUtf8Texts(const DataList& list, const DbfTableSpec& spec) {
    if (spec.m_language == kDbfLanguageUtf8) return true;
    if (spec.m_language == kDbfLanguageWindows1250) return false;
    bool multiByte = false;
    const int fields = TextFieldCount(list, spec);
    for (int column = 0; column < fields; ++column) {
        if (!IsTextField(spec, static_cast<std::size_t>(column))) continue;
        for (int row = 0; row < list.RowCount(); ++row) {
            const std::string_view cell = list.RawCell(row, column);
            if (!HasHighByte(cell)) continue;
            // One byte that is not part of a sequence and the file is single-byte text.
            if (!IsWellFormedUtf8(cell)) return false;
            multiByte = true;
        }
    }
    return multiByte;
}

std::vector<std::string> ConvertUtf8Texts(DataList& list, const DbfTableSpec& spec,
                                          std::span<const char* const> stored) {
    std::vector<std::string> refusals(static_cast<std::size_t>(list.RowCount()));
    const int fields = TextFieldCount(list, spec);
    std::string converted;
    for (int column = 0; column < fields; ++column) {
        if (!IsTextField(spec, static_cast<std::size_t>(column))) continue;
        const std::string& name = list.ColumnName(column);
        const bool kept = std::any_of(stored.begin(), stored.end(),
                                      [&](const char* field) { return name == field; });
        for (int row = 0; row < list.RowCount(); ++row) {
            const std::string_view cell = list.RawCell(row, column);
            if (!HasHighByte(cell)) continue;
            std::string& refusal = refusals[static_cast<std::size_t>(row)];
            if (kept && refusal.empty()) refusal = RefusalOf(name, cell);
            (void)Utf8ToPage(cell, converted);
            list.SetCellTextAt(row, column, converted);
        }
    }
    return refusals;
}
