#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DbfTestSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfFormat.h"
#include "dbf/DbfWriter.h"

namespace {

const DbfDate kMarch5th2010{2010, 3, 5};

void Fill(DataList& list, const std::vector<std::string>& columns,
          const std::vector<std::vector<std::string>>& rows) {
    for (const std::string& column : columns) list.AppendColumn(column, "C", 100);
    for (const auto& cells : rows) {
        const int row = list.AddRow(std::string());
        for (std::size_t i = 0; i < cells.size(); ++i)
            list.SetCellTextAt(row, static_cast<int>(i), cells[i]);
    }
}

struct CountingProgress : DbfProgress {
    std::int64_t range = -1;
    int steps = 0;
    void Start(std::int64_t count) override { range = count, steps = 0; }
    void Step() override { ++steps; }
};

TEST(DbfWriter, EmptyTableIsHeaderTerminatorAndEndByte) {
    TempFolder folder;
    DataList list;
    Fill(list, {"A", "B", "C"}, {});
    DbfTableSpec spec;
    AddDbfField(spec, "A", "C", 4, 0);
    AddDbfField(spec, "B", "N", 13, 2);
    AddDbfField(spec, "C", "D", 30, 5);
    ASSERT_TRUE(WriteDbfFileDated(folder.File("t.dbf"), &list, &spec, nullptr, kMarch5th2010));

    EXPECT_EQ(spec.m_headerLength, 129);
    EXPECT_EQ(spec.m_recordLength, 48);
    EXPECT_EQ(spec.m_recordCount, 0);
    const std::string bytes = ReadBytes(folder.File("t.dbf"));
    ASSERT_EQ(bytes.size(), 130u);
    EXPECT_EQ(bytes.substr(0, 12), std::string("\x03\x0A\x03\x05\0\0\0\0\x81\0\x30\0", 12));
    EXPECT_EQ(bytes.substr(12, 20), std::string(20, '\0'));
    EXPECT_EQ(bytes.substr(32, 32),
              std::string("A\0\0\0\0\0\0\0\0\0\0C\0\0\0\0\x04\0", 18) + std::string(14, '\0'));
    // Decimals are kept for the "N" field only.
    EXPECT_EQ(bytes.substr(64 + 11, 7), std::string("N\0\0\0\0\x0D\x02", 7));
    EXPECT_EQ(bytes.substr(96 + 11, 7), std::string("D\0\0\0\0\x1E\0", 7));
    EXPECT_EQ(bytes.substr(128), "\x0D\x1A");
}

TEST(DbfWriter, RecordsAreFlagThenFixedWidthValues) {
    TempFolder folder;
    DataList list;
    Fill(list, {"NUME", "SUMA", "ANG"}, {{"  POP ", "1234.5", "20090501"}, {"", "", "0"}});
    DbfTableSpec spec;
    AddDbfField(spec, "NUME", "C", 5, 0);
    AddDbfField(spec, "SUMA", "N", 10, 2);
    AddDbfField(spec, "ANG", "D", 8, 0);
    CountingProgress progress;
    ASSERT_TRUE(WriteDbfFileDated(folder.File("t.dbf"), &list, &spec, &progress, kMarch5th2010));

    const std::string bytes = ReadBytes(folder.File("t.dbf"));
    ASSERT_EQ(bytes.size(), 129u + 2 * 24 + 1);
    EXPECT_EQ(bytes[4], 2);
    // Cells are trimmed before writing; an empty "N" cell with decimals still shows them.
    EXPECT_EQ(bytes.substr(129), " POP     1234.5020090501" + std::string(13, ' ') + ".000" +
                                     std::string(7, ' ') + "\x1A");
    EXPECT_EQ(progress.range, 2);
    EXPECT_EQ(progress.steps, 2);
}

TEST(DbfWriter, DefaultSpecIsOneHundredByteTextPerColumn) {
    TempFolder folder;
    DataList list;
    Fill(list, {"cnp", "Nume"}, {{"123", "ION"}});
    ASSERT_TRUE(WriteDbfFileDated(folder.File("t.dbf"), &list, nullptr, nullptr, kMarch5th2010));
    const std::string bytes = ReadBytes(folder.File("t.dbf"));
    ASSERT_EQ(bytes.size(), 97u + 201 + 1);
    EXPECT_EQ(bytes.substr(32, 4), std::string("CNP\0", 4));
    EXPECT_EQ(bytes.substr(64, 5), std::string("NUME\0", 5));
    EXPECT_EQ(bytes[32 + 11], 'C');
    EXPECT_EQ(static_cast<unsigned char>(bytes[32 + 16]), 100);
    EXPECT_EQ(bytes.substr(97, 4), " 123");
    EXPECT_EQ(bytes.substr(198, 3), "ION");
}

TEST(DbfWriter, LongNameIsCutToElevenBytesAndTypeDefaultsToC) {
    DbfTableSpec spec;
    spec.m_names = {"ABCDEFGHIJKL", "X"};
    spec.m_types = {"Number"};
    spec.m_lengths = {3, 4};
    spec.m_decimals = {0, 0};
    ASSERT_TRUE(ComputeDbfLayout(spec, nullptr));
    const std::string header = EncodeDbfHeader(spec, kMarch5th2010);
    EXPECT_EQ(header.substr(32, 12), "ABCDEFGHIJKN");
    EXPECT_EQ(header[64 + 11], 'C');
}

TEST(DbfWriter, YearByteIsYearWithinCentury) {
    DbfTableSpec spec;
    ASSERT_TRUE(ComputeDbfLayout(spec, nullptr));
    EXPECT_EQ(EncodeDbfHeader(spec, {1999, 12, 31}).substr(1, 3), "\x63\x0C\x1F");
    EXPECT_EQ(EncodeDbfHeader(spec, {2000, 1, 1}).substr(1, 3), std::string("\0\x01\x01", 3));
}

TEST(DbfWriter, AddDbfFieldRefusesWidthsADescriptorCannotHold) {
    DbfTableSpec spec;
    EXPECT_FALSE(AddDbfField(spec, "A", "C", 0, 0));
    EXPECT_FALSE(AddDbfField(spec, "A", "C", 256, 0));
    EXPECT_TRUE(AddDbfField(spec, "A", "C", 255, 3));
    EXPECT_EQ(spec.m_fieldCount, 1);
    EXPECT_EQ(spec.m_decimals[0], 0);
}

struct ValueCase {
    char type;
    int length;
    int decimals;
    std::string value;
    const char* bytes;  // nullptr: the value must be refused
};

TEST(DbfWriter, ValuesAreAlignedPaddedAndCut) {
    const ValueCase cases[] = {
        {'N', 10, 2, "1234.5", "   1234.50"},
        {'N', 10, 2, "7", "      7.00"},
        {'N', 10, 2, "3.14159", "      3.14"},  // cut, not rounded
        {'N', 10, 2, "3.149", "      3.14"},
        {'N', 10, 0, "12.9", "        12"},
        {'N', 6, 2, "", "   .00"},
        {'N', 6, 0, "", "      "},
        {'N', 5, 0, "12345", "12345"},
        {'N', 5, 2, "-1.5", "-1.50"},
        {'N', 12, 0, "-7", "          -7"},
        {'N', 4, 0, "12345", nullptr},  // integer digits that do not fit
        {'N', 5, 2, "-12.5", nullptr},  // the sign counts too
        {'N', 6, 2, "1234", nullptr},
        // Texts that are no number never reach a numeric field.
        {'N', 5, 0, "1'2\\3", nullptr},
        {'N', 10, 2, "1,5", nullptr},
        {'N', 10, 0, "12 3", nullptr},
        {'N', 10, 2, "1.2.3", nullptr},
        {'N', 10, 0, "-", nullptr},
        {'N', 10, 2, ".", nullptr},
        {'N', 10, 0, "J40", nullptr},
        {'N', 10, 0, "1e5", nullptr},
        {'N', 10, 0, "--5", nullptr},
        {'N', 5, 0, "+7", "   +7"},
        {'N', 6, 2, ".5", "   .50"},
        {'N', 6, 2, "5.", "  5.00"},
        {'C', 5, 0, "ABCDEFG", "ABCDE"},
        {'C', 5, 0, "", "     "},
        {'C', 5, 0, "A B", "A B  "},
        {'D', 8, 0, "0", "0       "},
        {'D', 8, 0, "20090501", "20090501"},
        {'L', 3, 0, "TRUE", "TRU"},
        {'C', 4, 0, "\xC3\xAE\xFFx", "\xC3\xAE\xFFx"},  // bytes as they are
    };
    for (const ValueCase& c : cases) {
        std::string out = "#";
        const bool ok = EncodeDbfValue(c.value, c.type, c.length, c.decimals, out);
        SCOPED_TRACE(std::string(1, c.type) + " " + std::to_string(c.length) + "." +
                     std::to_string(c.decimals) + " \"" + c.value + "\"");
        if (c.bytes) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(out, std::string("#") + c.bytes);
        } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(out, "#");
        }
    }
}

