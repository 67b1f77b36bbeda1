// The pieces of the annex files that need no server: month, names, the
// company texts, the removable medium and where an installation's server is.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "db/InstallationPaths.h"
#include "db/PosixServerProcess.h"
#include "health/AnnexFiles.h"
#include "health/RemovableMedia.h"

namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "orvik-annex-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        m_path = pattern;
    }
    ~TempDir() { fs::remove_all(m_path); }
    std::string Path() const { return m_path.string(); }
    void Write(const std::string& relative, const std::string& text) const {
        fs::create_directories((m_path / relative).parent_path());
        std::ofstream(m_path / relative) << text;
    }

private:
    fs::path m_path;
};

TEST(AnnexNames, MonthCompanyAndHouseGiveBothForms) {
    const auto month = ParseAnnexMonth("200907");
    ASSERT_TRUE(month);
    EXPECT_EQ("07", month->mm);
    EXPECT_EQ("09", month->yy);
    EXPECT_EQ("2009", month->yyyy);
    const struct {
        Annex annex;
        const char* legal;
        const char* example;
        const char* house;
    } cases[] = {
        {Annex::A, "1A_0709_12345678.dbf", "1a_0709_12345678.dbf",
         "CASAB_12345678_200907_anexa1A.dbf"},
        {Annex::B, "1B_0709_12345678.dbf", "1b_0709_12345678.dbf",
         "CASAB_12345678_200907_anexa1B.dbf"},
        {Annex::C, "1C_0709_12345678.dbf", "1c_0709_12345678.dbf",
         "CASAB_12345678_200907_anexa1C.dbf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.legal, AnnexFileName(c.annex, FileNaming::Legal, "12345678", "CASAB", *month));
        EXPECT_EQ(c.example,
                  AnnexExampleName(c.annex, FileNaming::Legal, "12345678", "CASAB", *month));
        EXPECT_EQ(c.house, AnnexFileName(c.annex, FileNaming::House, "12345678", "CASAB", *month));
        EXPECT_EQ(c.house,
                  AnnexExampleName(c.annex, FileNaming::House, "12345678", "CASAB", *month));
    }
    for (const char* bad : {"200913", "200900", "20097", "2009071", "2009a7", ""})
        EXPECT_FALSE(ParseAnnexMonth(bad)) << bad;
}

TEST(AnnexNames, CompanyTextsAreCutAtTheirSeparators) {
    const struct {
        const char* regCom;
        const char* repr;
        AnnexCompany expected;
    } cases[] = {
        {"J40/1234/2003", "POPESCU ION", {"1", "J40", "1234", "2003", "POPESCU", "ION"}},
        {"J40", "POPESCU", {"1", "J40", "", "", "POPESCU", ""}},
        {"J40/1234", "POPESCU ION VASILE", {"1", "J40", "1234", "", "POPESCU", "ION VASILE"}},
        {"J40/1234/2003/X", "", {"1", "J40", "1234", "2003/X", "", ""}},
    };
    for (const auto& c : cases) {
        const AnnexCompany cut = CutCompanyTexts("1", c.regCom, c.repr);
        EXPECT_EQ(c.expected.rj, cut.rj) << c.regCom;
        EXPECT_EQ(c.expected.rn, cut.rn) << c.regCom;
        EXPECT_EQ(c.expected.ra, cut.ra) << c.regCom;
        EXPECT_EQ(c.expected.nrep, cut.nrep) << c.repr;
        EXPECT_EQ(c.expected.prep, cut.prep) << c.repr;
    }
}

TEST(AnnexNames, SavedFilesAreListedUnderTheirFolder) {
    EXPECT_EQ(
        "Fisierele de raportare au fost salvate in folderul:\n/media/ana/STICK\n\n"
        "CAS_B/1A_0709_12345678.dbf\nCASAB/1A_0709_12345678.dbf",
        SavedFilesMessage("/media/ana/STICK",
                          {"/media/ana/STICK/CAS_B/1A_0709_12345678.dbf",
                           "/media/ana/STICK/CASAB/1A_0709_12345678.dbf"},
                          true));
    EXPECT_EQ(
        "Fisierele salvate inainte de eroare raman in folderul:\n/tmp/x\n\n"
        "CASAB_1_200907_anexa1A.dbf",
        SavedFilesMessage("/tmp/x", {"/tmp/x/CASAB_1_200907_anexa1A.dbf"}, false));
}

TEST(RemovableMedia, FirstMountUnderTheDesktopMediaFolders) {
    const char* table =
        "/dev/sda1 / ext4 rw 0 0\n"
        "tmpfs /media tmpfs rw 0 0\n"
        "/dev/sdc1 /mediafiles vfat rw 0 0\n"
        "/dev/sdb1 /run/media/ana/MY\\040STICK vfat rw,nosuid 0 0\n"
        "/dev/sr0 /media/ana/CD iso9660 ro 0 0\n";
    EXPECT_EQ("/run/media/ana/MY STICK", FirstRemovableMedium(table).value_or("none"));
    EXPECT_EQ("/media/ana/CD",
              FirstRemovableMedium("/dev/sr0 /media/ana/CD iso9660 ro 0 0").value_or("none"));
    EXPECT_FALSE(FirstRemovableMedium("/dev/sda1 / ext4 rw 0 0\ntmpfs /media tmpfs rw 0 0\n"));
    EXPECT_FALSE(FirstRemovableMedium(""));
}

TEST(InstallationPaths, CurrentFolderFirstThenTheDefault) {
    TempDir current, standard, empty;
    current.Write("server/bin/my.cnf", "[mysqld]\nport=3340\n");
    standard.Write("server/bin/my.cnf", "[mysqld]\n");
    EXPECT_EQ(current.Path(), FindInstallationFolder(current.Path(), standard.Path()));
    EXPECT_EQ(standard.Path(), FindInstallationFolder(empty.Path(), standard.Path()));
    EXPECT_FALSE(FindInstallationFolder(empty.Path(), empty.Path() + "/none"));
}

TEST(InstallationPaths, ThePortIsTheServersOwn) {
    const struct {
        const char* cnf;
        std::optional<int> port;
    } cases[] = {
        {"[mysqld]\nuser=root\nport=40123\n", 40123},
        {"[client]\nport=1111\n[mysqld]\n  port = 40124  \n", 40124},
        {"# port=1\n[mysqld]\nbind-address=127.0.0.1\n", 3336},
        {"[mysqld]\nport=abc\n", std::nullopt},
        {"[mysqld]\nport=70000\n", std::nullopt},
    };
    for (const auto& c : cases) {
        TempDir folder;
        folder.Write("server/bin/my.cnf", c.cnf);
        EXPECT_EQ(c.port, InstallationServerPort(folder.Path())) << c.cnf;
    }
    TempDir none;
    EXPECT_FALSE(InstallationServerPort(none.Path()));
}

TEST(PosixServerProcess, StartsWhatExistsAndReapsIt) {
    PosixServerProcess missing;
    EXPECT_FALSE(missing.Start("/nonexistent/mysqld", "--defaults-file=x"));
    EXPECT_FALSE(missing.Started());
    PosixServerProcess quick;
    ASSERT_TRUE(quick.Start("/bin/true", "--ignored"));
    EXPECT_TRUE(quick.Started());
    quick.Stop();  // ended on its own: found ended, not waited for
    EXPECT_FALSE(quick.Started());
}

}  // namespace
