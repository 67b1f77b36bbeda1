#include "datalist/DataList.h"

std::string FormatDisplayKind(std::string_view text, std::string_view) {
    return std::string(text);
}
double ReadCReal(std::string_view) {
    return 0;
}
std::int64_t ReadCInteger(std::string_view) {
    return 0;
}
