// orvik-cli backup as a script runs it, on two installations of its own: the
// result line, the refusals and their exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../backup/BackupFixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(BackupTest, CommandLineSavesAndRestoresAndFailsWithAReason) {
    const std::string folder = s_source->Folder();
    const std::string file = folder + "/cli.sql.gz";
    const CommandResult saved = RunCli("save '" + file + "' --installation '" + folder + "'");
    ASSERT_EQ(0, saved.status) << saved.output;
    EXPECT_EQ(file + "\t" + std::to_string(fs::file_size(file)) + "\n", saved.output);

    const CommandResult unconfirmed =
        RunCli("restore '" + file + "' --installation '" + s_target->Folder() + "'");
    EXPECT_EQ(2, unconfirmed.status);
    EXPECT_NE(unconfirmed.output.find("cu 50 societati?"), std::string::npos) << unconfirmed.output;

    MarkTarget(s_target->Client());
    const CommandResult restored =
        RunCli("restore '" + file + "' --yes --installation '" + s_target->Folder() + "'");
    ASSERT_EQ(0, restored.status) << restored.output;
    EXPECT_EQ(0u, restored.output.find("restaurat\t" + file + "\t"));
    EXPECT_EQ(TableChecksums(s_source->Client()), TableChecksums(s_target->Client()));

    const CommandResult noFolder =
        RunCli("save '" + folder + "/absent/x.sql.gz' --installation '" + folder + "'");
    EXPECT_EQ(1, noFolder.status);
    EXPECT_NE(noFolder.output.find("nu poate fi creat"), std::string::npos) << noFolder.output;
    EXPECT_FALSE(fs::exists(folder + "/absent"));
    for (const char* usage : {"", "save", "copy x", "save x --yes", "restore a b"})
        EXPECT_EQ(2, RunCli(usage).status) << usage;
    EXPECT_EQ(2, RunCli("save x --installation /nonexistent").status);
}

}  // namespace
