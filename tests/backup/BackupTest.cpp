// Copies made and restored against servers of their own, as a user does it:
// through the core flow and through orvik-cli.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "BackupFixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(BackupTest, RestoreIntoAFreshInstallationGivesTheSameRowsInEveryTable) {
    MessageLog inspected;
    const auto info = InspectCopy(s_copy, inspected);
    ASSERT_TRUE(info) << inspected.All();
    EXPECT_EQ(50, info->companies);
    EXPECT_EQ("2.08", info->version);
    EXPECT_NE(RestoreQuestion(*info).find("cu 50 societati?"), std::string::npos);

    CClient& target = s_target->Client();
    MarkTarget(target);
    MessageLog log;
    ASSERT_TRUE(RestoreCopy(target, s_target->Server(), s_copy, *info, log)) << log.All();
    EXPECT_TRUE(log.shown.empty()) << log.All();

    EXPECT_EQ(TableChecksums(s_source->Client()), TableChecksums(target));
    EXPECT_EQ(Indexes(s_source->Client()), Indexes(target));
    EXPECT_NE(std::string::npos, Indexes(target).find("asigurati.sume.cnp.1"));
    std::string bytes;
    for (int b = 0x80; b < 0x100; ++b) bytes += static_cast<char>(b);
    ASSERT_TRUE(target.Query("SELECT repr, LOC FROM asigurati.societati WHERE cf=1001", true));
    EXPECT_EQ("O'Brien \\ " + bytes + " \"x\" (a),(b);", target.GetValue(0, "REPR"));
    EXPECT_EQ("L'OC", target.GetValue(0, "LOC"));
    EXPECT_EQ(0, CountStagedTables(target));
    // The data it replaced was copied first.
    EXPECT_EQ(1u, ListCopies(AutomaticCopyFolder(s_target->Folder()),
                             "orvik-copie-inainte-de-restaurare-")
                      .size());
}

TEST_F(BackupTest, CopiesThatAreCutShortNotOursOrNewerAreRefusedWithNothingChanged) {
    CClient& target = s_target->Client();
    MarkTarget(target);
    const std::string before = TableChecksums(target);
    const std::string folder = s_target->Folder();
    const std::string good = ReadBytes(s_copy);
    const std::string text = Gunzip(s_copy);
    ASSERT_EQ(0u, text.find("-- Orvik Asigurati copie de siguranta; versiune 2.08; data "));

    WriteBytes(folder + "/cut.sql.gz", good.substr(0, good.size() / 2));
    // Whole gzip data whose text stops before the end of the dump.
    Gzip(folder + "/cut-text.sql.gz", text.substr(0, text.size() - 200));
    WriteBytes(folder + "/other.sql", "-- MariaDB dump 10.19\nCREATE TABLE x (a int);\n");
    Gzip(folder + "/other.sql.gz", "-- MariaDB dump 10.19\nCREATE TABLE x (a int);\n");
    Gzip(folder + "/plain-header.sql.gz", text.substr(text.find('\n') + 1));
    std::string newer = text;
    newer.replace(newer.find("2.08"), 4, "2.10");
    Gzip(folder + "/newer.sql.gz", newer);

    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"cut.sql.gz", "incompleta sau deteriorata"},
        {"cut-text.sql.gz", "incompleta sau deteriorata"},
        {"other.sql", "nu este o copie de siguranta"},
        {"other.sql.gz", "nu este o copie de siguranta"},
        {"plain-header.sql.gz", "nu este o copie de siguranta"},
        {"newer.sql.gz", "versiune mai noua a programului (2.10)"},
        {"absent.sql.gz", "nu poate fi deschis"},
    };
    for (const auto& c : cases) {
        const CommandResult r =
            RunCli("restore '" + folder + "/" + c.file + "' --yes --installation '" + folder + "'");
        EXPECT_EQ(2, r.status) << c.file << ": " << r.output;
        EXPECT_NE(r.output.find(c.reason), std::string::npos) << c.file << ": " << r.output;
        EXPECT_NE(r.output.find("Datele actuale au ramas neschimbate."), std::string::npos);
    }
    EXPECT_EQ(before, TableChecksums(target));
    EXPECT_EQ(0, CountStagedTables(target));
}

TEST_F(BackupTest, RestoreWhoseLoaderIsKilledHalfWayLeavesTheCurrentDataIntact) {
    CClient& target = s_target->Client();
    MarkTarget(target);
    const std::string before = TableChecksums(target);
    MessageLog inspected;
    const auto info = InspectCopy(s_copy, inspected);
    ASSERT_TRUE(info) << inspected.All();
    ASSERT_GT(info->textSize, 2 << 20);

    int loader = 0;
    bool killed = false;
    BackupProgress progress;
    progress.childStarted = [&](int pid) { loader = pid; };
    progress.progress = [&](long long done, long long total) {
        if (!killed && done < total && done >= (1 << 20)) killed = ::kill(loader, SIGKILL) == 0;
    };
    MessageLog log;
    const Outcome restored = RestoreCopy(target, s_target->Server(), s_copy, *info, log, progress);
    ASSERT_TRUE(killed);
    EXPECT_FALSE(restored);
    ASSERT_EQ(1u, log.shown.size()) << log.All();
    EXPECT_EQ(0u, log.shown[0].find("Copia nu a putut fi incarcata")) << log.All();
    EXPECT_EQ(before, TableChecksums(target));
    EXPECT_EQ(0, CountStagedTables(target));
}

TEST_F(BackupTest, TheDailyCopyIsMadeOnceADayAndOnlyTheLastTenAreKept) {
    const std::string folder = AutomaticCopyFolder(s_source->Folder());
    fs::create_directories(folder);
    for (int day = 1; day <= 11; ++day) {
        char name[64];
        std::snprintf(name, sizeof name, "orvik-copie-202001%02d-0930.sql.gz", day);
        WriteBytes(folder + "/" + name, "old");
    }
    WriteBytes(folder + "/nota.txt", "a user's file");
    WriteBytes(folder + "/orvik-copie-inainte-de-restaurare-20200101-093000.sql.gz", "old");
    const std::time_t now = std::time(nullptr);
    ASSERT_TRUE(AutomaticCopyDue(s_source->Folder(), now));

    MessageLog log;
    ASSERT_TRUE(SaveAutomaticCopy(s_source->Server(), now, log)) << log.All();
    const std::vector<std::string> kept = ListCopies(folder, "orvik-copie-");
    ASSERT_EQ(10u, kept.size());
    EXPECT_EQ("orvik-copie-20200103-0930.sql.gz", kept.front());
    EXPECT_EQ(DefaultCopyName(now), kept.back());
    EXPECT_TRUE(fs::exists(folder + "/nota.txt"));
    EXPECT_TRUE(fs::exists(folder + "/orvik-copie-inainte-de-restaurare-20200101-093000.sql.gz"));

    EXPECT_FALSE(AutomaticCopyDue(s_source->Folder(), now));
    EXPECT_TRUE(AutomaticCopyDue(s_source->Folder(), now + 24 * 3600));
}

}  // namespace
