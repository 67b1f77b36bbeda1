// The version answer's layout, the comparison and the texts built from it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "update/InstallerStart.h"
#include "update/UpdateAnswer.h"

namespace {

TEST(VersionAnswerTest, TakesTheVersionWithoutLeadingZerosAndTheSize) {
    const auto answer = ParseVersionAnswer("02.10 0000734003");
    ASSERT_TRUE(answer);
    EXPECT_EQ("02.10", answer->number);
    EXPECT_EQ("2.10", answer->version);
    EXPECT_EQ(734003, answer->size);
    // Only the first sixteen characters count; the separator is not examined.
    const auto longer = ParseVersionAnswer("02.09x0000000000 and whatever follows\n");
    ASSERT_TRUE(longer);
    EXPECT_EQ("2.09", longer->version);
    EXPECT_EQ(0, longer->size);
}

TEST(VersionAnswerTest, SizesBeyondThirtyTwoBitsAreKept) {
    const auto answer = ParseVersionAnswer("99.99 9999999999");
    ASSERT_TRUE(answer);
    EXPECT_EQ(9999999999LL, answer->size);
}

TEST(VersionAnswerTest, RefusesAnythingOutOfLayout) {
    for (const char* text : {
             "",
             "2.08",              // shorter than the layout
             "02.10 000073400",   // fifteen characters
             "<html><head><tit",  // an error page
             "02,10 0000000999",  // not digits and "."
             "2.1.0 0000000999",  // two points
             "..... 0000000999",  // no digit at all
             "02.10 00007340x3",  // size not all digits
             "02.10 -000073400",  // a sign is not a digit
             " 2.10 0000000999",  // a leading blank
         }) {
        EXPECT_FALSE(ParseVersionAnswer(text)) << '"' << text << '"';
    }
}

TEST(VersionAnswerTest, ComparesVersionsAsNumbers) {
    EXPECT_TRUE(IsNewerVersion(*ParseVersionAnswer("02.10 0000000001"), "2.08"));
    // "2.1" padded with blanks is out of layout; with zeros it reads as 2.1.
    EXPECT_FALSE(ParseVersionAnswer("2.1   0000000001"));
    EXPECT_TRUE(IsNewerVersion(*ParseVersionAnswer("002.1 0000000001"), "2.08"));
    EXPECT_TRUE(IsNewerVersion(*ParseVersionAnswer("10.00 0000000001"), "2.08"));
    EXPECT_FALSE(IsNewerVersion(*ParseVersionAnswer("02.08 0000000001"), "2.08"));
    EXPECT_FALSE(IsNewerVersion(*ParseVersionAnswer("2.080 0000000001"), "2.08"));
    EXPECT_FALSE(IsNewerVersion(*ParseVersionAnswer("02.07 0000000001"), "2.08"));
}

TEST(UpdateTextsTest, QueriesFileNameAndProgress) {
    EXPECT_EQ("action=vers&type=ASG&ver=2.08", VersionQuery("2.08"));
    EXPECT_EQ("action=get_vers_update&type=ASG&value=2.10&ver=2.08", DownloadQuery("2.10", "2.08"));
    EXPECT_EQ("Instalare_Orvik_Asigurati_2.10.exe", InstallerFileName("2.10"));
    EXPECT_EQ("Se descarca kitul de instalare (0 / 999)", ProgressText(0, 999));
    EXPECT_EQ("Se descarca kitul de instalare (1.000 / 734.003)", ProgressText(1000, 734003));
    EXPECT_EQ("Se descarca kitul de instalare (5.000.000.000 / 9.999.999.999)",
              ProgressText(5000000000LL, 9999999999LL));
}

class InstallerStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            std::filesystem::temp_directory_path() / ("orvik_start_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    std::filesystem::path m_folder;
};

TEST_F(InstallerStartTest, AnEmptyFileGetsItsExecuteBitAndFailsToStartWithErrorEight) {
    const auto path = (m_folder / "Instalare_Orvik_Asigurati_2.10.exe").string();
    std::ofstream(path).close();
    ::chmod(path.c_str(), 0644);
    // An empty file is no program: the overlay fails and this process goes on.
    EXPECT_EQ(ENOEXEC, StartInstallerInPlace(path));
    struct stat info {};
    ASSERT_EQ(0, ::stat(path.c_str(), &info));
    EXPECT_EQ(0755, info.st_mode & 0777);
}

TEST_F(InstallerStartTest, AMissingFileReportsItsError) {
    EXPECT_EQ(ENOENT, StartInstallerInPlace((m_folder / "missing").string()));
}

}  // namespace
