#include "text/RomanianOrder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "text/Windows1250.h"

namespace {

// Accented letters of the page with their plain letter, upper and lower case
// alike; the Romanian letters are not here, they have places of their own.
constexpr std::u16string_view kAccented =
    u"ŠŚŤŽŹŁĄŻĽŔÁÄĹĆÇČÉĘËĚÍĎĐŃŇÓÔŐÖŘŮÚŰÜÝ"
    u"šśťžźłążľŕáäĺćçčéęëěíďđńňóôőöřůúűüýß";
constexpr std::u16string_view kPlainOf =
    u"SSTZZLAZLRAALCCCEEEEIDDNNOOOORUUUUY"
    u"SSTZZLAZLRAALCCCEEEEIDDNNOOOORUUUUYS";

// A letter's place: the plain letters 10 apart, a Romanian letter right after
// its plain one (Ă, then Â).
std::uint16_t LetterWeight(char16_t upper, int after) {
    return static_cast<std::uint16_t>(1000 + (upper - u'A') * 10 + after);
}

std::uint16_t WeightOf(char16_t c) {
    if (c >= u'0' && c <= u'9') return static_cast<std::uint16_t>(500 + (c - u'0'));
    if (c >= u'A' && c <= u'Z') return LetterWeight(c, 0);
    if (c >= u'a' && c <= u'z') return LetterWeight(static_cast<char16_t>(c - u'a' + u'A'), 0);
    switch (c) {
        case u'Ă':
        case u'ă':
            return LetterWeight(u'A', 1);
        case u'Â':
        case u'â':
            return LetterWeight(u'A', 2);
        case u'Î':
        case u'î':
            return LetterWeight(u'I', 1);
        case u'Ş':
        case u'ş':
        case u'Ș':
        case u'ș':
            return LetterWeight(u'S', 1);
        case u'Ţ':
        case u'ţ':
        case u'Ț':
        case u'ț':
            return LetterWeight(u'T', 1);
        default:
            break;
    }
    const std::size_t accented = kAccented.find(c);
    if (accented != std::u16string_view::npos) return LetterWeight(kPlainOf[accented], 0);
    // Blanks and signs first, in the order of the page; other letters last.
    return c < 0x80 ? static_cast<std::uint16_t>(c) : static_cast<std::uint16_t>(2000 + (c & 0xFF));
}

std::array<std::uint16_t, 256> MakeWeights() {
    std::array<std::uint16_t, 256> weights{};
    for (int byte = 0; byte < 256; ++byte)
        weights[static_cast<std::size_t>(byte)] =
            WeightOf(UnicodeOfPageByte(static_cast<unsigned char>(byte)));
    return weights;
}

const std::array<std::uint16_t, 256>& Weights() {
    static const std::array<std::uint16_t, 256> weights = MakeWeights();
    return weights;
}

std::array<char, 256> MakePlainLetters() {
    std::array<char, 256> plain{};
    for (int byte = 0; byte < 256; ++byte) {
        const std::uint16_t weight = Weights()[static_cast<std::size_t>(byte)];
        const bool letter = weight >= LetterWeight(u'A', 0) && weight <= LetterWeight(u'Z', 9);
        plain[static_cast<std::size_t>(byte)] =
            letter ? static_cast<char>('A' + (weight - LetterWeight(u'A', 0)) / 10)
                   : static_cast<char>(byte);
    }
    return plain;
}

}  // namespace

std::string SearchForm(std::string_view text) {
    static const std::array<char, 256> plain = MakePlainLetters();
    std::string out(text);
    for (char& c : out) c = plain[static_cast<unsigned char>(c)];
    return out;
}

bool RomanianLess(std::string_view a, std::string_view b) {
    const auto& weights = Weights();
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint16_t x = weights[static_cast<unsigned char>(a[i])];
        const std::uint16_t y = weights[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}
