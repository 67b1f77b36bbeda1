#include "domain/Identifiers.h"

#include <string>

#include "domain/TextNumbers.h"

namespace {

constexpr int kCnpWeights[12] = {2, 7, 9, 1, 4, 6, 3, 5, 8, 2, 7, 9};
constexpr int kCuiWeights[9] = {7, 5, 3, 2, 1, 7, 5, 3, 2};

constexpr std::size_t kCnpLength = 13;
constexpr std::size_t kBankAccountLength = 24;

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
    // Moving the first four characters to the end and expanding letters to
    // two digits ("A" = 10 .. "Z" = 35) gives one long number whose remainder
    // mod 97 must be 1. Folding it in digit by digit gives the same remainder
    // as reducing it five digits at a time.
    int remainder = 0;
    for (std::size_t i = 0; i < kBankAccountLength; ++i) {
        unsigned char c = static_cast<unsigned char>(text[(i + 4) % kBankAccountLength]);
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
        if (c >= '0' && c <= '9') {
            remainder = (remainder * 10 + (c - '0')) % 97;
        } else if (c >= 'A' && c <= 'Z') {
            remainder = (remainder * 100 + (c - 55)) % 97;
        } else {
            // A blank, sign or punctuation would otherwise cut a chunk's
            // number short and let about one such text in 97 through.
            return false;
        }
    }
    return remainder == 1;
}

bool IsValidSector(int countyIndex, std::string_view sector) {
    if (countyIndex != kCountyWithSectors) return true;
    long long value = TextToInteger(sector);
    return value >= 1 && value <= 6;
}

RegistryNumberParts SplitRegistryNumber(std::string_view text) {
    RegistryNumberParts parts;
    const std::size_t first = text.find('/');
    parts.office = text.substr(0, first);
    if (first == std::string_view::npos) return parts;
    const std::string_view rest = text.substr(first + 1);
    const std::size_t second = rest.find('/');
    parts.number = rest.substr(0, second);
    if (second != std::string_view::npos) parts.year = rest.substr(second + 1);
    return parts;
}

bool IsValidRegistryNumber(std::string_view text) {
    if (text.empty()) return true;
    const RegistryNumberParts parts = SplitRegistryNumber(text);
    return AllDigits(parts.number) && parts.number.size() <= kRegistryNumberDigits &&
           AllDigits(parts.year) && parts.year.size() <= kRegistryYearDigits;
}
