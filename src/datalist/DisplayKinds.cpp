#include <algorithm>

#include "datalist/DataList.h"
#include "domain/TextNumbers.h"

namespace {

bool AllDigits(std::string_view text, std::size_t length) {
    return text.size() == length &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A number as kinds 3 and 5 accept it: an optional sign, digits and at most one
// "." or "," as decimal separator, with at least one digit after the sign.
bool IsNumberShape(std::string_view text) {
    std::size_t i = 0;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    bool separator = false;
    bool digit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    // "-,5" has nothing before the separator but its sign: not a number.
    const bool signedEmpty =
        text.size() > 1 && (text[0] == '-' || text[0] == '+') && (text[1] == '.' || text[1] == ',');
    return digit && !signedEmpty;
}

std::string GroupedText(std::string_view text) {
    // GroupDigits groups a "+" as if it were a digit; keep it in front instead.
    if (!text.empty() && text[0] == '+') return "+" + GroupDigits(text.substr(1));
    return GroupDigits(text);
}

// Grouped, with exactly two decimals: surplus decimals are cut, missing ones
// filled with "0".
std::string AmountText(std::string_view text) {
    std::string grouped = GroupedText(text);
    const std::size_t comma = grouped.find(',');
    if (comma == std::string::npos) return grouped + ",00";
    std::string decimals = grouped.substr(comma + 1);
    decimals.resize(2, '0');
    return grouped.substr(0, comma + 1) + decimals;
}

}  // namespace

std::string FormatDisplayKind(std::string_view text, std::string_view kind) {
    if (text.empty() || kind.size() != 1) return std::string(text);
    const std::string s(text);
    switch (kind[0]) {
        case '1':
            if (AllDigits(text, 8))
                return s.substr(6, 2) + "." + s.substr(4, 2) + "." + s.substr(0, 4);
            break;
        case '2':
            if (AllDigits(text, 6)) return s.substr(4, 2) + "." + s.substr(0, 4);
            break;
        case '3':
            if (IsNumberShape(text)) return GroupedText(text);
            break;
        case '4':
            if (AllDigits(text, 14))
                return s.substr(6, 2) + "." + s.substr(4, 2) + "." + s.substr(0, 4) + " " +
                       s.substr(8, 2) + ":" + s.substr(10, 2) + ":" + s.substr(12, 2);
            break;
        case '5':
            if (IsNumberShape(text)) return AmountText(text);
            break;
        default:
            break;
    }
    return s;
}
