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

#include <mysql.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ScriptedPrompter.h"
#include "TestServer.h"
#include "app/ConsoleProcess.h"
#include "app/Session.h"
#include "db/CClient.h"
#include "db/InstallationPaths.h"
#include "db/InstallationSetup.h"
#include "db/ServerProcess.h"
#include "db/Transaction.h"

namespace {

// For probing: the failures of a server still starting are expected.
class SilentPrompter : public Prompter {
public:
    void ShowMessage(const std::string&, MessageKind) override {}
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
};

bool WaitUntilAnswering(const ServerLogin& login) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        SilentPrompter quiet;
        CClient probe(quiet, login);
        if (probe.Connect("127.0.0.1")) return true;
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
    ASSERT_TRUE(client.Query("SELECT '" + bytes + "' AS b, @@character_set_client AS cs", true));
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
            s_port = FreeLocalPort();
            const InstallationResult prepared =
                CreateInstallation({.folder = s_folder->path().toStdString(), .port = s_port});
            if (prepared.outcome == InstallationOutcome::Created) return;
            std::system(
                ("cat '" + s_folder->path().toStdString() + "/server/install.log' >&2").c_str());
            ADD_FAILURE() << prepared.message;
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
    // The installation's port and its own client.cnf, as the program reads them.
    static ServerLogin Login() { return TestInstallationLogin(s_folder->path().toStdString()); }
    static std::string ServerProgram() {
        return QDir::currentPath().toStdString() + CClient::kServerProgram;
    }

    static std::string ClientFile() {
        return s_folder->path().toStdString() + "/server/bin/client.cnf";
    }
    static std::string PasswordInFile(const std::string& path) {
        ServerLogin login;
        login.optionFile = path;
        std::string user, password;
        EXPECT_TRUE(LoginCredentials(login, user, password)) << path;
        return password;
    }
    // Makes the installation look as one prepared before it had client.cnf,
    // its program's login with the fixed password; `pending` is then written
    // with `pendingPassword`, as a start that a crash cut short leaves it, and
    // the server is given `serverPassword`.
    // With `rootDoor`, root and an anonymous account answer without a
    // password, as installations of that time had them.
    static void MakeFormer(const std::string& serverPassword, const std::string& pendingPassword,
                           bool rootDoor = false) {
        ScriptedPrompter prompter;
        ConsoleProcess process;
        CClient client(prompter, Login());
        client.SetServerProcess(&process);
        ASSERT_TRUE(Session::StartUp(client));
        if (rootDoor) {
            ASSERT_EQ("",
                      RootSql("CREATE USER 'root'@'127.0.0.1'; GRANT ALL ON *.* TO "
                              "'root'@'127.0.0.1' WITH GRANT OPTION; CREATE USER ''@'localhost'; "
                              "ALTER USER 'root'@'localhost' IDENTIFIED BY ''"));
            ASSERT_TRUE(LogsIn("root", ""));
        }
        ASSERT_TRUE(client.Query("SET PASSWORD = PASSWORD('" + serverPassword + "')", false));
        ASSERT_TRUE(Session::Leave(client, false));
        ASSERT_TRUE(std::filesystem::remove(ClientFile()));
        if (!pendingPassword.empty())
            std::ofstream(ClientFile() + ".new") << OptionFileText("orvik", pendingPassword);
        ASSERT_TRUE(Login().former);
    }
    // Runs SQL as the system's root through the running server's socket; its
    // output, or "failed".
    static std::string RootSql(const std::string& sql) {
        const std::string command = "mariadb --no-defaults --protocol=socket --socket='" +
                                    s_folder->path().toStdString() +
                                    "/server/mysqld.sock' -uroot -N -e \"" + sql + "\" 2>&1";
        std::FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return "failed";
        std::string out;
        char buffer[512];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, got);
        return ::pclose(pipe) == 0 ? out : "failed: " + out;
    }
    // A login straight through the client library, outside the program.
    static bool LogsIn(const char* user, const char* password) {
        MYSQL* handle = mysql_init(nullptr);
        const bool in = mysql_real_connect(handle, "127.0.0.1", user, password, nullptr,
                                           static_cast<unsigned>(s_port), nullptr, 0);
        mysql_close(handle);
        return in;
    }
    // Starts the program as the user does, then leaves it; the login it used.
    static ServerLogin StartAndLeave() {
        ScriptedPrompter prompter;
        ConsoleProcess process;
        CClient client(prompter, Login());
        client.SetServerProcess(&process);
        EXPECT_TRUE(Session::StartUp(client));
        const ServerLogin used = client.Login();
        EXPECT_TRUE(Session::Leave(client, false));
        EXPECT_FALSE(process.IsRunning());
        return used;
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
    CClient client(prompter, Login());
    client.SetServerProcess(&process);

    ASSERT_TRUE(Session::StartUp(client));
    EXPECT_TRUE(process.IsRunning());
    ASSERT_TRUE(
        client.Query("SELECT setare FROM asigurati.setari WHERE denumire='versiune'", true));
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
    ASSERT_TRUE(WaitUntilAnswering(Login()));
    ConsoleProcess process;
    CClient client(prompter, Login());
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
        CClient client(prompter, Login());
        client.SetServerProcess(&process);
        ASSERT_TRUE(Session::StartUp(client));
        ASSERT_TRUE(
            client.Query("INSERT INTO asigurati.societati (cf, denumire) VALUES "
                         "(12345674, 'PASTRATA')",
                         false));
        Session::Leave(client, false);
    }
    const InstallationResult again =
        CreateInstallation({.folder = s_folder->path().toStdString(), .port = s_port});
    ASSERT_EQ(InstallationOutcome::AlreadyThere, again.outcome) << again.message;
    CClient client(prompter, Login());
    client.SetServerProcess(&process);
    ASSERT_TRUE(Session::StartUp(client));
    ASSERT_TRUE(client.Query("SELECT denumire FROM asigurati.societati WHERE cf=12345674", true));
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
    ServerLogin nowhere = Login();
    nowhere.port = FreeLocalPort();
    CClient client(prompter, nowhere);
    client.SetServerProcess(&process);
    EXPECT_FALSE(Session::StartUp(client));
    EXPECT_FALSE(client.IsConnected());
}

