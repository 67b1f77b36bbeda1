// Files made to hang or exhaust the reader (things that are not regular files, a record count
// far beyond what the file holds), given to the commands that read dBase files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "../dbf/DbfTestSupport.h"

namespace {

constexpr unsigned kSecondsAllowed = 20;

// A file of `size` bytes, all zero (a hole) after the given header.
void WriteSparse(const std::string& path, const std::string& header, off_t size) {
    WriteBytes(path, header);
    ASSERT_EQ(truncate(path.c_str(), size), 0);
}

// The commands a user runs on such files: refused with the usual messages and exit status 2,
// never a hang (timeout ends a regression with another status).
TEST(DbfHostileFile, CommandsRefuseWithStatusTwo) {
    TempFolder folder;
    const std::string fifo = folder.File("fifo.dbf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = folder.File("zero.dbf");
    std::filesystem::create_symlink("/dev/zero", zero);
    const std::string sparse = folder.File("sparse.dbf");
    WriteSparse(sparse, DbfBytes::Header(4000000000u, 33, 1, {}), off_t{16} << 20);
    const std::string cli = "timeout " + std::to_string(kSecondsAllowed) + " " + ORVIK_CLI;
    for (const std::string& path : {fifo, zero, sparse}) {
        const CommandResult verify = RunCommand(cli + " verify A " + QuoteForShell(path));
        EXPECT_TRUE(WIFEXITED(verify.status) && WEXITSTATUS(verify.status) == 2) << path << "\n"
                                                                                 << verify.output;
        // A header that describes no field is no dBase table.
        EXPECT_NE(verify.output.find(path == sparse ? "Fisierul selectat nu este un fisier dBase."
                                                    : "Fisierul selectat nu a putut fi citit "
                                                      "complet!"),
                  std::string::npos)
            << verify.output;
        const CommandResult dump = RunCommand(cli + " dbf dump " + QuoteForShell(path));
        EXPECT_TRUE(WIFEXITED(dump.status) && WEXITSTATUS(dump.status) == 2) << path << "\n"
                                                                             << dump.output;
        EXPECT_NE(dump.output.find("nu a putut fi citit"), std::string::npos) << dump.output;
    }
}

}  // namespace
