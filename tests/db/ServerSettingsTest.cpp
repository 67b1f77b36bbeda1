// The program's own lines of an installation's my.cnf, brought up to date on
// an old file without touching the user's lines, and the same lines written by
// a new installation.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "db/InstallationSetup.h"
#include "db/ServerSettings.h"

namespace fs = std::filesystem;

namespace {

// As scripts/prepare-installation.sh wrote it before this release.
const char* const kOldCnf =
    "[mysqld]\n"
    "user=root\n"
    "bind-address=127.0.0.1\n"
    "port=3401\n"
    "socket=/opt/orvik/server/mysqld.sock\n"
    "datadir=/opt/orvik/server/data\n"
    "lower_case_table_names=1\n"
    "innodb_buffer_pool_size=8M\n"
    "# the user's note\n"
    "innodb-log-file-size=4M\n"
    "skip-name-resolve\n"
    "performance_schema=OFF\n"
    "local-infile=1\n"
    "\n"
    "[client]\n"
    "port=3401\n"
    "local_infile=1\n";

std::string Read(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ServerSettingsTest, OldFileGetsTheOwnedLinesAndKeepsEveryOtherOne) {
    const auto settings = OwnedServerSettings("/opt/orvik");
    const std::string updated = WithOwnedSettings(kOldCnf, settings);
    // Changed where they stood (whatever spelling), the missing ones at the
    // group's end, the user's lines and the other group untouched.
    EXPECT_EQ(
        "[mysqld]\n"
        "user=root\n"
        "bind-address=127.0.0.1\n"
        "port=3401\n"
        "socket=/opt/orvik/server/mysqld.sock\n"
        "datadir=/opt/orvik/server/data\n"
        "lower_case_table_names=1\n"
        "innodb_buffer_pool_size=48M\n"
        "# the user's note\n"
        "innodb_log_file_size=16M\n"
        "skip-name-resolve\n"
        "performance_schema=OFF\n"
        "local_infile=0\n"
        "\n"
        "innodb_log_buffer_size=1M\n"
        "key_buffer_size=1M\n"
        "max_connections=20\n"
        "secure_file_priv=/opt/orvik/server/files\n"
        "tmpdir=/opt/orvik/server/tmp\n"
        "[client]\n"
        "port=3401\n"
        "local_infile=1\n",
        updated);
    EXPECT_EQ(updated, WithOwnedSettings(updated, settings));
}

TEST(ServerSettingsTest, ALaterServerGroupCannotOverrideAnOwnedLine) {
    const std::string text = "[mysqld]\nport=1\n[mysqld]\nlocal_infile=1\nport=2\n";
    const std::string updated = WithOwnedSettings(text, {"local_infile=0"});
    EXPECT_EQ("[mysqld]\nport=1\nlocal_infile=0\n[mysqld]\nport=2\n", updated);
    EXPECT_EQ("port=1\n[mysqld]\nlocal_infile=0\n",
              WithOwnedSettings("port=1\n", {"local_infile=0"}));
}

TEST(ServerSettingsTest, UpdateRewritesTheFileOnceAndMakesPrivateFolders) {
    char pattern[] = "/tmp/orvik-settings-XXXXXX";
    ASSERT_NE(nullptr, ::mkdtemp(pattern));
    const fs::path folder = pattern;
    fs::create_directories(folder / "server/bin");
    const fs::path cnf = folder / "server/bin/my.cnf";
    std::ofstream(cnf) << kOldCnf;
    ::chmod(cnf.c_str(), 0640);
    std::string why;
    ASSERT_TRUE(UpdateServerSettings(folder.string(), why)) << why;
    const std::string once = Read(cnf);
    EXPECT_EQ(WithOwnedSettings(kOldCnf, OwnedServerSettings(folder.string())), once);
    struct stat info {};
    ASSERT_EQ(0, ::stat(cnf.c_str(), &info));
    EXPECT_EQ(0640u, info.st_mode & 0777);
    for (const char* sub : {"server/files", "server/tmp"}) {
        ASSERT_EQ(0, ::stat((folder / sub).c_str(), &info)) << sub;
        EXPECT_EQ(0700u, info.st_mode & 0777) << sub;
    }
    ASSERT_TRUE(UpdateServerSettings(folder.string(), why)) << why;
    EXPECT_EQ(once, Read(cnf));
    // Nothing left behind under a temporary name.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder / "server/bin"))
        ++files;
    EXPECT_EQ(1, files);
    // A folder without the file is not an installation of ours: nothing to do.
    EXPECT_TRUE(UpdateServerSettings((folder / "elsewhere").string(), why));
    fs::remove_all(folder);
}

// A new installation's my.cnf carries the same lines: the first start finds
// nothing to bring up to date, whoever the server runs as.
TEST(ServerSettingsTest, PreparationWritesTheSameLines) {
    for (const std::string runAs : {"", "root"}) {
        const std::string cnf = NewServerConfig("/opt/orvik", 3401, runAs);
        EXPECT_EQ(cnf, WithOwnedSettings(cnf, OwnedServerSettings("/opt/orvik"))) << runAs;
        for (const std::string& line : OwnedServerSettings("/opt/orvik"))
            EXPECT_NE(std::string::npos, cnf.find("\n" + line + "\n")) << line;
    }
}

}  // namespace
