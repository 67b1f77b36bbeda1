#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DbfTestSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfWriter.h"

namespace {

// Records of 101 bytes: by default 2,000, far more than the file size limit below.
void FillLarge(DataList& list, int rows = 2000) {
    list.AppendColumn("TEXT", "C", 100);
    for (int row = 0; row < rows; ++row) list.SetCellTextAt(list.AddRow(""), 0, "LINE");
}

// Writes in a child process whose files may not grow beyond 4 KB, the way a full disk stops
// a writer half way (this also stops root, unlike permissions). Returns the child's verdict.
bool WriteWithFileSizeLimit(const std::string& path, std::string& error, rlim_t bytes = 4096,
                            int rows = 2000) {
    int channel[2];
    if (pipe(channel) != 0) return true;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        DataList list;
        FillLarge(list, rows);
        std::string why;
        const bool ok = WriteDbfFile(path, &list, nullptr, nullptr, &why);
        if (write(channel[1], why.data(), why.size()) < 0) _exit(3);
        _exit(ok ? 0 : 1);
    }
    close(channel[1]);
    char buffer[512];
    ssize_t got;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0) error.append(buffer, got);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return !(WIFEXITED(status) && WEXITSTATUS(status) == 1);
}

TEST(DbfWriteFailure, FullDiskLeavesNoFileUnderTheName) {
    TempFolder folder;
    std::string error;
    EXPECT_FALSE(WriteWithFileSizeLimit(folder.File("1A.dbf"), error));
    EXPECT_NE(error.find("1A.dbf"), std::string::npos) << error;
    EXPECT_TRUE(folder.Names().empty()) << "left behind: " << folder.Names().front();
}

// A large file is handed to the disk in pieces as it is written; a disk that fills up after
// the first pieces, or inside one, still fails the whole write.
TEST(DbfWriteFailure, FullDiskPastTheFirstPiecesFails) {
    constexpr rlim_t kMiB = rlim_t{1} << 20;
    for (rlim_t limit : {kMiB + 1000, 2 * kMiB + 65536 + 5, 3 * kMiB}) {
        TempFolder folder;
        std::string error;
        EXPECT_FALSE(WriteWithFileSizeLimit(folder.File("1A.dbf"), error, limit, 40000)) << limit;
        EXPECT_TRUE(folder.Names().empty()) << limit;
    }
}

TEST(DbfWriteFailure, FullDiskKeepsTheEarlierCompleteFile) {
    TempFolder folder;
    WriteBytes(folder.File("1A.dbf"), "earlier declaration");
    std::string error;
    EXPECT_FALSE(WriteWithFileSizeLimit(folder.File("1A.dbf"), error));
    EXPECT_EQ(ReadBytes(folder.File("1A.dbf")), "earlier declaration");
    EXPECT_EQ(folder.Names().size(), 1u);
}

TEST(DbfWriteFailure, CompleteWriteReplacesTheEarlierFile) {
    TempFolder folder;
    WriteBytes(folder.File("1A.dbf"), "earlier declaration");
    DataList list;
    FillLarge(list);
    ASSERT_TRUE(WriteDbfFile(folder.File("1A.dbf"), &list, nullptr));
    EXPECT_EQ(ReadBytes(folder.File("1A.dbf")).size(), 65u + 2000 * 101 + 1);
    EXPECT_EQ(folder.Names().size(), 1u);
}

// A writer killed half way leaves its hidden temporary file; the next write of the same name
// removes it, but never the file of a writer still at work, nor what a link points to.
TEST(DbfWriteFailure, TheNextWriteRemovesWhatAKilledWriterLeft) {
    TempFolder folder;
    const std::string killed = folder.File(".1A.dbf.tmp123-0");
    const std::string working = folder.File(".1A.dbf.tmp456-0");
    const std::string planted = folder.File(".1A.dbf.tmp789-0");
    const std::string other = folder.File(".1B.dbf.tmp123-0");
    const std::string victim = folder.File("victim");
    for (const std::string& path : {killed, working, other, victim}) WriteBytes(path, "half");
    ASSERT_EQ(0, ::symlink(victim.c_str(), planted.c_str()));
    const int held = ::open(working.c_str(), O_RDONLY);
    ASSERT_EQ(0, ::flock(held, LOCK_EX));

    DataList list;
    FillLarge(list, 3);
    ASSERT_TRUE(WriteDbfFile(folder.File("1A.dbf"), &list, nullptr));
    ::close(held);

    EXPECT_FALSE(std::filesystem::exists(killed));
    EXPECT_TRUE(std::filesystem::exists(working));
    EXPECT_TRUE(std::filesystem::is_symlink(planted));
    EXPECT_EQ(ReadBytes(victim), "half");
    EXPECT_TRUE(std::filesystem::exists(other));
}

TEST(DbfWriteFailure, MissingFolderFailsWithoutCreatingAnything) {
    TempFolder folder;
    DataList list;
    FillLarge(list);
    std::string error;
    EXPECT_FALSE(WriteDbfFile(folder.File("absent/1A.dbf"), &list, nullptr, nullptr, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(folder.Names().empty());
}

TEST(DbfWriteFailure, FolderWithoutWritePermission) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    TempFolder folder;
    std::filesystem::permissions(
        folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    DataList list;
    FillLarge(list);
    EXPECT_FALSE(WriteDbfFile(folder.File("1A.dbf"), &list, nullptr));
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
