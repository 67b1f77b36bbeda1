// Preparing an installation: where the program finds its SQL files, what a
// failed step leaves behind, and two preparations of one folder at once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "TestServer.h"
#include "db/InstallationPaths.h"
#include "db/InstallationSetup.h"

namespace fs = std::filesystem;

namespace {

class Folder {
public:
    Folder() {
        char pattern[] = "/tmp/orvik-setup-test-XXXXXX";
        if (::mkdtemp(pattern)) m_path = pattern;
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ProgramDataFolder, TheInstalledShareFolderElseTheSourceTree) {
    Folder root;
    const std::string program = (root.Path() / "usr/bin/orvik-cli").string();
    Write(program, "");
    EXPECT_EQ("/src/orvik", ProgramDataFolderFor(program, "/src/orvik"));
    fs::create_directories(root.Path() / "usr/share/orvik-asigurati/sql");
    EXPECT_EQ((root.Path() / "usr/share/orvik-asigurati").string(),
              ProgramDataFolderFor(program, "/src/orvik"));
    EXPECT_EQ("/src/orvik", ProgramDataFolderFor("", "/src/orvik"));
    // A program run from its build folder reads the source tree's sql/.
    EXPECT_EQ(fs::path(ORVIK_SOURCE_DIR), fs::path(ProgramDataFolder()));
    EXPECT_TRUE(fs::exists(ProgramDataPath("sql/schema.sql")));
}

// A step that fails removes what it made, stops its server and says why; the
// next attempt on the same folder starts afresh and succeeds, each step shown.
TEST(InstallationSetup, AFailedStepLeavesNothingHalfMadeAndTheNextAttemptWorks) {
    Folder work, data;
    fs::create_directories(data.Path() / "sql");
    for (const char* file : {"schema.sql", "change_log.sql", "seed.sql", "nomenclature.sql"})
        fs::copy_file(fs::path(ORVIK_SOURCE_DIR) / "sql" / file, data.Path() / "sql" / file,
                      fs::copy_options::overwrite_existing);
    // The last file fails: the server has done most of the work by then.
    Write(data.Path() / "sql/users.sql", "CREATE USER orvik@127.0.0.1 IDENTIFIED BY;\n");
    const std::string folder = (work.Path() / "birou").string();
    const int port = FreeLocalPort();

    const InstallationResult failed =
        CreateInstallation({.folder = folder, .port = port, .dataFolder = data.Path().string()});
    EXPECT_EQ(InstallationOutcome::Failed, failed.outcome);
    EXPECT_EQ(0u, failed.message.find("Incarcarea schemei a esuat.\nusers.sql: "))
        << failed.message;
    EXPECT_FALSE(fs::exists(folder + "/server/data"));
    EXPECT_FALSE(fs::exists(folder + "/server/bin/client.cnf"));
    EXPECT_FALSE(IsInstallationFolder(folder));
    EXPECT_FALSE(fs::exists(folder + "/server/mysqld.pid")) << "its server still runs";
    EXPECT_FALSE(fs::exists(folder + "/server/mysqld.sock"));

    std::vector<int> steps;
    int total = 0;
    const InstallationResult made = CreateInstallation(
        {.folder = folder, .port = port}, [&](int step, int count, const std::string& text) {
            steps.push_back(step);
            total = count;
            EXPECT_FALSE(text.empty());
        });
    ASSERT_EQ(InstallationOutcome::Created, made.outcome) << made.message;
    ASSERT_GE(total, 5);
    std::vector<int> expected(static_cast<std::size_t>(total));
    for (int i = 0; i < total; ++i) expected[static_cast<std::size_t>(i)] = i + 1;
    EXPECT_EQ(expected, steps);
    EXPECT_TRUE(IsInstallationFolder(folder));
    EXPECT_FALSE(LocalPortAnswers(port));
}

// Without the database server on the machine nothing is made, and the message
// names the package that brings it; nor without the program's SQL files.
TEST(InstallationSetup, WithoutTheServerOrTheSqlFilesNothingIsMade) {
    Folder work;
    const std::string folder = (work.Path() / "birou").string();
    for (const auto& [server, tool] :
         {std::pair<std::string, std::string>{"/nu/exista/mariadbd", ""},
          {"", "/nu/exista/mariadb-install-db"}}) {
        const InstallationResult result = CreateInstallation(
            {.folder = folder, .port = FreeLocalPort(), .serverProgram = server, .dataTool = tool});
        EXPECT_EQ(InstallationOutcome::ServerMissing, result.outcome);
        EXPECT_EQ(
            "Lipseste serverul de baze de date (mariadbd).\nInstaleaza pachetul Debian "
            "mariadb-server (ca administrator: apt-get install mariadb-server).",
            result.message);
        EXPECT_FALSE(fs::exists(folder));
    }
    // Nor without the program's own SQL files.
    Folder empty;
    const InstallationResult result = CreateInstallation(
        {.folder = folder, .port = FreeLocalPort(), .dataFolder = empty.Path().string()});
    EXPECT_EQ(InstallationOutcome::Failed, result.outcome);
    EXPECT_EQ("Fisierul " + (empty.Path() / "sql/schema.sql").string() +
                  " lipseste; programul nu este instalat complet.",
              result.message);
    EXPECT_FALSE(fs::exists(folder));
}

// Two first starts at once (two clicks on the menu entry): one prepares, the
// other waits and finds the installation made.
TEST(InstallationSetup, TwoPreparationsOfOneFolderAtOnceMakeOneInstallation) {
    Folder work;
    const std::string folder = (work.Path() / "birou").string();
    const int port = FreeLocalPort();
    InstallationResult first, second;
    std::thread other([&] { second = CreateInstallation({.folder = folder, .port = port}); });
    first = CreateInstallation({.folder = folder, .port = port});
    other.join();
    const int created = (first.outcome == InstallationOutcome::Created) +
                        (second.outcome == InstallationOutcome::Created);
    const int found = (first.outcome == InstallationOutcome::AlreadyThere) +
                      (second.outcome == InstallationOutcome::AlreadyThere);
    EXPECT_EQ(1, created) << first.message << "\n" << second.message;
    EXPECT_EQ(1, found) << first.message << "\n" << second.message;
    EXPECT_TRUE(IsInstallationFolder(folder));
    EXPECT_TRUE(fs::exists(folder + "/server/bin/client.cnf"));
}

}  // namespace
