#pragma once
#include <optional>
#include <string>
#include <string_view>

// Number and text helpers shared by every screen, file and report.
//
// Nothing here depends on the process locale: Qt sets LC_NUMERIC from the
// environment (a Romanian desktop uses "," as decimal separator), and these
// results go into SQL, dBase files and printed annexes where they must not
// change with it. The "C library conversion" rules are therefore written out
// explicitly instead of calling atoi/atof/strtod/printf.

// Digit value of one character as the decimal conversion of that single
// character reads it: '0'..'9' give 0..9, anything else gives 0.
constexpr int DigitValue(char c) {
    return (c >= '0' && c <= '9') ? c - '0' : 0;
}

// True for the blanks the C library's isspace() knows in the "C" locale.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// True for a text of one or more of the digits 0-9 and nothing else: no sign,
// blank or separator ("" is not a number).
bool AllDigits(std::string_view text);

// Reads the leading integer of a text like atoll in the "C" locale: leading
// blanks and one sign accepted, stops at the first non-digit, no digits give
// 0. Values beyond 64 bits saturate instead of being undefined.
long long TextToInteger(std::string_view text);

// Reads the leading real number of a text like atof in the "C" locale: "."
// is the only decimal separator, an exponent, "inf" and "nan" are accepted,
// nothing readable gives 0. "12,5" therefore reads as 12.
double TextToReal(std::string_view text);

// "1234567.5" -> "1.234.567,5": "." between groups of three integer digits,
// "," before the decimals; a leading "-" or "+" is kept in front, outside the
// groups. An empty integer part gives "0" (its decimals are dropped).
std::string GroupDigits(std::string_view numericText);

std::string IntegerToText(long long value, bool grouped);

// The value truncated toward zero to a 64-bit integer (saturating), as text.
std::string WholeToText(double value, bool grouped);

// Fixed-point text with exactly `decimals` decimals ("." as separator, or ","
// when grouped). The integer part is "0" only when it would otherwise be
// empty, so 0.996 with 2 decimals is "1.00".
std::string RealToText(double value, int decimals, bool grouped);

// t = value truncated toward zero; t + 1 when value - t >= 0.5, else t.
// Negative values are therefore only truncated (-2.7 gives -2).
long long RoundHalfUp(double value);

// Exact half-up rounding of numerator / denominator with the same rule as
// RoundHalfUp (negative quotients are truncated). For amounts that must not
// pass through a binary double: 67.6000 lei x 15 days x 75% is
// RoundHalfUpRatio(676000 * 15 * 75, 10000 * 100) = 761. A zero denominator
// gives 0.
long long RoundHalfUpRatio(long long numerator, long long denominator);

// Reads the leading decimal number of a text (C-library style: leading
// blanks, a sign, digits, "." and decimals) as an exact integer count of
// 10^-decimals units; further decimals are cut off. "23.8197" with 4 gives
// 238197, "12,5" with 2 gives 1200. Saturates beyond 64 bits.
long long TextToScaled(std::string_view text, int decimals);

// An amount as people write it, pasted into an amount field: "5.200,50",
// "5200,5", "5,200.50" and "5200.50" all give "5200.50". The last "." or ","
// followed by one or two digits is the decimal separator; any other separator
// groups the integer digits by three and must be the same all along. Blanks
// around and one leading sign are allowed. Anything else, or more than
// `maxIntegerDigits` integer digits, gives nothing. The answer is plain: an
// optional "-", the integer digits ("0" when none) and "." with the decimals.
[[nodiscard]] std::optional<std::string> ReadWrittenAmount(std::string_view text,
                                                           int maxIntegerDigits);

std::string TrimBlanks(std::string_view text);

// Leading '0' characters removed, keeping at least one character; a text that
// is then a single blank becomes empty.
std::string StripLeadingZeros(std::string_view text);

// Prefixes '0' characters until the text has at least `width` characters.
std::string PadLeftZeros(std::string_view text, int width);

// StripLeadingZeros, then TrimBlanks: how numeric cells of foreign files are
// read ("0012.50" -> "12.50", a blank cell -> "").
std::string NormalizeNumberText(std::string_view text);

// ASCII-only upper-casing: bytes >= 0x80 are left as they are, whatever the
// process locale says.
std::string ToUpper(std::string_view text);

// "Characters first to last" of a text, 0-based and inclusive. Positions
// outside the text are clipped, so a short text gives a shorter or empty
// result and never throws (an open record's exit date is just "0").
std::string SliceChars(std::string_view text, long long first, long long last);

// The same with 1-based positions, for places that count from the first
// character (a stored date: year = characters 1-4).
std::string SliceCharsFrom1(std::string_view text, long long first, long long last);

// Everything from the 0-based position `first` to the end (clipped likewise).
std::string SliceCharsFrom(std::string_view text, long long first);
