// Connecting when nothing answers on the port, and who may log in at all.
#include <gtest/gtest.h>
#include <mysql.h>
#include <sys/stat.h>

#include <cctype>
#include <filesystem>
#include <fstream>

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

// The test server's login on a port where nothing answers.
ServerLogin Unanswered() {
    ServerLogin login = TestServerLogin();
    login.port = TestServerPort() == 1 ? 2 : 1;
    return login;
}

TEST(ConnectTest, ServerThatNeverAnswersIsStartedOnceThenReported) {
    ScriptedPrompter prompter;
    prompter.ExpectMessage("Conectarea la server nu poate fi realizata!");
    RecordingServerProcess process;
    CClient client(prompter, Unanswered());
    client.SetServerProcess(&process);

    EXPECT_FALSE(client.Connect("127.0.0.1"));
    EXPECT_FALSE(client.IsConnected());
    EXPECT_EQ(1, process.m_starts);
    EXPECT_EQ(std::filesystem::current_path().string() + "/server/bin/mysqld", process.m_program);
    EXPECT_EQ("--defaults-file=server/bin/my.cnf", process.m_arguments);
}

TEST(ConnectTest, QueriesWithoutAConnectionAreRefusedNotCrashed) {
    ScriptedPrompter prompter;
    prompter.ExpectMessage("EROARE Mysql:\n\nnu exista conexiune la server");
    CClient client(prompter, Unanswered());
    EXPECT_FALSE(client.Query("SELECT 1", true));
    client.Disconnect();
    EXPECT_FALSE(client.IsConnected());
}

TEST(ConnectTest, ConnectingTwiceKeepsTheFirstConnection) {
    ScriptedPrompter prompter;
    CClient client(prompter, TestServerLogin());
    ASSERT_TRUE(client.Connect("127.0.0.1"));
    ASSERT_TRUE(client.Query("SELECT CONNECTION_ID() AS id", true));
    const std::string first = client.GetValue(0, "ID");
    EXPECT_TRUE(client.Connect("127.0.0.1"));
    ASSERT_TRUE(client.Query("SELECT CONNECTION_ID() AS id", true));
    EXPECT_EQ(first, client.GetValue(0, "ID"));
}

// A login straight through the client library, outside the program.
bool LogsIn(const char* user, const char* password) {
    MYSQL* handle = mysql_init(nullptr);
    const bool in = mysql_real_connect(handle, "127.0.0.1", user, password, nullptr,
                                       static_cast<unsigned>(TestServerPort()), nullptr, 0);
    mysql_close(handle);
    return in;
}

// The fixture's server is a freshly prepared installation.
TEST(AccountTest, NoAccountLetsAnyoneInOverTheNetworkWithoutAPassword) {
    for (const char* user : {"root", "mysql", "orvik", "nobody", ""}) {
        EXPECT_FALSE(LogsIn(user, "")) << "user '" << user << "'";
        EXPECT_FALSE(LogsIn(user, nullptr)) << "user '" << user << "'";
    }
    // The login the program had before each installation got its own password.
    EXPECT_FALSE(LogsIn("orvik", "tovelrudam"));
    EXPECT_FALSE(LogsIn("root", "tovelrudam"));
}

TEST(AccountTest, TheProgramsLoginIsTheInstallationsOwnAndKeptFromOthers) {
    const ServerLogin login = TestServerLogin();
    EXPECT_FALSE(login.former);
    struct stat info {};
    ASSERT_EQ(0, ::stat(login.optionFile.c_str(), &info)) << login.optionFile;
    EXPECT_EQ(0600u, info.st_mode & 0777u);
    std::string user, password;
    ASSERT_TRUE(LoginCredentials(login, user, password));
    EXPECT_EQ("orvik", user);
    EXPECT_GE(password.size(), 24u);
    for (char c : password) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << password;
    EXPECT_TRUE(LogsIn("orvik", password.c_str()));

    // Read by the client library from the file, as the program connects.
    ScriptedPrompter prompter;
    CClient client(prompter, login);
    ASSERT_TRUE(client.Connect("127.0.0.1"));
    ASSERT_TRUE(client.Query("SELECT CURRENT_USER() AS u", true));
    EXPECT_EQ("orvik@127.0.0.1", client.GetValue(0, "U"));

    // Two installations never share a password.
    EXPECT_NE(password, RandomPassword(password.size()));
    EXPECT_EQ(32u, RandomPassword(32).size());
}

// The server answers and refuses: it is running, so none is started and the
// user hears it at once, not after waiting for a server that never comes.
TEST(AccountTest, ARefusedLoginStartsNoServerAndIsReported) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvik-login-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    ServerLogin wrong = TestServerLogin();
    wrong.optionFile = (folder / "client.cnf").string();
    std::ofstream(wrong.optionFile) << OptionFileText("orvik", "NuEsteParolaInstalarii123");
    ServerLogin fixed = TestServerLogin();
    fixed.optionFile = (folder / "none.cnf").string();
    fixed.former = true;

    for (const ServerLogin& login : {wrong, fixed}) {
        ScriptedPrompter prompter;
        prompter.ExpectMessage("Conectarea la server nu poate fi realizata!");
        RecordingServerProcess process;
        CClient client(prompter, login);
        client.SetServerProcess(&process);
        EXPECT_FALSE(client.Connect("127.0.0.1"));
        EXPECT_EQ(0, process.m_starts);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "none.cnf"));
    std::filesystem::remove_all(folder);
}

}  // namespace