TEST_F(StartupTest, KilledServerIsStartedAgainAndNothingOfTheLostTransactionIsKeptOrRepeated) {
    CurrentDirectory here(s_folder->path());
    ScriptedPrompter prompter;
    ConsoleProcess process;
    CClient client(prompter, Login());
    client.SetServerProcess(&process);
    ASSERT_TRUE(Session::StartUp(client));
    ASSERT_TRUE(client.Query("DELETE FROM asigurati.cas WHERE denumire='reconectare'", false));
    ASSERT_TRUE(
        client.Query("INSERT INTO asigurati.cas (cas, denumire) VALUES ('R0', "
                     "'reconectare')",
                     false));
    {
        Transaction outer(client);
        ASSERT_TRUE(outer.Begun());
        ASSERT_TRUE(
            client.Query("INSERT INTO asigurati.cas (cas, denumire) VALUES ('R1', "
                         "'reconectare')",
                         false));
        Transaction inner(client);
        ASSERT_TRUE(inner.Begun());
        ASSERT_NO_FATAL_FAILURE(KillServer());

        prompter.ExpectMessage(kRestored);
        client.ClearFields();
        client.AddField("CAS", "R2");
        client.AddField("DENUMIRE", "reconectare");
        EXPECT_FALSE(client.InsertRecord("ASIGURATI", "CAS", "", false));
        EXPECT_TRUE(prompter.AllShown());
        EXPECT_EQ(0, client.OpenTransactions());

        // The flow goes on as after any failed statement. Nothing it still
        // sends may land on the new connection outside its lost transaction,
        // and nothing of it may show an error of its own.
        EXPECT_FALSE(inner.Commit());
        Transaction another(client);
        EXPECT_FALSE(another.Begun());
        EXPECT_FALSE(
            client.Query("INSERT INTO asigurati.cas (cas, denumire) VALUES ('R3', "
                         "'reconectare')",
                         false));
        EXPECT_FALSE(outer.Commit());
    }
    EXPECT_EQ(0, client.OpenTransactions());
    EXPECT_TRUE(process.IsRunning());  // started again by the program

    ExpectLatin1RoundTrip(client);
    ASSERT_TRUE(
        client.Query("SELECT GROUP_CONCAT(cas ORDER BY cas) AS c FROM asigurati.cas "
                     "WHERE denumire='reconectare'",
                     true));
    EXPECT_EQ("R0", client.GetValue(0, "C"));

    // The transactions that come after are real ones again.
    {
        Transaction transaction(client);
        ASSERT_TRUE(transaction.Begun());
        ASSERT_TRUE(
            client.Query("INSERT INTO asigurati.cas (cas, denumire) VALUES ('R4', "
                         "'reconectare')",
                         false));
    }
    ASSERT_TRUE(client.Query("SELECT COUNT(*) AS n FROM asigurati.cas WHERE cas='R4'", true));
    EXPECT_EQ("0", client.GetValue(0, "N"));

    EXPECT_TRUE(Session::Leave(client, false));
    EXPECT_FALSE(process.IsRunning());
}

