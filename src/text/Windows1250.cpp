#include "text/Windows1250.h"

#include <array>
#include <unordered_map>
#include <utility>

namespace {

// Unicode of the bytes 0x80..0xFF. The five bytes the code page leaves unused
// map to the C1 control of the same value, so they survive a round trip.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

const std::unordered_map<char16_t, char>& ReverseTable() {
    static const std::unordered_map<char16_t, char> table = [] {
        std::unordered_map<char16_t, char> t;
        for (int i = 0; i < 128; ++i) t.emplace(kHighHalf[i], static_cast<char>(0x80 + i));
        return t;
    }();
    return table;
}

}  // namespace

char16_t UnicodeOfPageByte(unsigned char byte) {
    return byte < 0x80 ? char16_t(byte) : kHighHalf[byte - 0x80];
}

std::optional<char> PageByteOf(char16_t letter) {
    if (letter < 0x80) return static_cast<char>(letter);
    const auto& reverse = ReverseTable();
    const auto found = reverse.find(letter);
    if (found == reverse.end()) return std::nullopt;
    return found->second;
}

char16_t ToPageLetter(char16_t letter) {
    switch (letter) {
        case 0x0218:  // S comma below
            return 0x015E;
        case 0x0219:
            return 0x015F;
        case 0x021A:  // T comma below
            return 0x0162;
        case 0x021B:
            return 0x0163;
        default:
            return letter;
    }
}

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The letter at `at` and the bytes it takes, nothing when the bytes there are
// not a well-formed sequence.
std::optional<std::pair<char32_t, std::size_t>> NextLetter(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) return std::pair{char32_t(lead), std::size_t{1}};
    std::size_t length = 0;
    char32_t letter = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, letter = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, letter = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, letter = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (at + length > bytes.size()) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if (!IsContinuation(next)) return std::nullopt;
        letter = (letter << 6) | (next & 0x3F);
    }
    if (letter < least || letter > 0x10FFFF || (letter >= 0xD800 && letter <= 0xDFFF))
        return std::nullopt;
    return std::pair{letter, length};
}

}  // namespace

bool IsWellFormedUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto letter = NextLetter(bytes, at);
        if (!letter) return false;
        at += letter->second;
    }
    return true;
}

std::optional<char32_t> Utf8ToPage(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    std::optional<char32_t> missing;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto letter = NextLetter(utf8, at);
        if (!letter) {
            // Not UTF-8 after all: the byte is kept, as a single-byte text would be.
            out += utf8[at++];
            continue;
        }
        at += letter->second;
        std::optional<char> byte;
        // The C1 controls fill the page's unused places; they are no letters of a name.
        if (letter->first < 0x80 || (letter->first > 0x9F && letter->first <= 0xFFFF))
            byte = PageByteOf(ToPageLetter(static_cast<char16_t>(letter->first)));
        if (!byte) {
            if (!missing) missing = letter->first;
            byte = '?';
        }
        out += *byte;
    }
    return missing;
}
