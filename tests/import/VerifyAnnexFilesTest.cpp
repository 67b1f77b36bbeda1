// The health annex files this program writes pass the verification; the same files with one
// digit of one CNP changed are marked on that record only.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "VerifyTestFiles.h"
#include "domain/Identifiers.h"

using namespace verify_test;

namespace {

// July 2009 at CASAB: three employees (one of them left during the month and one changed
// form), with valid codes, and two dependants.
void LoadCompany() {
    RunSql(
        "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud) VALUES "
        "(12345674, 'ALFA SRL', 'J40/1234/2003', 'POPESCU ION', '10', 'MB');"
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "VALUES (12345674, 'CASAB', 'POPESCU', 'ION', 1800101221144, 20090315, 20090719, 'S'),"
        "(12345674, 'CASAB', 'POPESCU', 'ION', 1800101221144, 20090720, 0, 'CM'),"
        "(12345674, 'CASAB', 'IONESCU', 'ANA', 2850505123459, 20080101, 20090710, 'S'),"
        "(12345674, 'CASAB', 'VASILE', 'DAN', 1900101000006, 20000101, 0, 'DCM');"
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "VALUES (1, 12345674, 1800101221144, 200907, 2000, 100, 90),"
        "(2, 12345674, 1800101221144, 200907, 1000, 50, 50),"
        "(4, 12345674, 1900101000006, 200907, 4000, 200, 200);"
        "INSERT INTO asigurati.sume_societati (cf, luna, fond_de_salarii, datorat, virat) VALUES "
        "(12345674, 200907, 7000, 520, 500);"
        "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) VALUES "
        "(12345674, 1800101221144, 2820202000004, 'POPESCU', 'MARIA', 'S'),"
        "(12345674, 1800101221144, 1500303000003, 'POPESCU', 'GHEORGHE', 'P')");
}

class VerifyAnnexFilesTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        LoadCompany();
        AnnexFiles files(*m_client, *ParseAnnexMonth("200907"));
        std::vector<std::string> written;
        ASSERT_TRUE(files.Save(
            {"12345674", {"CASAB"}, false, m_folder.Path().string(), FileNaming::House}, written));
        ASSERT_EQ(3u, written.size());
        m_a = written[0];
        m_b = written[1];
        m_c = written[2];
    }

    TempFolder m_folder;
    std::string m_a, m_b, m_c;
};

TEST_F(VerifyAnnexFilesTest, OurAnnexFilesVerifyClean) {
    for (const auto& [path, kind] : {std::pair{m_a, VerifiedKind::AnnexA},
                                     {m_b, VerifiedKind::AnnexB},
                                     {m_c, VerifiedKind::AnnexC}}) {
        DataList list;
        const VerifiedFile file = ReadAndVerify(kind, path, list);
        EXPECT_EQ(FileStatus::Clean, file.verdict.status) << path << ": " << file.verdict.message;
        EXPECT_GT(list.RowCount(), 0) << path;
        for (std::size_t row = 0; row < file.verdict.rows.size(); ++row)
            EXPECT_STREQ("", file.verdict.rows[row].message) << path << " row " << row;
    }
}

// Changes one digit of `cnp` where the file holds it; the changed code must be invalid.
void ChangeOneDigit(const std::string& path, const std::string& cnp, std::size_t digit) {
    std::string bytes = ReadBytes(path);
    const std::size_t at = bytes.find(cnp);
    ASSERT_NE(std::string::npos, at);
    std::string changed = cnp;
    changed[digit] = changed[digit] == '9' ? '0' : static_cast<char>(changed[digit] + 1);
    ASSERT_FALSE(IsValidCnp(changed));
    bytes.replace(at, cnp.size(), changed);
    WriteBytes(path, bytes);
}

TEST_F(VerifyAnnexFilesTest, OneChangedByteMarksExactlyThatRecord) {
    ChangeOneDigit(m_a, kCnp3, 5);
    DataList list;
    const VerifiedFile a = ReadAndVerify(VerifiedKind::AnnexA, m_a, list);
    EXPECT_EQ(FileStatus::Faulty, a.verdict.status);
    ASSERT_EQ(static_cast<std::size_t>(list.RowCount()), a.verdict.rows.size());
    for (int row = 0; row < list.RowCount(); ++row) {
        const bool changed = list.CellText(row, "NUME") == "VASILE";
        EXPECT_STREQ(changed ? "Campul CNP: Codul Numeric Personal incorect" : "",
                     a.verdict.rows[row].message)
            << row;
    }
    EXPECT_EQ(1, a.verdict.FaultyCount());

    ChangeOneDigit(m_b, kCnp4, 12);
    const VerifiedFile b = ReadAndVerify(VerifiedKind::AnnexB, m_b, list);
    EXPECT_EQ(1, b.verdict.FaultyCount());
    for (int row = 0; row < list.RowCount(); ++row)
        EXPECT_STREQ(list.CellText(row, "PRENUMEC") == "MARIA"
                         ? "Campul CNPC: Codul Numeric Personal incorect"
                         : "",
                     b.verdict.rows[row].message);
}

}  // namespace