TEST_F(StartupTest, ServerThatCannotBeStartedAgainIsReportedAndTriedAgainLater) {
    CurrentDirectory here(s_folder->path());
    ScriptedPrompter prompter;
    ConsoleProcess starter;
    ASSERT_TRUE(starter.Start(ServerProgram(), CClient::kServerArguments));
    ASSERT_TRUE(WaitUntilAnswering(Login()));
    RefusingServerProcess refusing;
    CClient client(prompter, Login());
    client.SetServerProcess(&refusing);
    ASSERT_TRUE(Session::StartUp(client));
    ASSERT_NO_FATAL_FAILURE(KillServer());

    prompter.ExpectMessage(kNotRestored);
    EXPECT_FALSE(client.Query("SELECT 1 AS n", true));
    EXPECT_EQ(1, refusing.starts);
    EXPECT_FALSE(client.IsConnected());

    prompter.ExpectMessage(kNotRestored);
    EXPECT_FALSE(client.RunStatement({"DELETE FROM asigurati.cas WHERE denumire='reconectare'"}));
    EXPECT_EQ(2, refusing.starts);

    // The same runner starts the server once more after its first one died.
    ASSERT_TRUE(starter.Start(ServerProgram(), CClient::kServerArguments));
    ASSERT_TRUE(WaitUntilAnswering(Login()));
    prompter.ExpectMessage(kRestored);
    EXPECT_FALSE(client.Query("SELECT 1 AS n", true));
    EXPECT_EQ(2, refusing.starts);  // found answering at the first try
    ExpectLatin1RoundTrip(client);

    EXPECT_TRUE(Session::Leave(client, false));
    starter.Stop();
    EXPECT_FALSE(starter.IsRunning());
}

// An installation prepared before it had client.cnf keeps working: its first
// start gives the program's login a password of its own and writes the file.
TEST_F(StartupTest, FormerInstallationGetsItsOwnPasswordAtItsFirstStart) {
    if (::geteuid() != 0) GTEST_SKIP() << "opening root's old door needs the system's root";
    CurrentDirectory here(s_folder->path());
    ASSERT_NO_FATAL_FAILURE(MakeFormer("tovelrudam", "", true));

    EXPECT_FALSE(StartAndLeave().former);
    struct stat info {};
    ASSERT_EQ(0, ::stat(ClientFile().c_str(), &info));
    EXPECT_EQ(0600u, info.st_mode & 0777u);
    const std::string password = PasswordInFile(ClientFile());
    EXPECT_EQ(32u, password.size());
    EXPECT_FALSE(std::filesystem::exists(ClientFile() + ".new"));

    // The second start uses the file; the fixed password no longer opens anything.
    ASSERT_FALSE(Login().former);
    EXPECT_FALSE(StartAndLeave().former);
    EXPECT_EQ(password, PasswordInFile(ClientFile()));
    ConsoleProcess server;
    ASSERT_TRUE(server.Start(ServerProgram(), CClient::kServerArguments));
    ASSERT_TRUE(WaitUntilAnswering(Login()));
    EXPECT_FALSE(LogsIn("orvik", "tovelrudam"));
    EXPECT_TRUE(LogsIn("orvik", password.c_str()));
    // Root's door was closed on the way: only the system's root, only
    // through the socket.
    EXPECT_FALSE(LogsIn("root", ""));
    EXPECT_FALSE(LogsIn("nobody", ""));
    EXPECT_EQ("0\n", RootSql("SELECT COUNT(*) FROM mysql.global_priv WHERE user = '' OR "
                             "(user = 'root' AND host <> 'localhost')"));
    ScriptedPrompter prompter;
    CClient client(prompter, Login());
    ASSERT_TRUE(client.Connect("127.0.0.1"));
    EXPECT_TRUE(Session::Leave(client, false));
    server.Stop();
}

