#include "base/RecordColumns.h"

#include "domain/TextNumbers.h"

std::string ResultName(std::string_view column) {
    return ToUpper(column);
}

std::string ListName(const ColumnSpec& column) {
    return column.listTitle.empty() ? ResultName(column.name) : std::string(column.listTitle);
}

std::string StoredValue(StoredForm form, const std::string& held) {
    switch (form) {
        case StoredForm::Number:
            return held.empty() ? "0" : held;
        case StoredForm::Date:
            return SliceChars(held, 0, 3) + "-" + SliceChars(held, 4, 5) + "-" +
                   SliceChars(held, 6, 7);
        case StoredForm::AsHeld:
            break;
    }
    return held;
}

std::string HeldValue(StoredForm form, const std::string& stored) {
    if (form != StoredForm::Date) return stored;
    if (stored.size() != 10 || TextToInteger(stored) == 0) return {};
    return SliceChars(stored, 0, 3) + SliceChars(stored, 5, 6) + SliceChars(stored, 8, 9);
}

bool IsWritten(const ColumnSpec& column, const SaveScope& scope) {
    if (column.name == scope.omitted) return false;
    switch (column.written) {
        case WrittenWhen::Adding:
            return scope.adding;
        case WrittenWhen::Asked:
            return scope.asked;
        case WrittenWhen::Never:
            return false;
        case WrittenWhen::Always:
            break;
    }
    return true;
}
