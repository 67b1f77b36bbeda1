#include <gtest/gtest.h>

#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DbfTestSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfReader.h"

namespace {

using Field = DbfBytes::Field;

const std::vector<Field> kPersonFields = {{"CNP", 'N', 6}, {"NUME", 'C', 4}, {"ANG", 'D', 8}};

struct ReadResult {
    bool ok = false;
    DataList list;
    DbfTableSpec spec;
    std::string error;
};

void Read(const std::string& bytes, ReadResult& result) {
    TempFolder folder;
    WriteBytes(folder.File("in.dbf"), bytes);
    result.ok =
        ReadDbfFile(folder.File("in.dbf"), result.list, result.spec, nullptr, &result.error);
}

// Flag byte and values, each exactly as wide as its field.
std::string Record(char flag, const std::vector<std::string>& values,
                   const std::vector<Field>& fields = kPersonFields) {
    std::string bytes(1, flag);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].size(), static_cast<std::size_t>(fields[i].length));
        bytes += values[i];
    }
    return bytes;
}

TEST(DbfReader, CellsFollowTheirFieldType) {
    const std::vector<std::vector<std::string>> stored = {
        {"000123", "ION ", "20090501"},
        {"  12.5", "AB  ", "20090501"},
        {"      ", "X   ", "       0"},
        {std::string("12\0 34", 6), std::string("\0BCD", 4), "20090501"},
        {"012.50", std::string("A\0BC", 4), "        "},
        {"    -7", " ABC", " 2009   "},
    };
    const std::vector<std::vector<std::string>> expected = {
        {"123", "ION ", "20090501"},   // leading zeros go
        {"12,5", "AB  ", "20090501"},  // the point becomes a comma; text blanks stay
        {"", "X   ", "       0"},     {"12", "", "20090501"},  // a zero byte ends the value
        {"12,50", "A", "        "},   {"-7", " ABC", " 2009   "},
    };
    std::string bytes = DbfBytes::Header(6, kPersonFields);
    for (const auto& values : stored) bytes += Record(' ', values);
    ReadResult r;
    Read(bytes + "\x1A", r);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.list.RowCount(), 6);
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(r.list.RawCell(row, column), expected[row][column])
                << "row " << row << " column " << column;
}

TEST(DbfReader, OneBlankTextCellStaysEmpty) {
    ReadResult r;
    Read(DbfBytes::Header(1, {{"A", 'C', 1}, {"B", 'C', 2}}) + "    ", r);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.list.RawCell(0, 0), "");
    EXPECT_EQ(r.list.RawCell(0, 1), "  ");
}

TEST(DbfReader, ColumnsAndSpecComeFromTheDescriptors) {
    ReadResult r;
    Read(DbfBytes::Header(
             0, {{"CNP", 'N', 13}, {"ABCDEFGHIJK", 'C', 30}, {"ANG", 'D', 8}, {"SUMA", 'F', 12}}),
         r);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.spec.m_recordCount, 0);
    EXPECT_EQ(r.spec.m_headerLength, 161);
    EXPECT_EQ(r.spec.m_recordLength, 64);
    EXPECT_EQ(r.spec.m_fieldCount, 4);
    // An 11-byte name without a zero byte is taken whole.
    EXPECT_EQ(r.spec.m_names, (std::vector<std::string>{"CNP", "ABCDEFGHIJK", "ANG", "SUMA"}));
    EXPECT_EQ(r.spec.m_types, (std::vector<std::string>{"N", "C", "D", "F"}));
    EXPECT_EQ(r.spec.m_lengths, (std::vector<std::uint8_t>{13, 30, 8, 12}));
    ASSERT_EQ(r.list.ColumnCount(), 4);
    EXPECT_EQ(r.list.ColumnName(1), "ABCDEFGHIJK");
    EXPECT_EQ(r.list.ColumnKind(0), "3");
    EXPECT_EQ(r.list.ColumnKind(1), "0");
    EXPECT_EQ(r.list.ColumnKind(2), "1");
    EXPECT_EQ(r.list.ColumnKind(3), "3");
    EXPECT_EQ(r.list.ColumnType(0), "N");
    EXPECT_EQ(r.list.ColumnWidth(0), 100);
}

TEST(DbfReader, DeletedRecordsAreSkipped) {
    ReadResult r;
    Read(DbfBytes::Header(3, {{"A", 'C', 2}}) + "*XX YY*ZZ", r);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.list.RowCount(), 1);
    EXPECT_EQ(r.list.RawCell(0, 0), "YY");
}

