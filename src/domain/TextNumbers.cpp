#include "domain/TextNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr long long kMaxLong = std::numeric_limits<long long>::max();
constexpr long long kMinLong = std::numeric_limits<long long>::min();

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    return pos;
}

// The start of every C-style number: blanks, then at most one sign. Moves
// `pos` past them; true for a minus.
bool ReadLeadingSign(std::string_view text, std::size_t& pos) {
    pos = SkipBlanks(text, 0);
    if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-')) return false;
    return text[pos++] == '-';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (LowerAscii(text[i]) != word[i]) return false;
    }
    return true;
}

// Length of the decimal number at the start of `text` as strtod would take
// it: digits, an optional "." with digits, an optional exponent that counts
// only when digits follow it. Also returns the decimal magnitude (position of
// the first significant digit relative to the point, plus the exponent) so an
// out-of-range value can be told apart as overflow or underflow.
std::size_t DecimalExtent(std::string_view text, long long& magnitude, bool& anyNonZero) {
    std::size_t pos = 0;
    long long intDigits = 0;
    long long leadingFractionZeros = 0;
    bool seenDigit = false;
    anyNonZero = false;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (anyNonZero || text[pos] != '0') ++intDigits;
        anyNonZero = anyNonZero || text[pos] != '0';
        seenDigit = true;
        ++pos;
    }
    if (pos < text.size() && text[pos] == '.') {
        std::size_t after = pos + 1;
        while (after < text.size() && IsDigit(text[after])) {
            if (!anyNonZero && text[after] == '0') ++leadingFractionZeros;
            anyNonZero = anyNonZero || text[after] != '0';
            seenDigit = true;
            ++after;
        }
        if (seenDigit) pos = after;
    }
    if (!seenDigit) return 0;
    long long exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t e = pos + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        if (e < text.size() && IsDigit(text[e])) {
            std::string_view digits = text.substr(e);
            // Clamped: only the sign of the final magnitude matters beyond this.
            long long value = std::min(TextToInteger(digits), 100000000LL);
            exponent = (text[pos + 1] == '-') ? -value : value;
            while (e < text.size() && IsDigit(text[e])) ++e;
            pos = e;
        }
    }
    magnitude = (intDigits > 0 ? intDigits : -leadingFractionZeros) + exponent;
    return pos;
}

double ReadHex(std::string_view text, std::size_t& used) {
    // text starts after "0x"; strtod takes hexadecimal floats as well.
    double value = 0;
    auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::hex);
    used = static_cast<std::size_t>(result.ptr - text.data());
    if (result.ec == std::errc::result_out_of_range) {
        return std::numeric_limits<double>::infinity();
    }
    return used == 0 ? 0.0 : value;
}

}  // namespace

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

long long TextToInteger(std::string_view text) {
    std::size_t pos = 0;
    const bool negative = ReadLeadingSign(text, pos);
    // Accumulate as a negative number so that the minimum fits exactly.
    long long value = 0;
    bool saturated = false;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        int digit = text[pos] - '0';
        if (saturated) continue;
        if (value < (kMinLong + digit) / 10) {
            saturated = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (saturated) return negative ? kMinLong : kMaxLong;
    if (negative) return value;
    return value == kMinLong ? kMaxLong : -value;
}

double TextToReal(std::string_view text) {
    std::size_t pos = 0;
    const bool negative = ReadLeadingSign(text, pos);
    std::string_view rest = text.substr(pos);
    double value = 0;
    if (StartsWithWord(rest, "inf")) {
        value = std::numeric_limits<double>::infinity();
    } else if (StartsWithWord(rest, "nan")) {
        value = std::numeric_limits<double>::quiet_NaN();
    } else if (rest.size() > 2 && rest[0] == '0' && LowerAscii(rest[1]) == 'x' &&
               (IsHexDigit(rest[2]) ||
                (rest[2] == '.' && rest.size() > 3 && IsHexDigit(rest[3])))) {
        std::size_t used = 0;
        value = ReadHex(rest.substr(2), used);
    } else {
        long long magnitude = 0;
        bool anyNonZero = false;
        std::size_t length = DecimalExtent(rest, magnitude, anyNonZero);
        if (length == 0) return 0.0;
        auto result =
            std::from_chars(rest.data(), rest.data() + length, value, std::chars_format::general);
        if (result.ec == std::errc::result_out_of_range) {
            // strtod answers HUGE_VAL on overflow and (nearly) 0 on underflow.
            value = (anyNonZero && magnitude > 0) ? std::numeric_limits<double>::infinity() : 0.0;
        } else if (result.ec != std::errc()) {
            value = 0.0;
        }
    }
    return negative ? -value : value;
}

std::string GroupDigits(std::string_view numericText) {
    std::string text(numericText);
    for (char& c : text) {
        if (c == '.') c = ',';
    }
    std::size_t comma = text.find(',');
    std::string integerPart = text.substr(0, comma);
    std::string decimalPart = comma == std::string::npos ? std::string() : text.substr(comma);
    if (integerPart.empty()) return "0";
    // Either sign stays in front, outside the grouping ("+981", not "+.981").
    std::string sign;
    if (integerPart[0] == '-' || integerPart[0] == '+') {
        sign = integerPart.substr(0, 1);
        integerPart.erase(0, 1);
    }
    std::string grouped;
    grouped.reserve(integerPart.size() + integerPart.size() / 3 + 1);
    std::size_t count = integerPart.size();
    for (std::size_t i = 0; i < count; ++i) {
        // A "." goes after every third digit counted from the right, but
        // never in front of the leftmost one.
        if (i > 0 && (count - i) % 3 == 0) grouped += '.';
        grouped += integerPart[i];
    }
    return sign + grouped + decimalPart;
}

std::string IntegerToText(long long value, bool grouped) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    return grouped ? GroupDigits(text) : text;
}

