#include <algorithm>

#include "datalist/DataList.h"
#include "domain/TextNumbers.h"

namespace {

bool AllDigits(std::string_view text, std::size_t length) {
    return text.size() == length && ::AllDigits(text);
}

bool IsZeroDate(std::string_view text) {
    return text.find_first_not_of('0') == std::string_view::npos;
}

bool IsSign(char c) {
    return c == '-' || c == '+';
}

// A number as kinds 3 and 5 accept it: an optional sign, digits and at most one
// "." or "," as decimal separator, with at least one digit.
bool IsNumberShape(std::string_view text) {
    const std::size_t start = !text.empty() && IsSign(text[0]) ? 1 : 0;
    bool separator = false;
    bool digit = false;
    for (const char c : text.substr(start)) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    return digit;
}

// GroupDigits drops the decimals of a number with no integer digits (",5"
// gives "0"); half a leu must not look like nothing, so a "0" goes in front
// of the separator first: ",5" shows 0,5 and "-.5" shows -0,5.
std::string WithIntegerDigit(std::string_view number) {
    std::string text(number);
    const std::size_t start = !text.empty() && IsSign(text[0]) ? 1 : 0;
    if (start < text.size() && (text[start] == '.' || text[start] == ',')) text.insert(start, "0");
    return text;
}

// Grouped, with exactly two decimals: surplus decimals are cut, missing ones
// filled with "0".
std::string AmountText(std::string_view text) {
    const std::string grouped = GroupDigits(WithIntegerDigit(text));
    const std::size_t comma = grouped.find(',');
    if (comma == std::string::npos) return grouped + ",00";
    std::string decimals = grouped.substr(comma + 1);
    decimals.resize(2, '0');
    return grouped.substr(0, comma + 1) + decimals;
}

}  // namespace

std::string FormatDisplayKind(std::string_view text, DisplayKind kind) {
    if (text.empty()) return std::string(text);
    const std::string s(text);
    switch (kind) {
        case DisplayKind::Date:
            // A date column holds 0 where there is no date yet (an employment
            // still open): shown as nothing rather than as a number.
            if (IsZeroDate(text)) return std::string();
            if (AllDigits(text, 8))
                return s.substr(6, 2) + "." + s.substr(4, 2) + "." + s.substr(0, 4);
            break;
        case DisplayKind::Month:
            if (AllDigits(text, 6)) return s.substr(4, 2) + "." + s.substr(0, 4);
            break;
        case DisplayKind::Number:
            if (IsNumberShape(text)) return GroupDigits(WithIntegerDigit(text));
            break;
        case DisplayKind::Timestamp:
            if (AllDigits(text, 14))
                return s.substr(6, 2) + "." + s.substr(4, 2) + "." + s.substr(0, 4) + " " +
                       s.substr(8, 2) + ":" + s.substr(10, 2) + ":" + s.substr(12, 2);
            break;
        case DisplayKind::Amount:
            if (IsNumberShape(text)) return AmountText(text);
            break;
        case DisplayKind::AsStored:
            break;
    }
    return s;
}

std::string FormatDisplayKind(std::string_view text, std::string_view kind) {
    if (kind.size() != 1 || kind[0] < '1' || kind[0] > '5') return std::string(text);
    return FormatDisplayKind(text, static_cast<DisplayKind>(kind[0] - '0'));
}
