// Connecting when nothing answers on the port.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestServer.h"
#include "db/ServerProcess.h"

namespace {

class RecordingServerProcess : public ServerProcess {
public:
    bool Start(const std::string& program, const std::string& arguments) override {
        m_program = program;
        m_arguments = arguments;
        ++m_starts;
        return false;
    }
    void Stop() override { ++m_stops; }
    void Detach() override {}

    std::string m_program, m_arguments;
    int m_starts = 0, m_stops = 0;
};

int UnusedPort() { return TestServerPort() == 1 ? 2 : 1; }

TEST(ConnectTest, ServerThatNeverAnswersIsStartedOnceThenReported) {
    ScriptedPrompter prompter;
    prompter.ExpectMessage("Conectarea la server nu poate fi realizata!");
    RecordingServerProcess process;
    CClient client(prompter, UnusedPort());
    client.SetServerProcess(&process);

    EXPECT_EQ(1, client.Connect("127.0.0.1"));
    EXPECT_FALSE(client.IsConnected());
    EXPECT_EQ(1, process.m_starts);
    EXPECT_EQ(std::filesystem::current_path().string() + "/server/bin/mysqld", process.m_program);
    EXPECT_EQ("--defaults-file=server/bin/my.cnf", process.m_arguments);
}

TEST(ConnectTest, QueriesWithoutAConnectionAreRefusedNotCrashed) {
    ScriptedPrompter prompter;
    prompter.ExpectMessage("EROARE Mysql:\n\nnu exista conexiune la server");
    CClient client(prompter, UnusedPort());
    EXPECT_EQ(1, client.Query("SELECT 1", true));
    EXPECT_EQ(1, client.Disconnect());
}

TEST(ConnectTest, ConnectingTwiceKeepsTheFirstConnection) {
    ScriptedPrompter prompter;
    CClient client(prompter, TestServerPort());
    ASSERT_EQ(0, client.Connect("127.0.0.1"));
    ASSERT_EQ(0, client.Query("SELECT CONNECTION_ID() AS id", true));
    const std::string first = client.GetValue(0, "ID");
    EXPECT_EQ(0, client.Connect("127.0.0.1"));
    ASSERT_EQ(0, client.Query("SELECT CONNECTION_ID() AS id", true));
    EXPECT_EQ(first, client.GetValue(0, "ID"));
}

}  // namespace
