#pragma once
#include <cstddef>
#include <string_view>

// Checks of Romanian identifiers. Each takes the text as typed or read from a
// file and answers true or false; bad text is never an error. Non-digit
// characters count as the digit 0, exactly as the control-digit rules were
// always computed, so a check never throws and never allocates.

// Personal numeric code: exactly 13 characters, not all zero, control digit
// from the key 279146358279. The birth date, sex/century digit and county
// digits inside the code are deliberately not checked.
bool IsValidCnp(std::string_view text);

// Company fiscal code: trimmed and stripped of leading zeros; 2..9 significant
// digits are checked with the key 753217532, 13 or more as a CNP, anything
// else is refused.
bool IsValidFiscalCode(std::string_view text);

// Romanian IBAN (24 characters, any letter case): ISO 13616 mod-97 check
// over the rearranged and letter-expanded text. Anything but letters and
// digits (blanks of a grouped account, dashes, signs) makes it invalid.
bool IsValidBankAccount(std::string_view text);

// Index of "Municipiul Bucuresti" in the county list: the only county whose
// addresses carry a sector.
inline constexpr int kCountyWithSectors = 9;

// Sector rule of the company form: for Bucharest the sector, read as an
// integer, must be 1..6; other counties have no sector to check.
bool IsValidSector(int countyIndex, std::string_view sector);

// The trade-register number "J40/1234/2003" cut at its first two "/": the
// office ("J40"), the order number ("1234") and the year ("2003"; any later
// "/" stays in it). A missing "/" leaves the later parts empty.
struct RegistryNumberParts {
    std::string_view office, number, year;
};
RegistryNumberParts SplitRegistryNumber(std::string_view text);

// The order number and the year go into numeric fields of the health
// declaration files, five and four digits wide.
inline constexpr std::size_t kRegistryNumberDigits = 5;
inline constexpr std::size_t kRegistryYearDigits = 4;

// An empty registry number (a company not in the trade register), or one
// whose order number and year are digits only and fit those fields. The
// office ("J40") is a text field and is not checked.
bool IsValidRegistryNumber(std::string_view text);
