#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Field list and header numbers of a dBase III table without memo. The writer fills in the
// counts and lengths it writes; the reader fills everything from the file it read.
struct DbfTableSpec {
    std::int64_t m_recordCount = 0;
    int m_headerLength = 0;
    int m_recordLength = 0;
    int m_fieldCount = 0;
    // The header's language byte: the code page its texts are in (0 says nothing). Written 0.
    std::uint8_t m_language = 0;
    std::vector<std::string> m_names;
    std::vector<std::string> m_types;
    std::vector<std::uint8_t> m_lengths;
    std::vector<std::uint8_t> m_decimals;

    void ClearFields();
};

// Appends one field. Decimals are kept only for "N" fields. A length outside 1..255 cannot be
// stored in a descriptor: the field is refused and false returned.
bool AddDbfField(DbfTableSpec& spec, const std::string& name, const std::string& type, int length,
                 int decimals);

// One field of a table layout as the program's files declare it.
struct DbfFieldLayout {
    const char* name;
    const char* type;
    int length;
    int decimals = 0;
};

// Appends the fields of a layout in their order.
void AddDbfFields(DbfTableSpec& spec, std::span<const DbfFieldLayout> fields);

// Largest values the 16-bit header fields can carry.
inline constexpr int kDbfMaxHeaderLength = 0xFFFF;
inline constexpr int kDbfMaxRecordLength = 0xFFFF;