TEST(DbfReader, RecordsStartWhereTheHeaderLengthSays) {
    const std::vector<Field> fields = {{"A", 'C', 2}};
    ReadResult r;
    Read(DbfBytes::Header(2, 32 + 33 + 10, 3, fields) + std::string(10, '\x0D') + " AB CD", r);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.list.RowCount(), 2);
    EXPECT_EQ(r.list.RawCell(1, 0), "CD");
}

TEST(DbfReader, LongerRecordsAreSteppedByTheRecordLength) {
    const std::vector<Field> fields = {{"A", 'C', 2}};
    ReadResult r;
    Read(DbfBytes::Header(2, 65, 5, fields) + " ABxx CDyy", r);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.list.RowCount(), 2);
    EXPECT_EQ(r.list.RawCell(1, 0), "CD");
}

TEST(DbfReader, FileEndingInsideARecordKeepsTheRowsBefore) {
    ReadResult r;
    Read(DbfBytes::Header(3, {{"A", 'C', 2}}) + " AB CD E", r);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(r.list.ColumnCount(), 1);
    ASSERT_EQ(r.list.RowCount(), 2);
    EXPECT_EQ(r.list.RawCell(1, 0), "CD");
}

struct BrokenCase {
    const char* what;
    std::string bytes;
};

TEST(DbfReader, BrokenHeadersAreRefused) {
    const std::string oneField = DbfBytes::Header(1, {{"A", 'C', 2}});
    const BrokenCase cases[] = {
        {"empty file", ""},
        {"short header", std::string(31, '\0')},
        {"no descriptors", oneField.substr(0, 32)},
        {"cut descriptor", oneField.substr(0, 40)},
        {"no terminator", oneField.substr(0, 64)},
        {"field wider than record", DbfBytes::Header(1, 65, 2, {{"A", 'C', 2}}) + " AB"},
        {"record length zero", DbfBytes::Header(5, 33, 0, {}) + "     "},
        {"header longer than file", DbfBytes::Header(1, 4000, 3, {{"A", 'C', 2}}) + " AB"},
    };
    for (const BrokenCase& c : cases) {
        ReadResult r;
        Read(c.bytes, r);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_FALSE(r.error.empty()) << c.what;
        EXPECT_EQ(r.list.RowCount(), 0) << c.what;
    }
}

TEST(DbfReader, EarlierContentsOfListAndSpecAreDropped) {
    ReadResult r;
    r.list.AppendColumn("OLD", "C", 100);
    r.list.AddRow("x");
    AddDbfField(r.spec, "OLD", "C", 3, 0);
    Read(DbfBytes::Header(0, {{"A", 'C', 2}}), r);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.list.ColumnCount(), 1);
    EXPECT_EQ(r.list.RowCount(), 0);
    EXPECT_EQ(r.spec.m_names, std::vector<std::string>{"A"});
}

// A header claiming 2^31 records in a 1 KB file: read in a child whose address space is
// capped, so reserving room for the claimed count would end it with an allocation failure.
TEST(DbfReader, ClaimedRecordCountDoesNotDecideMemory) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer cannot map its shadow memory under an address-space cap";
#endif
    TempFolder folder;
    std::string bytes = DbfBytes::Header(0x80000000u, {{"A", 'C', 9}});
    for (int i = 0; bytes.size() + 10 <= 1024; ++i) bytes += " RECORD" + std::to_string(i % 100);
    WriteBytes(folder.File("big.dbf"), bytes);
    const int expectedRows = static_cast<int>((bytes.size() - 65) / 10);

    const pid_t child = fork();
    if (child == 0) {
        rlimit limit{1ull << 30, 1ull << 30};
        setrlimit(RLIMIT_AS, &limit);
        DataList list;
        DbfTableSpec spec;
        const bool ok = ReadDbfFile(folder.File("big.dbf"), list, spec);
        _exit(!ok && list.RowCount() == expectedRows ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "reader died";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace

namespace {

TEST(DbfReader, KeepsTheLanguageByteOfTheHeader) {
    std::string bytes =
        DbfBytes::Header(1, kPersonFields) + Record(' ', {"000001", "ION ", "20090501"});
    ReadResult plain;
    Read(bytes, plain);
    ASSERT_TRUE(plain.ok) << plain.error;
    EXPECT_EQ(0, plain.spec.m_language);
    bytes[29] = static_cast<char>(0xC8);
    ReadResult marked;
    Read(bytes, marked);
    ASSERT_TRUE(marked.ok) << marked.error;
    EXPECT_EQ(0xC8, marked.spec.m_language);
}

}  // namespace
