// Two commands on one installation whose server was stopped: the one that
// started the server must not stop it under the other.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "ScriptedPrompter.h"
#include "TestServer.h"
#include "cli/CliSession.h"
#include "db/InstallationSetup.h"

namespace fs = std::filesystem;

namespace {

class CliSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/orvik-cli-session-XXXXXX";
        ASSERT_NE(nullptr, ::mkdtemp(pattern));
        s_folder = pattern;
        s_port = FreeLocalPort();
        const InstallationResult prepared =
            CreateInstallation({.folder = s_folder, .port = s_port});
        ASSERT_EQ(InstallationOutcome::Created, prepared.outcome) << prepared.message;
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(s_folder, ignored);
    }
    void SetUp() override {
        m_previous = fs::current_path();
        ASSERT_FALSE(LocalPortAnswers(s_port));
    }
    void TearDown() override { fs::current_path(m_previous); }

    static std::unique_ptr<CliSession> Open(const char* name) {
        auto session = std::make_unique<CliSession>(name);
        std::string why;
        EXPECT_TRUE(session->Open(s_folder, why)) << why;
        return session;
    }
    static bool Works(CliSession& session) {
        return session.Client().Query("SELECT COUNT(*) AS n FROM asigurati.cas", true);
    }
    static bool ServerStopped() {
        return !LocalPortAnswers(s_port) && !fs::exists(s_folder + "/server/mysqld.pid");
    }

    static std::string s_folder;
    static int s_port;
    fs::path m_previous;
};
std::string CliSessionTest::s_folder;
int CliSessionTest::s_port = 0;

TEST_F(CliSessionTest, TheLastCommandStopsTheServerACommandStarted) {
    auto first = Open("lung");
    ASSERT_TRUE(LocalPortAnswers(s_port));  // started by the first
    auto second = Open("scurt");
    ASSERT_TRUE(Works(*second));

    first.reset();
    EXPECT_TRUE(LocalPortAnswers(s_port));
    EXPECT_TRUE(Works(*second));

    second.reset();
    EXPECT_TRUE(ServerStopped());
}

TEST_F(CliSessionTest, AProgramConnectedKeepsTheServerACommandStarted) {
    auto command = Open("import");
    ScriptedPrompter prompter;
    auto program = std::make_unique<CClient>(prompter, TestInstallationLogin(s_folder));
    ASSERT_TRUE(program->Connect("127.0.0.1"));

    command.reset();
    ASSERT_TRUE(LocalPortAnswers(s_port));
    ASSERT_TRUE(program->Query("SELECT 1 AS n", true));

    // The program gone, the next command finds the server a command started
    // and stops it when it ends, as the first would have.
    program.reset();
    Open("health").reset();
    EXPECT_TRUE(ServerStopped());
}

TEST_F(CliSessionTest, AServerACommandDidNotStartIsLeftRunning) {
    // Started by someone else (the program): a command leaves it as found.
    const std::string start = "cd '" + s_folder +
                              "' && nohup ./server/bin/mysqld --defaults-file=server/bin/my.cnf "
                              "> /dev/null 2>&1 &";
    ASSERT_EQ(0, std::system(start.c_str()));
    ScriptedPrompter quiet;
    bool up = false;
    for (int attempt = 0; attempt < 300 && !up; ++attempt) {
        up = LocalPortAnswers(s_port);
        if (!up) usleep(100000);
    }
    ASSERT_TRUE(up);
    Open("health").reset();
    EXPECT_TRUE(LocalPortAnswers(s_port));
    auto last = std::make_unique<CClient>(quiet, TestInstallationLogin(s_folder));
    ASSERT_TRUE(last->Connect("127.0.0.1"));
    (void)last->ShutdownServer();
    last.reset();
    for (int attempt = 0; attempt < 300 && !ServerStopped(); ++attempt) usleep(100000);
    EXPECT_TRUE(ServerStopped());
}

}  // namespace
