#pragma once
// The bytes a dBase III file of given fields and records must have, written
// out by hand from the layout, to compare a written file with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbf/DbfFormat.h"

struct Field {
    const char* name;
    char type;
    int length;
    int decimals = 0;
};

inline void PutLittleEndian(std::string& bytes, std::size_t at, unsigned value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Header with `date`, descriptors, 0x0D, records (numbers right-aligned, the
// rest left-aligned, blanks around), 0x1A.
inline std::string ExpectedDbf(const std::vector<Field>& fields,
                               const std::vector<std::vector<std::string>>& records,
                               const DbfDate& date) {
    int recordLength = 1;
    for (const Field& f : fields) recordLength += f.length;
    std::string bytes(32, '\0');
    bytes[0] = 3;
    bytes[1] = static_cast<char>(date.year % 100);
    bytes[2] = static_cast<char>(date.month);
    bytes[3] = static_cast<char>(date.day);
    PutLittleEndian(bytes, 4, static_cast<unsigned>(records.size()), 4);
    PutLittleEndian(bytes, 8, 32 * static_cast<unsigned>(fields.size()) + 33, 2);
    PutLittleEndian(bytes, 10, static_cast<unsigned>(recordLength), 2);
    for (const Field& f : fields) {
        std::string block(32, '\0');
        block.replace(0, std::string(f.name).size(), f.name);
        block[11] = f.type;
        block[16] = static_cast<char>(f.length);
        block[17] = static_cast<char>(f.decimals);
        bytes += block;
    }
    bytes += '\x0D';
    for (const auto& values : records) {
        EXPECT_EQ(fields.size(), values.size());
        bytes += ' ';
        for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i) {
            const std::string pad(fields[i].length - values[i].size(), ' ');
            bytes += fields[i].type == 'N' ? pad + values[i] : values[i] + pad;
        }
    }
    return bytes + '\x1A';
}
