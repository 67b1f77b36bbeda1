#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "DbfTestSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfReader.h"

namespace {

// Files that once broke the reader under the fuzzer. Each must read to a clean verdict within
// the bounds of its bytes: no crash, no more rows than the file has bytes after its header.
TEST(DbfRegression, FuzzerFindingsReadCleanly) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORVIK_DBF_DATA_DIR)) {
        if (entry.path().extension() != ".dbf") continue;
        ++files;
        DataList list;
        DbfTableSpec spec;
        std::string error;
        const bool ok = ReadDbfFile(entry.path().string(), list, spec, nullptr, &error);
        const auto size = static_cast<int>(std::filesystem::file_size(entry.path()));
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(ok, error.empty());
        EXPECT_LE(list.RowCount(), size);
        EXPECT_EQ(list.ColumnCount(), spec.m_fieldCount);
        if (ok) {
            EXPECT_LE(list.RowCount(), spec.m_recordCount);
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
