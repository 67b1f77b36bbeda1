#include "domain/Identifiers.h"

#include <string>

#include "domain/TextNumbers.h"

namespace {

constexpr int kCnpWeights[12] = {2, 7, 9, 1, 4, 6, 3, 5, 8, 2, 7, 9};
constexpr int kCuiWeights[9] = {7, 5, 3, 2, 1, 7, 5, 3, 2};

constexpr std::size_t kCnpLength = 13;
constexpr std::size_t kBankAccountLength = 24;

// Appends the mod-97 remainder's decimal text to a chunk buffer. The
// remainder may be negative when a chunk read as "-..." (C's % truncates).
std::size_t WriteRemainder(int remainder, char* out) {
    std::size_t length = 0;
    if (remainder < 0) {
        out[length++] = '-';
        remainder = -remainder;
    }
    if (remainder >= 10) out[length++] = static_cast<char>('0' + remainder / 10);
    out[length++] = static_cast<char>('0' + remainder % 10);
    return length;
}

// Letters (and every other byte from 'A' up, read unsigned) become the decimal
// text of code - 55; lower codes are copied. At most 3 digits per byte.
std::size_t ExpandToDigits(const char* rearranged, std::size_t length, char* out) {
    std::size_t used = 0;
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(rearranged[i]);
        if (c < 'A') {
            out[used++] = static_cast<char>(c);
            continue;
        }
        int value = c - 55;
        if (value >= 100) out[used++] = static_cast<char>('0' + value / 100);
        if (value >= 10) out[used++] = static_cast<char>('0' + value / 10 % 10);
        out[used++] = static_cast<char>('0' + value % 10);
    }
    return used;
}

}  // namespace

bool IsValidCnp(std::string_view text) {
    if (text.size() != kCnpLength) return false;
    if (TextToInteger(text) == 0) return false;
    int sum = 0;
    for (std::size_t i = 0; i < 12; ++i) sum += DigitValue(text[i]) * kCnpWeights[i];
    int control = sum % 11;
    if (control == 10) control = 1;
    return control == DigitValue(text[12]);
}

bool IsValidFiscalCode(std::string_view text) {
    std::string code = StripLeadingZeros(TrimBlanks(text));
    std::size_t length = code.size();
    if (length < 2) return false;
    if (length >= kCnpLength) return IsValidCnp(code);
    if (length >= 10) return false;
    code = PadLeftZeros(code, 10);
    int sum = 0;
    for (std::size_t i = 0; i < 9; ++i) sum += DigitValue(code[i]) * kCuiWeights[i];
    int control = sum * 10 % 11;
    if (control == 10) control = 0;
    return control == DigitValue(code[9]);
}

bool IsValidBankAccount(std::string_view text) {
    if (text.size() != kBankAccountLength) return false;
    char rearranged[kBankAccountLength];
    for (std::size_t i = 0; i < kBankAccountLength; ++i) {
        char c = text[(i + 4) % kBankAccountLength];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        rearranged[i] = c;
    }
    char expanded[kBankAccountLength * 3];
    std::size_t length = ExpandToDigits(rearranged, kBankAccountLength, expanded);

    // Piecewise reduction: the remainder text, then the next five characters,
    // read back the way the C library reads a number (so a stray character
    // ends the chunk's value early, exactly as it always did).
    char chunk[3 + 5];
    std::size_t remainderLength = 0;
    int remainder = 0;
    for (std::size_t pos = 0; pos < length; pos += 5) {
        std::size_t take = length - pos < 5 ? length - pos : 5;
        for (std::size_t i = 0; i < take; ++i) chunk[remainderLength + i] = expanded[pos + i];
        long long value = TextToInteger(std::string_view(chunk, remainderLength + take));
        remainder = static_cast<int>(value % 97);
        remainderLength = WriteRemainder(remainder, chunk);
    }
    return remainder == 1;
}

bool IsValidSector(int countyIndex, std::string_view sector) {
    if (countyIndex != kCountyWithSectors) return true;
    long long value = TextToInteger(sector);
    return value >= 1 && value <= 6;
}
