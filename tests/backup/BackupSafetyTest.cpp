// Hostile copies, two operations at once and files planted by other users,
// against servers of their own: the current data stays exactly as it was.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "BackupFixture.h"
#include "backup/CopyLock.h"

namespace {

const std::string kUnchanged = "Datele actuale au ramas neschimbate.";
const std::string kBeforeRestore = "orvik-copie-inainte-de-restaurare-";

// The copy's text with `lines` put in after the first USE of asigurati; the
// line number the first of them gets.
std::string Injected(const std::string& text, const std::string& lines, long long& lineNumber) {
    const std::size_t at = text.find("USE `asigurati`;\n") + 17;
    lineNumber = 1 + std::count(text.begin(), text.begin() + static_cast<long>(at), '\n');
    return text.substr(0, at) + lines + text.substr(at);
}

std::size_t BeforeRestoreCopies(const std::string& installation) {
    return ListCopies(AutomaticCopyFolder(installation), kBeforeRestore).size();
}

TEST_F(BackupTest, CommandsAndForeignStatementsInACopyAreRefusedBeforeAnythingRuns) {
    CClient& target = s_target->Client();
    MarkTarget(target);
    const std::string before = TableChecksums(target);
    const std::size_t copiesBefore = BeforeRestoreCopies(s_target->Folder());
    const std::string folder = s_target->Folder();
    const std::string secret = folder + "/secret.txt";
    WriteBytes(secret, "parola\tsecreta\n");
    ::chmod(secret.c_str(), 0600);
    const std::string text = Gunzip(s_copy);
    const std::string pwned = folder + "/pwned";
    const std::string hostile[] = {
        "\\! touch " + pwned + "\n",
        "system touch " + pwned + "\n",
        "LOAD DATA LOCAL INFILE '" + secret + "' INTO TABLE setari;\n",
        "CREATE TRIGGER zcopie_sume_t BEFORE INSERT ON asigurati.zcopie_sume FOR EACH ROW SET "
        "NEW.salariu=1;\n",
        // the data loss of a failing copy: deletes, then a statement that fails
        "DELETE FROM asigurati.sume;\nDROP DATABASE concedii;\nINSERT INTO nowhere VALUES (1);\n",
        "/*!50001 DELETE FROM asigurati.sume */;\n",
        "GRANT ALL ON *.* TO 'orvik'@'127.0.0.1';\n",
    };
    for (const std::string& lines : hostile) {
        long long line = 0;
        Gzip(folder + "/hostile.sql.gz", Injected(text, lines, line));
        const CommandResult r =
            RunCli("restore '" + folder + "/hostile.sql.gz' --yes --installation '" + folder + "'");
        EXPECT_EQ(2, r.status) << lines << r.output;
        EXPECT_NE(std::string::npos, r.output.find("linia " + std::to_string(line) + " "))
            << lines << r.output;
        EXPECT_NE(std::string::npos, r.output.find(kUnchanged + "\n")) << r.output;
        EXPECT_EQ(before, TableChecksums(target)) << lines;
    }
    EXPECT_FALSE(fs::exists(pwned));
    EXPECT_EQ(0, CountStagedTables(target));
    // Refused before the automatic copy too: nothing was begun.
    EXPECT_EQ(copiesBefore, BeforeRestoreCopies(folder));
    ASSERT_TRUE(target.Query("SELECT COUNT(*) AS n FROM asigurati.sume", true));
    EXPECT_NE("0", target.GetValue(0, "N"));
}

TEST_F(BackupTest, CopiesWithoutExactlyTheProgramsTablesAreRefused) {
    CClient& target = s_target->Client();
    const std::string before = TableChecksums(target);
    const std::string folder = s_target->Folder();
    const std::string text = Gunzip(s_copy);
    const std::string trailer = text.substr(text.rfind("-- Orvik"));
    const std::size_t sume = text.find("DROP TABLE IF EXISTS `sume`;");
    const std::size_t next = text.find("DROP TABLE IF EXISTS `sume_societati`;");
    ASSERT_NE(std::string::npos, sume);
    long long line = 0;
    const struct {
        std::string name, text, reason;
    } cases[] = {
        {"missing", text.substr(0, sume) + text.substr(next), "lipseste tabela asigurati.sume"},
        {"twice", text.substr(0, next) + text.substr(sume, next - sume) + text.substr(next),
         "a doua oara tabela asigurati.sume"},
        {"extra",
         Injected(text, "CREATE TABLE `zcopie_sume` (\n  `a` int(11) NOT NULL\n) ENGINE=InnoDB;\n",
                  line),
         "tabela asigurati.zcopie_sume, care nu este a programului"},
        {"second-trailer", text + trailer, "urmeaza dupa sfarsitul copiei"},
        {"early-trailer", Injected(text, CopyTrailerLine(0), line),
         "urmeaza dupa sfarsitul copiei"},
    };
    for (const auto& c : cases) {
        Gzip(folder + "/" + c.name + ".sql.gz", c.text);
        const CommandResult r = RunCli("restore '" + folder + "/" + c.name +
                                       ".sql.gz' --yes --installation '" + folder + "'");
        EXPECT_EQ(2, r.status) << c.name << r.output;
        EXPECT_NE(std::string::npos, r.output.find(c.reason)) << c.name << r.output;
    }
    EXPECT_EQ(before, TableChecksums(target));
}

TEST_F(BackupTest, ACopyChangedAfterItsCheckIsStoppedBeforeItsStatementRuns) {
    CClient& target = s_target->Client();
    MarkTarget(target);
    const std::string before = TableChecksums(target);
    MessageLog inspected;
    const auto info = InspectCopy(s_copy, inspected);
    ASSERT_TRUE(info) << inspected.All();
    long long line = 0;
    const std::string swapped = s_target->Folder() + "/swapped.sql.gz";
    Gzip(swapped, Injected(Gunzip(s_copy), "DELETE FROM asigurati.sume;\n", line));

    const CopyLock lock(s_target->Server());
    ASSERT_TRUE(lock.Held()) << lock.Message();
    MessageLog log;
    EXPECT_FALSE(LoadCopy(s_target->Server(), swapped, *info, log));
    ASSERT_EQ(1u, log.shown.size()) << log.All();
    EXPECT_NE(std::string::npos, log.shown[0].find("linia " + std::to_string(line) + " "))
        << log.All();
    ASSERT_TRUE(DropStagedTables(target));
    EXPECT_EQ(before, TableChecksums(target));
}

TEST_F(BackupTest, OneSaveOrRestoreAtATime) {
    CClient& target = s_target->Client();
    MarkTarget(target);
    const std::string folder = s_target->Folder();
    // The target's own data as a second copy, so each restore shows which one won.
    const std::string own = folder + "/own.sql.gz";
    MessageLog saving;
    ASSERT_TRUE(SaveCopy(s_target->Server(), own, std::time(nullptr), saving)) << saving.All();
    const std::string sourceData = TableChecksums(s_source->Client());
    const std::string targetData = TableChecksums(target);
    ASSERT_NE(sourceData, targetData);
    {
        const CopyLock held(s_target->Server());
        ASSERT_TRUE(held.Held());
        const CommandResult restore =
            RunCli("restore '" + s_copy + "' --yes --installation '" + folder + "'");
        EXPECT_EQ(1, restore.status);
        EXPECT_NE(std::string::npos, restore.output.find("O alta salvare sau restaurare"))
            << restore.output;
        const CommandResult save =
            RunCli("save '" + folder + "/x.sql.gz' --installation '" + folder + "'");
        EXPECT_EQ(1, save.status);
        EXPECT_NE(std::string::npos, save.output.find("O alta salvare sau restaurare"))
            << save.output;
        EXPECT_EQ(targetData, TableChecksums(target));
    }
    // Two restores started together, each through its own connection.
    MessageLog inspected;
    const auto sourceInfo = InspectCopy(s_copy, inspected);
    const auto ownInfo = InspectCopy(own, inspected);
    ASSERT_TRUE(sourceInfo && ownInfo) << inspected.All();
    for (int round = 0; round < 3; ++round) {
        bool restored[2] = {false, false};
        MessageLog logs[2];
        std::atomic<int> ready{0};
        auto run = [&](int which) {
            QuietConnection connection(s_target->Folder());
            ready++;
            while (ready < 2) std::this_thread::yield();
            restored[which] =
                RestoreCopy(connection.Client(), s_target->Server(), which ? own : s_copy,
                            which ? *ownInfo : *sourceInfo, logs[which])
                    .Ok();
        };
        std::thread first(run, 0), second(run, 1);
        first.join();
        second.join();
        EXPECT_TRUE(restored[0] || restored[1]);
        for (int which = 0; which < 2; ++which) {
            if (!restored[which]) {
                EXPECT_NE(std::string::npos, logs[which].All().find("O alta salvare"))
                    << logs[which].All();
            }
        }
        const std::string now = TableChecksums(target);
        if (restored[0] != restored[1])
            EXPECT_EQ(restored[0] ? sourceData : targetData, now);
        else
            EXPECT_TRUE(now == sourceData || now == targetData);
        EXPECT_EQ(0, CountStagedTables(target));
    }
}

TEST_F(BackupTest, CopiesBeforeARestoreNeverReplaceOneAnother) {
    const std::string folder = AutomaticCopyFolder(s_source->Folder());
    fs::create_directories(folder);
    // What a save killed half-way left is ours by name and goes; a link planted
    // under such a name is not followed, and another file keeps its name.
    const std::string victim = s_source->Folder() + "/victim.txt";
    WriteBytes(victim, "datele altcuiva");
    const std::string left = folder + "/" + kBeforeRestore + "20200101-093000-123.sql.gz.partial";
    WriteBytes(left, "half a copy");
    fs::create_symlink(victim, folder + "/orvik-copie-20200101-0930.sql.gz.partial");
    WriteBytes(folder + "/nota.partial", "a user's file");
    const std::size_t before = BeforeRestoreCopies(s_source->Folder());
    const std::time_t when = std::time(nullptr);
    for (int i = 0; i < 3; ++i) {
        MessageLog log;
        ASSERT_TRUE(SaveCopyBeforeRestore(s_source->Server(), when, log)) << log.All();
    }
    EXPECT_FALSE(fs::exists(left));
    EXPECT_EQ("datele altcuiva", ReadBytes(victim));
    EXPECT_TRUE(fs::exists(folder + "/nota.partial"));
    const auto copies = ListCopies(folder, kBeforeRestore);
    EXPECT_EQ(std::min<std::size_t>(before + 3, kAutomaticCopiesKept), copies.size());
    for (const std::string& name : copies) {
        if (name.find("-20200101-") != std::string::npos) continue;  // planted by another test
        struct stat info {};
        ASSERT_EQ(0, ::stat((folder + "/" + name).c_str(), &info));
        EXPECT_EQ(0600u, info.st_mode & 0777) << name;
    }
}

TEST_F(BackupTest, PartialFilesAreCreatedNewAndAPlantedLinkIsNeverFollowed) {
    const std::string folder = s_source->Folder();
    const std::string victim = folder + "/victim.txt";
    WriteBytes(victim, "datele altcuiva");
    const std::string file = folder + "/planted.sql.gz";
    fs::create_symlink(victim, file + ".partial");
    const CommandResult planted = RunCli("save '" + file + "' --installation '" + folder + "'");
    EXPECT_EQ(1, planted.status);
    EXPECT_NE(std::string::npos, planted.output.find("nu este o copie neterminata"))
        << planted.output;
    EXPECT_EQ("datele altcuiva", ReadBytes(victim));
    EXPECT_TRUE(fs::is_symlink(file + ".partial"));

    // What a killed save left under the name is ours: removed, and the save goes on.
    const std::string left = folder + "/left.sql.gz";
    WriteBytes(left + ".partial", "half a copy");
    const CommandResult saved = RunCli("save '" + left + "' --installation '" + folder + "'");
    EXPECT_EQ(0, saved.status) << saved.output;
    EXPECT_FALSE(fs::exists(left + ".partial"));
    struct stat info {};
    ASSERT_EQ(0, ::stat(left.c_str(), &info));
    EXPECT_EQ(0600u, info.st_mode & 0777);
}

TEST_F(BackupTest, ThePasswordNeverLandsInAFileAndStagingTablesNeverInACopy) {
    CClient& source = s_source->Client();
    ASSERT_TRUE(source.Query("CREATE TABLE asigurati.zcopie_sume LIKE asigurati.sume", false));
    ASSERT_TRUE(
        source.Query("CREATE TABLE concedii.zvechi_concedii LIKE concedii.concedii", false));
    ASSERT_TRUE(source.Query("CREATE TABLE nomenc.de_mana (a INT)", false));
    char pattern[] = "/tmp/orvik-tmpdir-XXXXXX";
    ASSERT_NE(nullptr, ::mkdtemp(pattern));
    const char* previous = std::getenv("TMPDIR");
    const std::string saved = previous ? previous : "";
    ::setenv("TMPDIR", pattern, 1);
    std::vector<std::string> seen;
    BackupProgress progress;
    progress.childStarted = [&](int) {
        for (const auto& entry : fs::directory_iterator(pattern))
            seen.push_back(entry.path().string());
    };
    const std::string file = s_source->Folder() + "/clean.sql.gz";
    MessageLog log;
    const bool written = SaveCopy(s_source->Server(), file, std::time(nullptr), log, progress).Ok();
    previous ? ::setenv("TMPDIR", saved.c_str(), 1) : ::unsetenv("TMPDIR");
    fs::remove_all(pattern);
    ASSERT_TRUE(written) << log.All();
    EXPECT_TRUE(seen.empty()) << seen.front();
    const std::string text = Gunzip(file);
    for (const char* name : {"zcopie_sume", "zvechi_concedii", "de_mana"})
        EXPECT_EQ(std::string::npos, text.find(name)) << name;

    // Left by a restore killed half-way: dropped at start-up unless a restore runs.
    {
        const CopyLock running(s_source->Server());
        ASSERT_TRUE(running.Held());
        DropLeftoverStagedTables(source);
        EXPECT_EQ(2, CountStagedTables(source));
    }
    DropLeftoverStagedTables(source);
    EXPECT_EQ(0, CountStagedTables(source));
    ASSERT_TRUE(source.Query("DROP TABLE nomenc.de_mana", false));
}

}  // namespace

