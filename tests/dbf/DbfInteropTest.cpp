#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DbfTestSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfReader.h"
#include "dbf/DbfWriter.h"

// Our files against readers and writers written by others: python3-dbfread, GDAL and shapelib.

namespace {

// Fields and values as dbfread sees them, one line each.
const char* kDbfreadScript =
    "import sys, dbfread\n"
    "t = dbfread.DBF(sys.argv[1], encoding='latin1', char_decode_errors='strict')\n"
    "for f in t.fields: print('F', f.name, f.type, f.length, f.decimal_count)\n"
    "for r in t: print('R', *[repr(v) for v in r.values()], sep='|')\n";

std::string Dbfread(const std::string& path) {
    const CommandResult r = RunCommand("/usr/bin/python3 -c " + QuoteForShell(kDbfreadScript) +
                                       " " + QuoteForShell(path));
    EXPECT_EQ(r.status, 0) << r.output;
    return r.output;
}

bool WriteDeclaration(const std::string& path, const std::vector<std::vector<std::string>>& rows) {
    DataList list;
    for (const char* column : {"NUME", "CNP", "SUMA", "ANG"}) list.AppendColumn(column, "C", 100);
    for (const auto& cells : rows) {
        const int row = list.AddRow("");
        for (std::size_t i = 0; i < cells.size(); ++i)
            list.SetCellTextAt(row, static_cast<int>(i), cells[i]);
    }
    DbfTableSpec spec;
    AddDbfField(spec, "NUME", "C", 20, 0);
    AddDbfField(spec, "CNP", "N", 13, 0);
    AddDbfField(spec, "SUMA", "N", 12, 2);
    AddDbfField(spec, "ANG", "D", 8, 0);
    return WriteDbfFile(path, &list, &spec);
}

const std::vector<std::vector<std::string>> kRows = {
    {"POPESCU ION", "1800101123456", "1234.5", "20090501"},
    {"\xCE"
     "NCU \xAA",
     "0", "-7.25", "20100305"},
    {"", "42", "3.14159", "19991231"},
};

const char* kFieldsSeenByDbfread =
    "F NUME C 20 0\n"
    "F CNP N 13 0\n"
    "F SUMA N 12 2\n"
    "F ANG D 8 0\n";

TEST(DbfInterop, DbfreadReadsOurFileAsWritten) {
    TempFolder folder;
    ASSERT_TRUE(WriteDeclaration(folder.File("1A.dbf"), kRows));
    EXPECT_EQ(Dbfread(folder.File("1A.dbf")),
              std::string(kFieldsSeenByDbfread) +
                  "R|'POPESCU ION'|1800101123456|1234.5|datetime.date(2009, 5, 1)\n"
                  "R|'\xC3\x8ENCU \xC2\xAA'|0|-7.25|datetime.date(2010, 3, 5)\n"
                  "R|''|42|3.14|datetime.date(1999, 12, 31)\n");
}

TEST(DbfInterop, DbfreadReadsOurEmptyTable) {
    TempFolder folder;
    ASSERT_TRUE(WriteDeclaration(folder.File("1B.dbf"), {}));
    EXPECT_EQ(Dbfread(folder.File("1B.dbf")), kFieldsSeenByDbfread);
}

TEST(DbfInterop, GdalReadsOurFileAsWritten) {
    TempFolder folder;
    ASSERT_TRUE(WriteDeclaration(folder.File("1A.dbf"), kRows));
    const CommandResult r = RunCommand("ogrinfo -ro -al " + QuoteForShell(folder.File("1A.dbf")));
    ASSERT_EQ(r.status, 0) << r.output;
    for (const char* line :
         {"Feature Count: 3", "NUME: String (20.0)", "CNP: Integer64 (13.0)", "SUMA: Real (12.2)",
          "ANG: Date (10.0)", "NUME (String) = POPESCU ION", "CNP (Integer64) = 1800101123456",
          "SUMA (Real) = 1234.50", "ANG (Date) = 2009/05/01", "SUMA (Real) = -7.25",
          "ANG (Date) = 2010/03/05", "CNP (Integer64) = 42", "SUMA (Real) = 3.14",
          "ANG (Date) = 1999/12/31"})
        EXPECT_NE(r.output.find(line), std::string::npos) << line << "\n" << r.output;
}

TEST(DbfInterop, GdalReadsOurEmptyTable) {
    TempFolder folder;
    ASSERT_TRUE(WriteDeclaration(folder.File("1B.dbf"), {}));
    const CommandResult r =
        RunCommand("ogrinfo -ro -al -so " + QuoteForShell(folder.File("1B.dbf")));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Feature Count: 0"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("SUMA: Real (12.2)"), std::string::npos) << r.output;
}

void ExpectRows(const DataList& list, const std::vector<std::vector<std::string>>& rows) {
    ASSERT_EQ(list.RowCount(), static_cast<int>(rows.size()));
    for (int row = 0; row < list.RowCount(); ++row)
        for (int column = 0; column < static_cast<int>(rows[row].size()); ++column)
            EXPECT_EQ(list.CellTextAt(row, column), rows[row][column]) << row << "," << column;
}

TEST(DbfInterop, WeReadOurOwnFileBack) {
    TempFolder folder;
    ASSERT_TRUE(WriteDeclaration(folder.File("1A.dbf"), kRows));
    DataList list;
    DbfTableSpec spec;
    ASSERT_TRUE(ReadDbfFile(folder.File("1A.dbf"), list, spec));
    EXPECT_EQ(spec.m_decimals, (std::vector<std::uint8_t>{0, 0, 2, 0}));
    ExpectRows(list, {{"POPESCU ION", "1800101123456", "1234,50", "20090501"},
                      {"\xCE"
                       "NCU \xAA",
                       "0", "-7,25", "20100305"},
                      {"", "42", "3,14", "19991231"}});
}

TEST(DbfInterop, WeReadShapelibFiles) {
    TempFolder folder;
    const std::string path = QuoteForShell(folder.File("s.dbf"));
    const CommandResult r =
        RunCommand("dbfcreate " + path + " -s NUME 20 -n SUMA 12 2 -n CNP 13 0 && dbfadd " + path +
                   " 'POPESCU ION' 1234.5 1800101123456 && dbfadd " + path + " ION -7.25 0");
    ASSERT_EQ(r.status, 0) << r.output;
    DataList list;
    DbfTableSpec spec;
    ASSERT_TRUE(ReadDbfFile(folder.File("s.dbf"), list, spec));
    EXPECT_EQ(spec.m_names, (std::vector<std::string>{"NUME", "SUMA", "CNP"}));
    EXPECT_EQ(spec.m_lengths, (std::vector<std::uint8_t>{20, 12, 13}));
    ExpectRows(list, {{"POPESCU ION", "1234,50", "1800101123456"}, {"ION", "-7,25", "0"}});
}

TEST(DbfInterop, WeReadGdalFiles) {
    TempFolder folder;
    WriteBytes(folder.File("in.csv"),
               "NUME,CNP,SUMA,ANG\n\"POPESCU ION\",1800101123456,1234.5,2009/05/01\n"
               "IONESCU,7,0.25,2010/03/05\n");
    WriteBytes(folder.File("in.csvt"),
               "\"String(20)\",\"Integer64(13)\",\"Real(12.2)\",\"Date\"\n");
    const CommandResult r =
        RunCommand("ogr2ogr -f 'ESRI Shapefile' " + QuoteForShell(folder.File("g.dbf")) + " " +
                   QuoteForShell(folder.File("in.csv")));
    ASSERT_EQ(r.status, 0) << r.output;
    DataList list;
    DbfTableSpec spec;
    ASSERT_TRUE(ReadDbfFile(folder.File("g.dbf"), list, spec));
    EXPECT_EQ(spec.m_types, (std::vector<std::string>{"C", "N", "N", "D"}));
    EXPECT_EQ(spec.m_lengths, (std::vector<std::uint8_t>{20, 13, 12, 8}));
    ExpectRows(list, {{"POPESCU ION", "1800101123456", "1234,50", "20090501"},
                      {"IONESCU", "7", "0,25", "20100305"}});
}

}  // namespace