// Whichever step a crash interrupted, the next start gets in and finishes.
TEST_F(StartupTest, FormerInstallationWhoseFirstStartWasCutShortStillGetsIn) {
    CurrentDirectory here(s_folder->path());
    // The file was written, the server never took its password.
    ASSERT_NO_FATAL_FAILURE(MakeFormer("tovelrudam", "NeluatDeServer0123456789abcdef"));
    EXPECT_FALSE(StartAndLeave().former);
    const std::string fresh = PasswordInFile(ClientFile());
    EXPECT_EQ(32u, fresh.size());
    EXPECT_NE("NeluatDeServer0123456789abcdef", fresh);
    EXPECT_FALSE(std::filesystem::exists(ClientFile() + ".new"));
    EXPECT_FALSE(StartAndLeave().former);

    // The server took the password, the file kept its temporary name.
    ASSERT_NO_FATAL_FAILURE(
        MakeFormer("LuatDeServer0123456789abcdefgh", "LuatDeServer0123456789abcdefgh"));
    EXPECT_FALSE(StartAndLeave().former);
    EXPECT_EQ("LuatDeServer0123456789abcdefgh", PasswordInFile(ClientFile()));
    EXPECT_FALSE(std::filesystem::exists(ClientFile() + ".new"));
    EXPECT_FALSE(StartAndLeave().former);
}

// The folder, the server's data and its socket are the owner's alone, also
// for what the server creates after the preparation.
TEST_F(StartupTest, InstallationIsItsOwnersAlone) {
    CurrentDirectory here(s_folder->path());
    ScriptedPrompter prompter;
    ConsoleProcess process;
    CClient client(prompter, Login());
    client.SetServerProcess(&process);
    ASSERT_TRUE(Session::StartUp(client));
    ASSERT_TRUE(client.Query("CREATE TABLE IF NOT EXISTS asigurati.proba_drepturi (x INT)", false));
    ASSERT_TRUE(client.Query("DROP TABLE asigurati.proba_drepturi", false));
    ASSERT_TRUE(client.Query("CREATE TABLE IF NOT EXISTS asigurati.proba_drepturi (x INT)", false));

    namespace fs = std::filesystem;
    const fs::path root = s_folder->path().toStdString();
    for (const fs::path& folder :
         {root, root / "server", root / "server/bin", root / "server/data"})
        EXPECT_EQ(fs::perms::owner_all, fs::status(folder).permissions()) << folder;
    for (const char* file : {"server/bin/my.cnf", "server/bin/client.cnf"})
        EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write,
                  fs::status(root / file).permissions())
            << file;
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root / "server")) {
        if (entry.is_socket() || entry.is_symlink()) continue;  // inside the 0700 folder
        const fs::perms others = fs::perms::group_all | fs::perms::others_all;
        EXPECT_EQ(fs::perms::none, entry.status().permissions() & others) << entry.path();
        ++checked;
    }
    EXPECT_GT(checked, 20);
    EXPECT_TRUE(fs::exists(root / "server/data/asigurati/proba_drepturi.ibd"));
    ASSERT_TRUE(client.Query("DROP TABLE asigurati.proba_drepturi", false));
    EXPECT_TRUE(Session::Leave(client, false));
}

// Prepared by root for a folder of another user, the server runs as that
// user and everything in the installation is that user's.
TEST(InstallationOwner, PreparedByRootForAnotherUserRunsAsThatUser) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody) GTEST_SKIP() << "needs root and the user nobody";
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString();
    ASSERT_EQ(0, ::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid));
    const int port = FreeLocalPort();
    const InstallationResult prepared = CreateInstallation({.folder = path, .port = port});
    ASSERT_EQ(InstallationOutcome::Created, prepared.outcome) << prepared.message;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
        struct stat info {};
        ASSERT_EQ(0, ::lstat(entry.path().c_str(), &info));
        EXPECT_EQ(nobody->pw_uid, info.st_uid) << entry.path();
    }
    CurrentDirectory here(folder.path());
    ScriptedPrompter prompter;
    ConsoleProcess process;
    CClient client(prompter, TestInstallationLogin(path));
    client.SetServerProcess(&process);
    ASSERT_TRUE(Session::StartUp(client));
    std::ifstream pidFile(path + "/server/mysqld.pid");
    long pid = 0;
    pidFile >> pid;
    struct stat info {};
    ASSERT_EQ(0, ::stat(("/proc/" + std::to_string(pid)).c_str(), &info));
    EXPECT_EQ(nobody->pw_uid, info.st_uid);
    EXPECT_TRUE(Session::Leave(client, false));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
