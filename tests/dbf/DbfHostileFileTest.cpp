#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DbfTestSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfReader.h"

// Files made to hang or exhaust the reader: things that are not regular files, headers that
// never end, and record counts far beyond what the file holds. Each is read in a child with a
// time limit and a capped address space, so a reader that hangs or runs away fails the test
// instead of stopping it or the machine.

namespace {

constexpr unsigned kSecondsAllowed = 20;
constexpr rlim_t kAddressSpace = rlim_t{1} << 31;

struct ChildRead {
    bool finished = false;  // exited by itself, neither killed by the alarm nor aborted
    bool refused = false;   // the reader said false, with a reason
    int rows = -1;
    long grownKilobytes = 0;  // peak resident memory added while reading
};

// Reads `path` in a forked child and reports what happened through its exit status and a pipe.
ChildRead ReadInChild(const std::string& path) {
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        alarm(kSecondsAllowed);
        rlimit limit{kAddressSpace, kAddressSpace};
        setrlimit(RLIMIT_AS, &limit);
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        DataList list;
        DbfTableSpec spec;
        std::string error;
        const bool ok = ReadDbfFile(path, list, spec, nullptr, &error);
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        const long report[3] = {!ok && !error.empty(), list.RowCount(),
                                after.ru_maxrss - before.ru_maxrss};
        [[maybe_unused]] const ssize_t written = write(channel[1], report, sizeof report);
        _exit(0);
    }
    close(channel[1]);
    long report[3] = {0, -1, 0};
    const bool got = read(channel[0], report, sizeof report) == sizeof report;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ChildRead result;
    result.finished = got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.refused = report[0] != 0;
    result.rows = static_cast<int>(report[1]);
    result.grownKilobytes = report[2];
    return result;
}

// A file of `size` bytes, all zero (a hole) after the given header.
void WriteSparse(const std::string& path, const std::string& header, off_t size) {
    WriteBytes(path, header);
    ASSERT_EQ(truncate(path.c_str(), size), 0);
}

TEST(DbfHostileFile, NotRegularFilesAreRefusedAtOnce) {
    TempFolder folder;
    const std::string fifo = folder.File("fifo.dbf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = folder.File("zero.dbf");
    std::filesystem::create_symlink("/dev/zero", zero);
    const std::string dir = folder.File("folder.dbf");
    std::filesystem::create_directory(dir);
    for (const std::string& path : {fifo, zero, dir}) {
        const ChildRead r = ReadInChild(path);
        EXPECT_TRUE(r.finished) << path << ": the reader hung or died";
        EXPECT_TRUE(r.refused) << path;
        EXPECT_EQ(r.rows, 0) << path;
    }
}

TEST(DbfHostileFile, DescriptorsEndWithTheHeaderLength) {
    using Field = DbfBytes::Field;
    // The header says one field (65 bytes) but the terminator comes only after a second
    // descriptor: the second one lies in the records and must not become a column.
    std::string noEnd = DbfBytes::Header(1, 65, 3, {{"A", 'C', 2}, {"B", 'C', 2}});
    // 129 fields, all inside the header length the file gives.
    std::vector<Field> many;
    for (int i = 0; i < 129; ++i) many.push_back({"F" + std::to_string(i), 'C', 1});
    const std::string tooMany = DbfBytes::Header(0, many);
    // A header length too short for any descriptor.
    const std::string tiny = DbfBytes::Header(1, 20, 3, {{"A", 'C', 2}}) + " AB";
    // No fields at all: a record of one flag byte.
    const std::string none = DbfBytes::Header(3, 33, 1, {}) + "   ";
    TempFolder folder;
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {{"terminator past the header", noEnd + " AB"},
                 {"129 fields", tooMany},
                 {"header length 20", tiny},
                 {"no fields", none}};
    for (const auto& c : cases) {
        WriteBytes(folder.File("h.dbf"), c.bytes);
        DataList list;
        DbfTableSpec spec;
        std::string error;
        EXPECT_FALSE(ReadDbfFile(folder.File("h.dbf"), list, spec, nullptr, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_LE(list.ColumnCount(), 128) << c.what;
        EXPECT_EQ(list.RowCount(), 0) << c.what;
    }
    // 128 fields is what dBase III allows, and is read.
    many.pop_back();
    WriteBytes(folder.File("h.dbf"), DbfBytes::Header(1, many) + ' ' + std::string(128, 'x'));
    DataList list;
    DbfTableSpec spec;
    ASSERT_TRUE(ReadDbfFile(folder.File("h.dbf"), list, spec));
    EXPECT_EQ(list.ColumnCount(), 128);
    EXPECT_EQ(list.RowCount(), 1);
}

// Sparse files of 16 MiB claiming four billion records: the records that are really there are
// read, the rest is refused, and memory stays a small multiple of the file.
TEST(DbfHostileFile, HugeRecordCountCostsOnlyWhatTheFileHolds) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer cannot map its shadow memory under an address-space cap";
#endif
    constexpr off_t kSize = off_t{16} << 20;
    constexpr long kFileKilobytes = kSize / 1024;
    TempFolder folder;
    const struct {
        const char* what;
        std::string header;
        int recordLength;
    } cases[] = {
        {"no fields", DbfBytes::Header(4000000000u, 33, 1, {}), 0},
        {"one field of 10", DbfBytes::Header(4000000000u, {{"A", 'C', 10}}), 11},
    };
    for (const auto& c : cases) {
        const std::string path = folder.File("sparse.dbf");
        WriteSparse(path, c.header, kSize);
        const ChildRead r = ReadInChild(path);
        EXPECT_TRUE(r.finished) << c.what << ": the reader hung or ran out of memory";
        EXPECT_TRUE(r.refused) << c.what;
        const int fits =
            c.recordLength ? static_cast<int>((kSize - c.header.size()) / c.recordLength) : 0;
        EXPECT_EQ(r.rows, fits) << c.what;
        EXPECT_LT(r.grownKilobytes, 3 * kFileKilobytes) << c.what;
    }
}

}  // namespace
