// Every declaration file this program writes passes its own verification, in the window and
// on the command line: the health annexes 1A, 1B, 1C (an annex B without co-insured persons
// included) and the leave annexes A1, A2 of initial and rectifying declarations, with
// certificates and without.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>

#include "../cli/CliRunner.h"
#include "../leave/LeaveFilesTestData.h"
#include "FormDriving.h"
#include "ScriptedPrompter.h"
#include "VerifyTestFiles.h"
#include "dbf/DbfReader.h"
#include "leave/LeaveFiles.h"
#include "ui/DataListView.h"
#include "ui/import/VerifyFilesDialog.h"

namespace {

using verify_test::kCnp1;
using verify_test::kCnp2;
using verify_test::kCnp3;

struct OwnFile {
    std::string path;
    VerifiedKind kind;
    char letter;  // as the command line names the kind
    std::string message;
    int records;  // -1: as many as the file holds
};

std::string Clean(const char* annex) {
    return std::string(annex) +
           ": Fisierul a fost verificat cu succes!\n\nNu au fost remarcate "
           "erori.";
}

class VerifyOwnFilesTest : public DbTest {
protected:
    // Files of July 2009 for 12345674 (employees, dependants) and 12345682 (one employee,
    // no dependant): annex B of the second company has no records.
    void WriteHealthFiles() {
        RunSql(
            "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud) VALUES "
            "(12345674, 'ALFA SRL', 'J40/1234/2003', 'POPESCU ION', '10', 'MB'),"
            "(12345682, 'BETA SRL', 'J40/99/2005', 'DAN ANA', '10', 'MB');"
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, "
            "forma) VALUES (12345674, 'CASAB', 'POPESCU', 'ION', 1800101221144, 20090315, 0, "
            "'S'), (12345674, 'CASAB', 'IONESCU', 'ANA', 2850505123459, 20080101, 20090710, 'CM'),"
            "(12345682, 'CASAB', 'VASILE', 'DAN', 1900101000006, 20000101, 0, 'S');"
            "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, "
            "asig_virat) VALUES (1, 12345674, 1800101221144, 200907, 2000, 100, 90),"
            "(3, 12345682, 1900101000006, 200907, 3000, 150, 150);"
            "INSERT INTO asigurati.sume_societati (cf, luna, fond_de_salarii, datorat, virat) "
            "VALUES (12345674, 200907, 2000, 520, 500), (12345682, 200907, 3000, 150, 150);"
            "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) VALUES "
            "(12345674, 1800101221144, 2820202000004, 'POPESCU', 'MARIA', 'S')");
        for (const char* cf : {"12345674", "12345682"}) {
            AnnexFiles files(*m_client, *ParseAnnexMonth("200907"));
            std::vector<std::string> written;
            const std::string folder = m_folder.File(cf);
            std::filesystem::create_directories(folder);
            ASSERT_TRUE(files.Save({cf, {"CASAB"}, false, folder, FileNaming::House}, written));
            ASSERT_EQ(3u, written.size());
            const bool withDependants = std::string(cf) == "12345674";
            m_files.push_back({written[0], VerifiedKind::AnnexA, 'A', Clean("Anexa A"), -1});
            m_files.push_back({written[1], VerifiedKind::AnnexB, 'B',
                               withDependants
                                   ? Clean("Anexa B")
                                   : "Anexa B: Fisierul selectat nu contine inregistrari!",
                               withDependants ? 1 : 0});
            m_files.push_back({written[2], VerifiedKind::AnnexC, 'C', Clean("Anexa C"), 1});
        }
    }

    // The leave month of the leave tests with valid codes: the initial and rectifying
    // declarations of March 2010, and April's without certificates (an empty A2).
    void WriteLeaveFilesOfTheMonth() {
        leave_test::LoadLeaveMonth();
        // The leave tests' company code has a wrong check digit; a file verifies only with
        // a valid one.
        RunSql(std::string("UPDATE concedii.concedii SET cnp = ") + kCnp2 +
               " WHERE nume = 'IONESCU'; UPDATE concedii.concedii SET cnp = " + kCnp3 +
               " WHERE nume = 'VASILE';"
               "UPDATE asigurati.societati SET cf = 12345690 WHERE cf = 12345678;"
               "UPDATE concedii.declaratii SET cf = 12345690 WHERE cf = 12345678;"
               "UPDATE concedii.concedii SET cf = 12345690 WHERE cf = 12345678");
        const std::pair<long long, int> declarations[] = {{leave_test::kInitial, 3},
                                                          {leave_test::kRectifying, 1},
                                                          {leave_test::kWithoutCertificates, 0}};
        for (const auto& [index, certificates] : declarations) {
            const std::string folder = m_folder.File("d" + std::to_string(index));
            std::filesystem::create_directories(folder);
            const auto written = WriteLeaveFiles(*m_client, "12345690", index, folder);
            ASSERT_TRUE(written);
            m_files.push_back({written->a1Path, VerifiedKind::Leave1, '1',
                               Clean("Concedii medicale - Anexa 1"), 1});
            m_files.push_back({written->a2Path, VerifiedKind::Leave2, '2',
                               Clean("Concedii medicale - Anexa 2"), certificates});
        }
    }

    TempFolder m_folder;
    std::vector<OwnFile> m_files;
};

const char* ButtonOf(VerifiedKind kind) {
    switch (kind) {
        case VerifiedKind::AnnexA:
            return "verifyAButton";
        case VerifiedKind::AnnexB:
            return "verifyBButton";
        case VerifiedKind::AnnexC:
            return "verifyCButton";
        case VerifiedKind::Leave1:
            return "verify1Button";
        case VerifiedKind::Leave2:
            break;
    }
    return "verify2Button";
}

TEST_F(VerifyOwnFilesTest, EveryFileWeWriteVerifiesCleanInTheWindowAndOnTheCommandLine) {
    WriteHealthFiles();
    WriteLeaveFilesOfTheMonth();
    ASSERT_EQ(12u, m_files.size());
    ScriptedPrompter prompter;
    VerifyFilesDialog dialog(prompter);
    dialog.show();
    for (OwnFile& file : m_files) {
        if (file.records < 0) {
            DataList read;
            DbfTableSpec spec;
            ASSERT_TRUE(ReadDbfFile(file.path, read, spec)) << file.path;
            ASSERT_GT(read.RowCount(), 0) << file.path;
            file.records = read.RowCount();
        }
        prompter.ExpectFileChoice(file.path).ExpectMessage(file.message, MessageKind::Information);
        Find<QPushButton>(&dialog, ButtonOf(file.kind))->click();
        EXPECT_TRUE(prompter.AllShown()) << file.path;
        const DataList& list = dialog.List()->List();
        EXPECT_EQ(file.records, list.RowCount()) << file.path;
        for (int row = 0; row < list.RowCount(); ++row)
            EXPECT_EQ((Colour{0, 0, 0}), list.RowColoursAt(row).m_textColour) << file.path;
        EXPECT_FALSE(Find<QPushButton>(&dialog, "saveReportButton")->isEnabled()) << file.path;

        const CliResult run =
            RunCli(std::string("verify ") + file.letter + " " + QuoteForShell(file.path));
        EXPECT_EQ(0, run.status) << file.path << "\n" << run.out << run.err;
        const std::string summary =
            file.records == 0 && file.kind == VerifiedKind::AnnexB
                ? "Anexa B: Fisierul selectat nu contine inregistrari!"
                : "verificat: " + std::to_string(file.records) + " inregistrari, 0 eronate";
        EXPECT_EQ(file.path + "\t" + summary + "\n", run.out);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
