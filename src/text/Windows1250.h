#pragma once
#include <optional>
#include <string>
#include <string_view>

// The Windows-1250 code page (Central European, the page of Romanian Windows
// text), in which every text of the program is stored and written to files.

// The Unicode letter of a byte of the page.
char16_t UnicodeOfPageByte(unsigned char byte);

// The byte of the page that holds `letter`, nothing when the page has none.
[[nodiscard]] std::optional<char> PageByteOf(char16_t letter);

// The Romanian keyboard types s and t with a comma below, which the page does
// not have; its cedilla forms are the same letters to a reader.
char16_t ToPageLetter(char16_t letter);

// Texts written by programs that store UTF-8. Only well-formed UTF-8 counts:
// no overlong forms, no surrogates, nothing past U+10FFFF, no cut sequence.
[[nodiscard]] bool IsWellFormedUtf8(std::string_view bytes);

// The page's bytes for well-formed UTF-8 `utf8` (comma-below letters as their
// cedilla forms). A letter the page cannot hold becomes "?" and the first one
// is answered, so the caller can refuse the text instead of storing the "?".
[[nodiscard]] std::optional<char32_t> Utf8ToPage(std::string_view utf8, std::string& out);
