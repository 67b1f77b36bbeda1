// Start-up and leaving against a server of our own installation, stopped at
// the beginning, as on a user's machine after boot.
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTcpServer>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdlib>

#include "ScriptedPrompter.h"
#include "app/ConsoleProcess.h"
#include "app/Session.h"
#include "db/CClient.h"

namespace {

int FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// For probing: the failures of a server still starting are expected.
class SilentPrompter : public Prompter {
public:
    void ShowMessage(const std::string&, MessageKind) override {}
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
};

bool WaitUntilAnswering(int port) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        SilentPrompter quiet;
        CClient probe(quiet, port);
        if (probe.Connect("127.0.0.1") == 0) return true;
        QThread::msleep(50);
    }
    return false;
}

// Changes the current directory for one test, as the program is started from
// its installation folder.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const QString& folder) : m_previous(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~CurrentDirectory() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

class StartupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = new QTemporaryDir();
        s_port = FreePort();
        const std::string command = std::string(ORVIK_SOURCE_DIR) +
                                    "/scripts/prepare-installation.sh '" +
                                    s_folder->path().toStdString() + "' " +
                                    std::to_string(s_port) + " > /dev/null";
        ASSERT_EQ(0, std::system(command.c_str()));
    }
    static void TearDownTestSuite() { delete s_folder; }

    static QTemporaryDir* s_folder;
    static int s_port;
};
QTemporaryDir* StartupTest::s_folder = nullptr;
int StartupTest::s_port = 0;

TEST_F(StartupTest, StoppedServerIsStartedConnectedInLatin1AndShutDownAtExit) {
    CurrentDirectory here(s_folder->path());
    ScriptedPrompter prompter;
    ConsoleProcess process;
    CClient client(prompter, s_port);
    client.SetServerProcess(&process);

    ASSERT_TRUE(Session::StartUp(client));
    EXPECT_TRUE(process.IsRunning());
    ASSERT_EQ(0, client.Query("SELECT setare FROM asigurati.setari WHERE denumire='versiune'", true));
    EXPECT_EQ("2.08", client.GetValue(0, "SETARE"));

    // The retry after starting the server must still speak latin1.
    std::string bytes;
    for (int b = 0x80; b < 0x100; ++b) bytes += static_cast<char>(b);
    ASSERT_EQ(0, client.Query("SELECT '" + bytes + "' AS b, @@character_set_client AS cs", true));
    EXPECT_EQ(bytes, client.GetValue(0, "B"));
    EXPECT_EQ("latin1", client.GetValue(0, "CS"));

    prompter.ExpectQuestion("Esti sigur ca vrei sa iesi din program?", false);
    EXPECT_FALSE(Session::Leave(client, true));
    EXPECT_TRUE(client.IsConnected());

    prompter.ExpectQuestion("Esti sigur ca vrei sa iesi din program?", true);
    EXPECT_TRUE(Session::Leave(client, true));
    EXPECT_FALSE(client.IsConnected());
    EXPECT_FALSE(process.IsRunning());
}

TEST_F(StartupTest, RunningServerIsUsedAsItIsAndStillAskedToShutDown) {
    CurrentDirectory here(s_folder->path());
    ScriptedPrompter prompter;
    ConsoleProcess starter;
    ASSERT_TRUE(starter.Start(QDir::currentPath().toStdString() + CClient::kServerProgram,
                              CClient::kServerArguments));
    ASSERT_TRUE(WaitUntilAnswering(s_port));
    ConsoleProcess process;
    CClient client(prompter, s_port);
    client.SetServerProcess(&process);
    ASSERT_TRUE(Session::StartUp(client));
    EXPECT_FALSE(process.IsRunning());  // nothing was started by the program
    EXPECT_TRUE(Session::Leave(client, false));
    starter.Stop();  // returns once the server has ended after the shutdown request
    EXPECT_FALSE(starter.IsRunning());
}

TEST_F(StartupTest, PreparingAnExistingInstallationKeepsItsData) {
    CurrentDirectory here(s_folder->path());
    ScriptedPrompter prompter;
    ConsoleProcess process;
    {
        CClient client(prompter, s_port);
        client.SetServerProcess(&process);
        ASSERT_TRUE(Session::StartUp(client));
        ASSERT_EQ(0, client.Query("INSERT INTO asigurati.societati (cf, denumire) VALUES "
                                  "(12345674, 'PASTRATA')",
                                  false));
        Session::Leave(client, false);
    }
    const std::string again = std::string(ORVIK_SOURCE_DIR) + "/scripts/prepare-installation.sh '" +
                              s_folder->path().toStdString() + "' " + std::to_string(s_port) +
                              " > /dev/null";
    ASSERT_EQ(0, std::system(again.c_str()));
    CClient client(prompter, s_port);
    client.SetServerProcess(&process);
    ASSERT_TRUE(Session::StartUp(client));
    ASSERT_EQ(0, client.Query("SELECT denumire FROM asigurati.societati WHERE cf=12345674", true));
    EXPECT_EQ("PASTRATA", client.GetValue(0, "DENUMIRE"));
    Session::Leave(client, false);
}

TEST_F(StartupTest, UnreachableServerShowsBothMessagesInOrder) {
    QTemporaryDir elsewhere;
    CurrentDirectory here(elsewhere.path());
    ScriptedPrompter prompter;
    prompter.ExpectMessage("Conectarea la server nu poate fi realizata!");
    prompter.ExpectMessage("Nu se pot initializa bazele de date!");
    ConsoleProcess process;
    CClient client(prompter, FreePort());
    client.SetServerProcess(&process);
    EXPECT_FALSE(Session::StartUp(client));
    EXPECT_FALSE(client.IsConnected());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
