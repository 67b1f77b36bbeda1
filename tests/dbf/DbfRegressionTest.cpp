#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DbfTestSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfReader.h"

namespace {

// Files that once broke the reader under the fuzzer (data/) and the fuzzer's seeds. Each must
// read to a clean verdict within the bounds of its bytes: no crash, no more rows than bytes.
TEST(DbfRegression, FuzzerFindingsReadCleanly) {
    int files = 0;
    std::vector<std::filesystem::path> paths;
    for (const char* folder : {ORVIK_DBF_DATA_DIR, ORVIK_DBF_FUZZ_SEEDS_DIR})
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            paths.push_back(entry.path());
    for (const auto& path : paths) {
        const std::filesystem::directory_entry entry(path);
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
