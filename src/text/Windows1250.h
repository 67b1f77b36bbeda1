#pragma once
#include <optional>

// The Windows-1250 code page (Central European, the page of Romanian Windows
// text), in which every text of the program is stored and written to files.

// The Unicode letter of a byte of the page.
char16_t UnicodeOfPageByte(unsigned char byte);

// The byte of the page that holds `letter`, nothing when the page has none.
[[nodiscard]] std::optional<char> PageByteOf(char16_t letter);

// The Romanian keyboard types s and t with a comma below, which the page does
// not have; its cedilla forms are the same letters to a reader.
char16_t ToPageLetter(char16_t letter);
