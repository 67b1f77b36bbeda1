#include "base/RecordColumns.h"

#include "domain/TextNumbers.h"

std::string ResultName(std::string_view column) {
    return ToUpper(column);
}