static long long TruncateToLong(double value) {
    if (std::isnan(value)) return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    if (value >= 9223372036854775808.0) return kMaxLong;
    if (value < -9223372036854775808.0) return kMinLong;
    return static_cast<long long>(value);
}

std::string WholeToText(double value, bool grouped) {
    return IntegerToText(TruncateToLong(value), grouped);
}

std::string RealToText(double value, int decimals, bool grouped) {
    if (decimals < 0) decimals = 0;
    if (decimals > 40) decimals = 40;
    if (std::isnan(value) || std::isinf(value)) {
        char buffer[8];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    // to_chars rounds the exact binary value to the requested decimals just
    // as the C library's fixed-point conversion does, without the locale.
    char buffer[360];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                std::chars_format::fixed, decimals);
    std::string digits(buffer, result.ptr);
    std::size_t point = digits.find('.');
    std::string integerPart = digits.substr(0, point);
    std::string decimalPart = point == std::string::npos ? std::string() : digits.substr(point + 1);
    if (integerPart == "0") integerPart.clear();
    std::string text = integerPart + "." + decimalPart;
    if (integerPart.empty()) text = "0" + text;
    if (value < 0) text = "-" + text;
    return grouped ? GroupDigits(text) : text;
}

long long RoundHalfUp(double value) {
    long long truncated = TruncateToLong(value);
    if (std::isnan(value) || truncated == kMaxLong) return truncated;
    return value - static_cast<double>(truncated) >= 0.5 ? truncated + 1 : truncated;
}

long long RoundHalfUpRatio(long long numerator, long long denominator) {
    if (denominator == 0) return 0;
    if (denominator < 0) {
        if (denominator == kMinLong || numerator == kMinLong) return 0;
        numerator = -numerator;
        denominator = -denominator;
    }
    long long whole = numerator / denominator;  // truncated toward zero
    long long rest = numerator % denominator;
    // rest >= denominator / 2 written without overflow; negative rests never round.
    if (rest > 0 && rest >= denominator - rest) return whole + 1;
    return whole;
}

long long TextToScaled(std::string_view text, int decimals) {
    if (decimals < 0) decimals = 0;
    std::size_t pos = 0;
    const bool negative = ReadLeadingSign(text, pos);
    // Accumulated as a negative number so the minimum fits, like TextToInteger.
    long long value = 0;
    bool saturated = false;
    auto push = [&](int digit) {
        if (saturated || value < (kMinLong + digit) / 10) {
            saturated = true;
            return;
        }
        value = value * 10 - digit;
    };
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) push(text[pos] - '0');
    int taken = 0;
    if (pos < text.size() && text[pos] == '.') {
        for (++pos; pos < text.size() && IsDigit(text[pos]) && taken < decimals; ++pos, ++taken) {
            push(text[pos] - '0');
        }
    }
    for (; taken < decimals; ++taken) push(0);
    if (saturated) return negative ? kMinLong : kMaxLong;
    if (negative) return value;
    return value == kMinLong ? kMaxLong : -value;
}

