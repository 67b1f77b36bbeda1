// Start-up and leaving against a server of our own installation, stopped at
// the beginning, as on a user's machine after boot.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <signal.h>
#include <cstdlib>

#include "ScriptedPrompter.h"
#include "app/ConsoleProcess.h"
#include "app/Session.h"
#include "db/CClient.h"
#include "db/ServerProcess.h"
#include "db/Transaction.h"

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

bool WaitUntilRefusing(int port) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
        if (!socket.waitForConnected(1000)) return true;
        socket.abort();
        QThread::msleep(50);
    }
    return false;
}

// Every byte 0x80..0xFF must come back as sent: anything but latin1 on the
// connection would convert them.
void ExpectLatin1RoundTrip(CClient& client) {
    std::string bytes;
    for (int b = 0x80; b < 0x100; ++b) bytes += static_cast<char>(b);
    ASSERT_EQ(0, client.Query("SELECT '" + bytes + "' AS b, @@character_set_client AS cs", true));
    EXPECT_EQ(bytes, client.GetValue(0, "B"));
    EXPECT_EQ("latin1", client.GetValue(0, "CS"));
}

// A runner that cannot start the server, as with a broken installation.
class RefusingServerProcess : public ServerProcess {
public:
    bool Start(const std::string&, const std::string&) override {
        ++starts;
        return false;
    }
    void Stop() override {}
    void Detach() override {}
    int starts = 0;
};

const char* const kRestored =
    "Legatura cu serverul de baze de date s-a pierdut si a fost refacuta.\n\n"
    "Ultima operatie nu a fost salvata; o poti repeta.";
const char* const kNotRestored =
    "Legatura cu serverul de baze de date s-a pierdut si nu a putut fi refacuta.\n\n"
    "Ultima operatie nu a fost salvata. Inchide programul si porneste-l din nou.";

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
        // Preparing an installation starts a server of its own; on a loaded
        // machine that can fail once, which is not what these tests are about.
        for (int attempt = 0; attempt < 2; ++attempt) {
            delete s_folder;
            s_folder = new QTemporaryDir();
            s_port = FreePort();
            const std::string command = std::string(ORVIK_SOURCE_DIR) +
                                        "/scripts/prepare-installation.sh '" +
                                        s_folder->path().toStdString() + "' " +
                                        std::to_string(s_port) + " > /dev/null";
            if (std::system(command.c_str()) == 0) return;
            std::system(("cat '" + s_folder->path().toStdString() + "/server/install.log' >&2")
                            .c_str());
        }
        FAIL() << "the test installation could not be prepared";
    }
    static void TearDownTestSuite() { delete s_folder; }

    // Ends the server as a crash or an out-of-memory kill would, and returns
    // once it no longer answers.
    static void KillServer() {
        QFile pidFile(s_folder->path() + "/server/mysqld.pid");
        ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
        const pid_t pid = pidFile.readAll().trimmed().toInt();
        ASSERT_GT(pid, 0);
        ASSERT_EQ(0, ::kill(pid, SIGKILL));
        ASSERT_TRUE(WaitUntilRefusing(s_port));
    }
    static std::string ServerProgram() {
        return QDir::currentPath().toStdString() + CClient::kServerProgram;
    }

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
    ExpectLatin1RoundTrip(client);

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

