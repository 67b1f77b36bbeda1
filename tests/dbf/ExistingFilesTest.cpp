// Files a save is about to write that are already on disk: which they are,
// the question of the windows and the refusal of the command line.
#include <gtest/gtest.h>

#include <filesystem>

#include "DbfTestSupport.h"
#include "ScriptedPrompter.h"
#include "dbf/ExistingFiles.h"

namespace fs = std::filesystem;

namespace {

class ExistingFilesTest : public ::testing::Test {
protected:
    std::string Folder() const { return m_folder.Path().string(); }
    std::string In(const std::string& name) const { return m_folder.File(name); }

    TempFolder m_folder;
    ScriptedPrompter m_prompter;
};

TEST_F(ExistingFilesTest, AnythingUnderTheNameCountsInTheGivenOrder) {
    WriteBytes(In("A2_0310_12345678.dbf"), "x");
    fs::create_directory(In("1A_0709_12345678.dbf"));
    fs::create_symlink(In("nowhere"), In("1B_0709_12345678.dbf"));
    const std::vector<std::string> paths = {In("A1_0310_12345678.dbf"), In("A2_0310_12345678.dbf"),
                                            In("1B_0709_12345678.dbf"), In("1A_0709_12345678.dbf"),
                                            In("missing/1C_0709_12345678.dbf")};
    EXPECT_EQ((std::vector<std::string>{paths[1], paths[2], paths[3]}), ExistingFiles(paths));
    EXPECT_TRUE(ExistingFiles({}).empty());
}

TEST_F(ExistingFilesTest, NothingInTheWayNothingAsked) {
    const std::vector<std::string> paths = {In("A1_0310_12345678.dbf"), In("A2_0310_12345678.dbf")};
    for (ExistingFilesRule rule :
         {ExistingFilesRule::Ask, ExistingFilesRule::Refuse, ExistingFilesRule::Replace})
        EXPECT_TRUE(MayWriteFiles(m_prompter, Folder(), paths, rule));
}

TEST_F(ExistingFilesTest, TheWindowAsksOnceNamingEveryFileInTheFolder) {
    fs::create_directory(In("CASAB"));
    WriteBytes(In("CASAB/1A_0709_12345678.dbf"), "x");
    WriteBytes(In("CASAB/1C_0709_12345678.dbf"), "x");
    const std::vector<std::string> paths = {In("CASAB/1A_0709_12345678.dbf"),
                                            In("CASAB/1B_0709_12345678.dbf"),
                                            In("CASAB/1C_0709_12345678.dbf")};
    const std::string question = "Fisierele urmatoare exista deja in folderul:\n" + Folder() +
                                 "\n\nCASAB/1A_0709_12345678.dbf\nCASAB/1C_0709_12345678.dbf"
                                 "\n\nDoresti sa le inlocuiesti?"
                                 "\nDaca raspunzi Nu, nu se salveaza niciun fisier.";
    m_prompter.ExpectQuestion(question, false).ExpectQuestion(question, true);
    EXPECT_FALSE(MayWriteFiles(m_prompter, Folder(), paths, ExistingFilesRule::Ask));
    EXPECT_TRUE(MayWriteFiles(m_prompter, Folder(), paths, ExistingFilesRule::Ask));
    m_prompter.VerifyDone();

    // One file is named as one; a path outside the folder is shown whole.
    EXPECT_EQ("Fisierul urmator exista deja in folderul:\n/tmp/x\n\n" + paths[0] +
                  "\n\nDoresti sa il inlocuiesti?\nDaca raspunzi Nu, nu se salveaza niciun fisier.",
              ReplaceFilesQuestion("/tmp/x", {paths[0]}));
}

TEST_F(ExistingFilesTest, TheCommandLineRefusesNamingEachFileUnlessToldToReplace) {
    WriteBytes(In("A1_0310_12345678.dbf"), "x");
    WriteBytes(In("A2_0310_12345678.dbf"), "x");
    const std::vector<std::string> paths = {In("A1_0310_12345678.dbf"), In("A2_0310_12345678.dbf")};
    m_prompter.ExpectMessage("fisierul exista deja: " + paths[0])
        .ExpectMessage("fisierul exista deja: " + paths[1])
        .ExpectMessage(
            "nu s-a salvat niciun fisier; adauga --replace pentru a inlocui fisierele existente");
    EXPECT_FALSE(MayWriteFiles(m_prompter, Folder(), paths, ExistingFilesRule::Refuse));
    m_prompter.VerifyDone();
    EXPECT_TRUE(MayWriteFiles(m_prompter, Folder(), paths, ExistingFilesRule::Replace));
    EXPECT_EQ("x", ReadBytes(paths[0]));
}

}  // namespace