namespace {

TEST_F(BackupTest, AnOlderVersionsCopyMayLackTheChangeLogsWhichTheLadderMakes) {
    const std::string text = Gunzip(s_copy);
    const std::size_t twin = text.find("DROP TABLE IF EXISTS `zlog_sume`;");
    const std::size_t next = text.find("DROP TABLE IF EXISTS `zlog_sume_societati`;");
    ASSERT_TRUE(twin != std::string::npos && next != std::string::npos);
    std::string older = text.substr(0, twin) + text.substr(next);
    const std::string folder = s_target->Folder();
    Gzip(folder + "/current-without-log.sql.gz", older);
    older.replace(older.find("versiune 2.08"), 13, "versiune 2.07");
    Gzip(folder + "/older.sql.gz", older);

    const CommandResult refused =
        RunCli("restore '" + folder + "/current-without-log.sql.gz' --yes --installation '" +
               folder + "'");
    EXPECT_EQ(2, refused.status);
    EXPECT_NE(std::string::npos, refused.output.find("lipseste tabela asigurati.zlog_sume"))
        << refused.output;
    const CommandResult restored =
        RunCli("restore '" + folder + "/older.sql.gz' --yes --installation '" + folder + "'");
    ASSERT_EQ(0, restored.status) << restored.output;
    CClient& target = s_target->Client();
    ASSERT_TRUE(target.Query("SELECT COUNT(*) AS n FROM asigurati.zlog_sume", true));
    EXPECT_EQ("0", target.GetValue(0, "N"));
    ASSERT_TRUE(target.Query("SELECT COUNT(*) AS n FROM asigurati.sume", true));
    EXPECT_EQ("30000", target.GetValue(0, "N"));
}

}  // namespace
