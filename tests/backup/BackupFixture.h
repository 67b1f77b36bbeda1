#pragma once
// Two installations of their own with their servers, a copy of the first
// one's data, and the helpers the copy tests share.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "BackupInstallation.h"
#include "GzipText.h"
#include "backup/CopyFormat.h"

namespace fs = std::filesystem;

struct CommandResult {
    std::string output;
    int status = -1;
};

inline CommandResult RunCli(const std::string& arguments) {
    CommandResult result;
    std::FILE* pipe =
        popen((std::string(ORVIK_CLI) + " backup " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline long long CountStagedTables(CClient& client) {
    EXPECT_TRUE(
        client.Query("SELECT COUNT(*) AS n FROM information_schema.tables WHERE "
                     "table_name LIKE 'zcopie\\_%' OR table_name LIKE 'zvechi\\_%'",
                     true));
    return std::stoll(client.GetValue(0, "N"));
}

// Every index of the three databases, by table: a restore that loads the rows
// first and builds the keys after must end with the same keys.
inline std::string Indexes(CClient& client) {
    EXPECT_TRUE(
        client.Query("SELECT GROUP_CONCAT(CONCAT(table_schema, '.', table_name, '.', "
                     "index_name, '.', non_unique) ORDER BY 1 SEPARATOR ' ') AS i FROM "
                     "(SELECT DISTINCT table_schema, table_name, index_name, non_unique "
                     "FROM information_schema.statistics WHERE table_schema IN "
                     "('asigurati','concedii','nomenc')) AS s",
                     true));
    return client.GetValue(0, "I");
}

// A company only the target has, so a restore that did happen would show.
inline void MarkTarget(CClient& client) {
    ASSERT_TRUE(client.Query("DELETE FROM asigurati.societati WHERE cf=99", false));
    ASSERT_TRUE(
        client.Query("INSERT INTO asigurati.societati (cf, denumire) VALUES (99, "
                     "'NUMAI IN TINTA')",
                     false));
}

class BackupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_source = new BackupInstallation();
        s_target = new BackupInstallation();
        ASSERT_TRUE(s_source->Ready());
        ASSERT_TRUE(s_target->Ready());
        // Over a megabyte of text, so a load can be stopped half-way.
        FillData(s_source->Client(), 50, 1000, 30000);
        s_copy = s_source->Folder() + "/" + DefaultCopyName(std::time(nullptr));
        MessageLog log;
        ASSERT_TRUE(SaveCopy(s_source->Server(), s_copy, std::time(nullptr), log)) << log.All();
        EXPECT_TRUE(log.shown.empty()) << log.All();
        EXPECT_FALSE(fs::exists(s_copy + ".partial"));
    }
    static void TearDownTestSuite() {
        delete s_source;
        delete s_target;
    }
    void SetUp() override {
        ASSERT_TRUE(s_source && s_source->Ready());
        ASSERT_TRUE(s_target && s_target->Ready());
    }

    static inline BackupInstallation* s_source = nullptr;
    static inline BackupInstallation* s_target = nullptr;
    static inline std::string s_copy;
};