TEST_F(StartupTest, KilledServerIsStartedAgainAndNothingOfTheLostTransactionIsKeptOrRepeated) {
    CurrentDirectory here(s_folder->path());
    ScriptedPrompter prompter;
    ConsoleProcess process;
    CClient client(prompter, s_port);
    client.SetServerProcess(&process);
    ASSERT_TRUE(Session::StartUp(client));
    ASSERT_EQ(0, client.Query("DELETE FROM asigurati.cas WHERE denumire='reconectare'", false));
    ASSERT_EQ(0, client.Query("INSERT INTO asigurati.cas (cas, denumire) VALUES ('R0', "
                              "'reconectare')",
                              false));
    {
        Transaction outer(client);
        ASSERT_TRUE(outer.Begun());
        ASSERT_EQ(0, client.Query("INSERT INTO asigurati.cas (cas, denumire) VALUES ('R1', "
                                  "'reconectare')",
                                  false));
        Transaction inner(client);
        ASSERT_TRUE(inner.Begun());
        ASSERT_NO_FATAL_FAILURE(KillServer());

        prompter.ExpectMessage(kRestored);
        client.ClearFields();
        client.AddField("CAS", "R2");
        client.AddField("DENUMIRE", "reconectare");
        EXPECT_EQ(1, client.InsertRecord("ASIGURATI", "CAS", "", false));
        EXPECT_TRUE(prompter.AllShown());
        EXPECT_EQ(0, client.OpenTransactions());

        // The flow goes on as after any failed statement. Nothing it still
        // sends may land on the new connection outside its lost transaction,
        // and nothing of it may show an error of its own.
        EXPECT_EQ(1, inner.Commit());
        Transaction another(client);
        EXPECT_FALSE(another.Begun());
        EXPECT_EQ(1, client.Query("INSERT INTO asigurati.cas (cas, denumire) VALUES ('R3', "
                                  "'reconectare')",
                                  false));
        EXPECT_EQ(1, outer.Commit());
    }
    EXPECT_EQ(0, client.OpenTransactions());
    EXPECT_TRUE(process.IsRunning());  // started again by the program

    ExpectLatin1RoundTrip(client);
    ASSERT_EQ(0, client.Query("SELECT GROUP_CONCAT(cas ORDER BY cas) AS c FROM asigurati.cas "
                              "WHERE denumire='reconectare'",
                              true));
    EXPECT_EQ("R0", client.GetValue(0, "C"));

    // The transactions that come after are real ones again.
    {
        Transaction transaction(client);
        ASSERT_TRUE(transaction.Begun());
        ASSERT_EQ(0, client.Query("INSERT INTO asigurati.cas (cas, denumire) VALUES ('R4', "
                                  "'reconectare')",
                                  false));
    }
    ASSERT_EQ(0, client.Query("SELECT COUNT(*) AS n FROM asigurati.cas WHERE cas='R4'", true));
    EXPECT_EQ("0", client.GetValue(0, "N"));

    EXPECT_TRUE(Session::Leave(client, false));
    EXPECT_FALSE(process.IsRunning());
}

TEST_F(StartupTest, ServerThatCannotBeStartedAgainIsReportedAndTriedAgainLater) {
    CurrentDirectory here(s_folder->path());
    ScriptedPrompter prompter;
    ConsoleProcess starter;
    ASSERT_TRUE(starter.Start(ServerProgram(), CClient::kServerArguments));
    ASSERT_TRUE(WaitUntilAnswering(s_port));
    RefusingServerProcess refusing;
    CClient client(prompter, s_port);
    client.SetServerProcess(&refusing);
    ASSERT_TRUE(Session::StartUp(client));
    ASSERT_NO_FATAL_FAILURE(KillServer());

    prompter.ExpectMessage(kNotRestored);
    EXPECT_EQ(1, client.Query("SELECT 1 AS n", true));
    EXPECT_EQ(1, refusing.starts);
    EXPECT_FALSE(client.IsConnected());

    prompter.ExpectMessage(kNotRestored);
    EXPECT_EQ(1, client.RunStatement({"DELETE FROM asigurati.cas WHERE denumire='reconectare'"}));
    EXPECT_EQ(2, refusing.starts);

    // The same runner starts the server once more after its first one died.
    ASSERT_TRUE(starter.Start(ServerProgram(), CClient::kServerArguments));
    ASSERT_TRUE(WaitUntilAnswering(s_port));
    prompter.ExpectMessage(kRestored);
    EXPECT_EQ(1, client.Query("SELECT 1 AS n", true));
    EXPECT_EQ(2, refusing.starts);  // found answering at the first try
    ExpectLatin1RoundTrip(client);

    EXPECT_TRUE(Session::Leave(client, false));
    starter.Stop();
    EXPECT_FALSE(starter.IsRunning());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