namespace {

constexpr bool IsAmountSeparator(char c) {
    return c == '.' || c == ',';
}

// "1.234.567" with `separator` between groups: a first group of one to three
// digits, then groups of exactly three. Answers the digits alone.
std::optional<std::string> GroupedDigits(std::string_view text, char separator) {
    std::string digits;
    std::size_t groupLength = 0;
    bool firstGroup = true;
    for (const char c : text) {
        if (c == separator) {
            if (groupLength == 0 || groupLength > 3 || (!firstGroup && groupLength != 3))
                return std::nullopt;
            firstGroup = false;
            groupLength = 0;
        } else if (c >= '0' && c <= '9') {
            digits += c;
            ++groupLength;
        } else {
            return std::nullopt;
        }
    }
    const bool lastGroupFits = firstGroup ? groupLength > 0 : groupLength == 3;
    if (!lastGroupFits) return std::nullopt;
    return digits;
}

// The integer part of a written amount: plain digits, or digits grouped by a
// separator that is not the decimal one.
std::optional<std::string> IntegerDigits(std::string_view text, char decimalSeparator) {
    if (text.empty()) return std::string();
    const auto separator =
        std::find_if(text.begin(), text.end(), [](char c) { return IsAmountSeparator(c); });
    if (separator == text.end()) {
        if (!AllDigits(text)) return std::nullopt;
        return std::string(text);
    }
    if (*separator == decimalSeparator) return std::nullopt;
    return GroupedDigits(text, *separator);
}

}  // namespace

std::optional<std::string> ReadWrittenAmount(std::string_view text, int maxIntegerDigits) {
    const std::string trimmed = TrimBlanks(text);
    std::string_view rest = trimmed;
    std::string sign;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        if (rest.front() == '-') sign = "-";
        rest.remove_prefix(1);
    }
    if (rest.empty()) return std::nullopt;
    std::string_view integerText = rest;
    std::string_view decimals;
    char decimalSeparator = '\0';
    const std::size_t last = rest.find_last_of(".,");
    if (last != std::string_view::npos) {
        const std::size_t after = rest.size() - last - 1;
        if (after == 0) return std::nullopt;
        if (after <= 2) {
            decimalSeparator = rest[last];
            integerText = rest.substr(0, last);
            decimals = rest.substr(last + 1);
            if (!AllDigits(decimals)) return std::nullopt;
        }
    }
    std::optional<std::string> digits = IntegerDigits(integerText, decimalSeparator);
    if (!digits) return std::nullopt;
    const std::size_t firstSignificant = digits->find_first_not_of('0');
    const std::string significant =
        firstSignificant == std::string::npos ? "0" : digits->substr(firstSignificant);
    if (static_cast<long long>(significant.size()) > maxIntegerDigits) return std::nullopt;
    std::string plain = sign + significant;
    if (!decimals.empty()) plain += "." + std::string(decimals);
    return plain;
}

std::string TrimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string StripLeadingZeros(std::string_view text) {
    std::size_t begin = 0;
    while (begin + 1 < text.size() && text[begin] == '0') ++begin;
    std::string_view rest = text.substr(begin);
    if (rest == " ") return std::string();
    return std::string(rest);
}

std::string PadLeftZeros(std::string_view text, int width) {
    std::string padded;
    if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
        padded.assign(static_cast<std::size_t>(width) - text.size(), '0');
    }
    padded.append(text);
    return padded;
}

std::string NormalizeNumberText(std::string_view text) {
    std::string result = TrimBlanks(StripLeadingZeros(text));
    // Trimming already removes a lone blank; kept so the rule reads whole.
    if (result == " ") return "0";
    return result;
}

std::string ToUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string SliceChars(std::string_view text, long long first, long long last) {
    long long size = static_cast<long long>(text.size());
    if (first < 0) first = 0;
    if (last >= size) last = size - 1;
    if (first > last) return std::string();
    return std::string(
        text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1)));
}

std::string SliceCharsFrom1(std::string_view text, long long first, long long last) {
    // Guard the shift so extreme positions cannot overflow.
    if (last == kMinLong) return std::string();
    return SliceChars(text, first == kMinLong ? first : first - 1, last - 1);
}

std::string SliceCharsFrom(std::string_view text, long long first) {
    return SliceChars(text, first, kMaxLong);
}