TEST(DbfWriter, NumberThatDoesNotFitFailsTheWholeFile) {
    TempFolder folder;
    DataList list;
    Fill(list, {"SUMA"}, {{"12"}, {"123456"}});
    DbfTableSpec spec;
    AddDbfField(spec, "SUMA", "N", 5, 0);
    std::string error;
    EXPECT_FALSE(WriteDbfFile(folder.File("t.dbf"), &list, &spec, nullptr, &error));
    EXPECT_NE(error.find("123456"), std::string::npos) << error;
    EXPECT_TRUE(folder.Names().empty());
}

TEST(DbfWriter, TextInANumericFieldFailsTheWholeFileAndSaysWhere) {
    TempFolder folder;
    const std::string path = folder.File("1A.dbf");
    {
        DataList list;
        Fill(list, {"RJ", "RN"}, {{"J40", "1234"}});
        DbfTableSpec spec;
        AddDbfField(spec, "RJ", "C", 3, 0);
        AddDbfField(spec, "RN", "N", 5, 0);
        ASSERT_TRUE(WriteDbfFile(path, &list, &spec));
    }
    const std::string earlier = ReadBytes(path);
    DataList list;
    Fill(list, {"RJ", "RN"}, {{"J40", "1234"}, {"J12", "1'2\\3"}});
    DbfTableSpec spec;
    AddDbfField(spec, "RJ", "C", 3, 0);
    AddDbfField(spec, "RN", "N", 5, 0);
    std::string error;
    EXPECT_FALSE(WriteDbfFile(path, &list, &spec, nullptr, &error));
    EXPECT_EQ("valoarea \"1'2\\3\" din randul 2 nu este un numar, iar campul RN este numeric",
              error);
    // The file of an earlier write stays as it was, and nothing else is left.
    EXPECT_EQ(earlier, ReadBytes(path));
    EXPECT_EQ(std::vector<std::string>{"1A.dbf"}, folder.Names());
}

TEST(DbfWriter, HeaderCarriesTodaysLocalDate) {
    TempFolder folder;
    ASSERT_TRUE(WriteDbfFile(folder.File("t.dbf"), nullptr, nullptr));
    const std::string bytes = ReadBytes(folder.File("t.dbf"));
    ASSERT_EQ(bytes.size(), 34u);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(bytes[1], local.tm_year % 100);
    EXPECT_EQ(bytes[2], local.tm_mon + 1);
    EXPECT_EQ(bytes[3], local.tm_mday);
}

TEST(DbfWriter, TooManyFieldsForTheHeaderAreRefused) {
    TempFolder folder;
    DbfTableSpec spec;
    for (int i = 0; i < 2047; ++i) AddDbfField(spec, "F" + std::to_string(i), "C", 1, 0);
    EXPECT_FALSE(WriteDbfFile(folder.File("t.dbf"), nullptr, &spec));
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
