// orvik-cli installation create as an accountant's script runs it: a new
// installation whose files only its owner can read, a working login of its
// own, the databases at the program's version, and `health files` working
// against it; an existing installation is left exactly as it was.
#include <gtest/gtest.h>
#include <mysql.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "../dbf/DbfTestSupport.h"
#include "CliRunner.h"
#include "TestServer.h"
#include "db/InstallationPaths.h"
#include "domain/ProgramVersion.h"

namespace fs = std::filesystem;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The installation's server, started as the program starts it, for as long
// as the object lives; stopped through the program's own login.
class RunningServer {
public:
    RunningServer(const std::string& folder, int port) : m_folder(folder), m_port(port) {
        const std::string start = "cd " + QuoteForShell(folder) +
                                  " && nohup ./server/bin/mysqld "
                                  "--defaults-file=server/bin/my.cnf > /dev/null 2>&1 &";
        if (std::system(start.c_str()) != 0) return;
        for (int i = 0; i < 600 && !m_connection; ++i) {
            m_connection = Connect();
            if (!m_connection) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    ~RunningServer() {
        if (m_connection) {
            mysql_query(m_connection, "SHUTDOWN");
            mysql_close(m_connection);
        }
        for (int i = 0; i < 600 && LocalPortAnswers(m_port); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    bool Ready() const { return m_connection != nullptr; }

    // First column of the first row; "" when there is none or it failed.
    std::string Scalar(const std::string& sql) {
        std::string value;
        if (mysql_real_query(m_connection, sql.data(), sql.size()) != 0) return "ERROR";
        if (MYSQL_RES* result = mysql_store_result(m_connection)) {
            if (MYSQL_ROW row = mysql_fetch_row(result)) value = row[0] ? row[0] : "";
            mysql_free_result(result);
        }
        return value;
    }
    bool Run(const std::string& sql) {
        return mysql_real_query(m_connection, sql.data(), sql.size()) == 0;
    }

private:
    // As the program logs in: the installation's client.cnf, over TCP.
    MYSQL* Connect() const {
        const auto login = InstallationLogin(m_folder);
        MYSQL* handle = mysql_init(nullptr);
        if (login && ConnectAs(handle, *login, LoginAttempts(*login).at(0), 0)) return handle;
        mysql_close(handle);
        return nullptr;
    }

    std::string m_folder;
    int m_port;
    MYSQL* m_connection = nullptr;
};

bool LogsIn(int port, const char* user, const std::string& password) {
    MYSQL* handle = mysql_init(nullptr);
    const bool in = mysql_real_connect(handle, "127.0.0.1", user, password.c_str(), nullptr,
                                       static_cast<unsigned>(port), nullptr, 0) != nullptr;
    mysql_close(handle);
    return in;
}

// Every folder 0700 and every file 0600 but the server's starter (0700).
void ExpectOwnerOnly(const fs::path& folder) {
    struct stat info {};
    ASSERT_EQ(0, ::stat(folder.c_str(), &info));
    EXPECT_EQ(0700u, info.st_mode & 07777) << folder;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        ASSERT_EQ(0, ::lstat(entry.path().c_str(), &info));
        const bool starter = entry.path() == folder / "server/bin/mysqld";
        const unsigned expected = S_ISDIR(info.st_mode) || starter ? 0700u : 0600u;
        EXPECT_EQ(expected, info.st_mode & 07777) << entry.path();
        ++files;
    }
    EXPECT_GT(files, 20);
}

// Each file's bytes and time of change, to see that nothing was touched.
std::map<std::string, std::pair<std::string, long long>> Snapshot(const fs::path& folder) {
    std::map<std::string, std::pair<std::string, long long>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        struct stat info {};
        ::lstat(entry.path().c_str(), &info);
        const long long changed = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
        files[entry.path().string()] = {entry.is_regular_file() && info.st_size < 100000
                                            ? ReadBytes(entry.path().string())
                                            : std::string(),
                                        changed};
    }
    return files;
}

TEST(InstallationCommand, CreatesAnInstallationThatHealthFilesWorksAgainst) {
    TempFolder work, out;
    const std::string folder = work.File("birou");
    const int port = FreeLocalPort();
    const CliResult made =
        RunCli("installation create " + QuoteForShell(folder) + " --port " + std::to_string(port));
    ASSERT_EQ(0, made.status) << made.err;
    EXPECT_EQ("Instalare pregatita in " + folder + " (port " + std::to_string(port) + ").\n",
              made.out);
    EXPECT_EQ("", made.err);
    EXPECT_FALSE(LocalPortAnswers(port)) << "the server is left running";
    ExpectOwnerOnly(folder);

    // The program's login with a password of this installation's own.
    const std::string client = ReadBytes(folder + "/server/bin/client.cnf");
    const std::size_t at = client.find("\npassword=");
    ASSERT_NE(std::string::npos, at) << client;
    const std::string password = client.substr(at + 10, client.find('\n', at + 1) - at - 10);
    EXPECT_EQ(32u, password.size());
    EXPECT_EQ(std::string::npos,
              password.find_first_not_of(
                  "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"));
    EXPECT_TRUE(Contains(client, "[client]\nuser=orvik\n")) << client;
    EXPECT_EQ(port, InstallationServerPort(folder));
    {
        RunningServer server(folder, port);
        ASSERT_TRUE(server.Ready());
        EXPECT_EQ(kProgramVersion,
                  server.Scalar("SELECT setare FROM asigurati.setari WHERE denumire='versiune'"));
        EXPECT_EQ("44", server.Scalar("SELECT COUNT(*) FROM asigurati.cas"));
        EXPECT_EQ("0", server.Scalar("SELECT @@local_infile"));
        // Nobody else gets in over the network: not root, not the former fixed login.
        EXPECT_FALSE(LogsIn(port, "root", ""));
        EXPECT_FALSE(LogsIn(port, "orvik", "tovelrudam"));
        EXPECT_TRUE(LogsIn(port, "orvik", password));
        ASSERT_TRUE(server.Run(
            "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud) VALUES "
            "(12345678, 'ALFA SRL', 'J40/1234/2003', 'POPESCU ION', '10', 'MB');"));
        ASSERT_TRUE(server.Run(
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
            "VALUES (12345678, 'CASAB', 'POPESCU', 'ION', 1800101221144, 20090315, 0, 'S')"));
        ASSERT_TRUE(server.Run(
            "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
            "VALUES (1, 12345678, 1800101221144, 200907, 2000, 100, 90)"));
    }
    ASSERT_FALSE(LocalPortAnswers(port));

    // The command line finds its server, starts it and stops it again.
    const CliResult files =
        RunCli("health files --cf 12345678 --month 200907 --cas CASAB --dir " +
               QuoteForShell(out.Path().string()) + " --installation " + QuoteForShell(folder));
    ASSERT_EQ(0, files.status) << files.err;
    const std::string f = out.Path().string() + "/CASAB_12345678_200907_anexa1";
    EXPECT_EQ(f + "A.dbf\n" + f + "B.dbf\n" + f + "C.dbf\n", files.out);
    EXPECT_FALSE(LocalPortAnswers(port));
}

TEST(InstallationCommand, AnExistingInstallationIsLeftExactlyAsItWas) {
    TempFolder work;
    const std::string folder = work.File("birou");
    const int port = FreeLocalPort();
    const std::string create = "installation create " + QuoteForShell(folder) + " --port ";
    ASSERT_EQ(0, RunCli(create + std::to_string(port)).status);
    const auto before = Snapshot(folder);
    // Asked again, on another port even: not one byte changes.
    const CliResult again = RunCli(create + std::to_string(FreeLocalPort()));
    EXPECT_EQ(0, again.status) << again.err;
    EXPECT_EQ("Instalarea din " + folder + " exista deja; datele ei raman neatinse.\n", again.out);
    EXPECT_EQ(before, Snapshot(folder));
    // The same through the preparation script, which hands the work to orvik-cli.
    const std::string script =
        "ORVIK_CLI=" + QuoteForShell(ORVIK_CLI) + " " +
        QuoteForShell(std::string(ORVIK_SOURCE_DIR) + "/scripts/prepare-installation.sh") + " " +
        QuoteForShell(folder) + " > /dev/null";
    EXPECT_EQ(0, std::system(script.c_str()));
    EXPECT_EQ(before, Snapshot(folder));
}

TEST(InstallationCommand, BadUsageMakesNothing) {
    TempFolder work;
    const std::string folder = QuoteForShell(work.File("birou"));
    for (const std::string& arguments : std::vector<std::string>{
             "installation", "installation create", "installation make " + folder,
             "installation create " + folder + " --port 0",
             "installation create " + folder + " --port 65536",
             "installation create " + folder + " --port 33a6",
             "installation create " + folder + " --port",
             "installation create " + folder + " " + folder}) {
        const CliResult r = RunCli(arguments);
        EXPECT_EQ(2, r.status) << arguments;
        EXPECT_TRUE(
            Contains(r.err, "utilizare: orvik-cli installation create FOLDER [--port PORT]"))
            << arguments << ": " << r.err;
        EXPECT_EQ("", r.out);
    }
    EXPECT_FALSE(fs::exists(work.File("birou")));
}

}  // namespace
