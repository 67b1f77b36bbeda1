// The step-4 window and its naming dialog, offscreen on the test server, and
// the command line writing the same bytes.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "AnnexTestData.h"
#include "FormDriving.h"
#include "ui/ColourLabel.h"
#include "ui/DataListView.h"
#include "ui/health/AnnexFilesWindow.h"

using namespace annex_test;

namespace {

QString Text(QWidget* parent, const char* name) {
    return Find<QLabel>(parent, name)->text();
}

// IONESCU has no sums for July at CASAB.
const char* const kMissingSumsQuestion =
    "ATENTIE:\n1 angajat din luna Iulie 2009 nu are sume introduse:\n\nIONESCU ANA\n\nIn "
    "fisierele de raportare vor aparea fara sume.\nSumele se introduc la Pasul 2.\n\nVrei sa "
    "continui?";

class AnnexFilesWindowTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        LoadCompany();
        m_window = std::make_unique<AnnexFilesWindow>(*m_client, kMonth);
        m_window->SetMediumFinder([this] { return m_medium; });
        m_window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        m_window.reset();
        DbTest::TearDown();
    }
    DataListView* List(const char* name) { return Find<DataListView>(m_window.get(), name); }
    void SelectCompany(const char* cf) {
        DataListView* companies = List("companyList");
        for (int row = 0; row < companies->RowCount(); ++row)
            if (companies->CellText(row, "CF") == cf) companies->SelectRow(row, true);
        QApplication::processEvents();
    }
    void SelectHouse(const char* house) {
        DataListView* houses = List("houseList");
        for (int row = 0; row < houses->RowCount(); ++row)
            if (houses->CellText(row, "CAS") == house) houses->SelectRow(row, true);
        QApplication::processEvents();
    }
    void Click(const char* name) { Find<QAbstractButton>(m_window.get(), name)->click(); }
    // Saves with the naming dialog answered by `choose`.
    void SaveWith(std::function<void(QWidget*)> choose) {
        OnNextModal(std::move(choose));
        Click("saveButton");
        QApplication::processEvents();
    }

    std::unique_ptr<AnnexFilesWindow> m_window;
    std::optional<std::string> m_medium;
    TempFolder m_folder;
};

TEST_F(AnnexFilesWindowTest, TheSelectionLinesFollowCompanyAndHouse) {
    EXPECT_EQ("Pasul 4: Generare de rapoarte", m_window->windowTitle());
    EXPECT_EQ("Luna curenta: Iulie 2009", Text(m_window.get(), "monthLabel"));
    EXPECT_EQ(2, List("companyList")->RowCount());
    EXPECT_EQ(0, List("houseList")->RowCount());
    SelectCompany(kCf);
    ASSERT_EQ(2, List("houseList")->RowCount());
    EXPECT_EQ("", Text(m_window.get(), "insuredCount"));
    SelectHouse("CASAB");
    EXPECT_EQ("ALFA SRL", Find<ColourLabel>(m_window.get(), "selectedCompany")->text());
    EXPECT_EQ("AB - Alba", Find<ColourLabel>(m_window.get(), "selectedHouse")->text());
    EXPECT_EQ("3", Text(m_window.get(), "insuredCount"));
    // Another company: its own houses, no house selected.
    SelectCompany("23456789");
    EXPECT_EQ(1, List("houseList")->RowCount());
    EXPECT_EQ("", Text(m_window.get(), "insuredCount"));
    EXPECT_TRUE(Find<QRadioButton>(m_window.get(), "selectedHouseRadio")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(m_window.get(), "removableRadio")->isChecked());
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(AnnexFilesWindowTest, TheNamingDialogShowsTheNamesAndCanCancel) {
    SelectCompany(kCf);
    SelectHouse("CASAB");
    m_prompter.ExpectQuestion(kMissingSumsQuestion, true);
    SaveWith([](QWidget* dialog) {
        EXPECT_EQ("Selecteaza forma denumirii fisierelor", dialog->windowTitle());
        EXPECT_TRUE(Find<QRadioButton>(dialog, "houseRadio")->isChecked());
        EXPECT_EQ("1a_0709_12345678.dbf", Text(dialog, "legalExample1"));
        EXPECT_EQ("1c_0709_12345678.dbf", Text(dialog, "legalExample3"));
        EXPECT_EQ("CASAB_12345678_200907_anexa1B.dbf", Text(dialog, "houseExample2"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(AnnexFilesWindowTest, ASaveNeedsAHouseAndAMedium) {
    SelectCompany(kCf);
    m_prompter.ExpectMessage(
        "Trebuie sa selectezi o casa de asigurari pentru a salva rapoartele electronice!");
    Click("saveButton");
    SelectHouse("CASAB");
    m_prompter.ExpectQuestion(kMissingSumsQuestion, true);
    m_prompter.ExpectMessage(
        "Nu este montat niciun disc amovibil (stick USB, CD, discheta) in /media sau /run/media!"
        "\n\nIntrodu discul si asteapta sa apara pe ecran sau alege \"intr-un alt folder\".\nNu "
        "s-a salvat niciun fisier.");
    SaveWith([](QWidget* dialog) { Find<QPushButton>(dialog, "saveButton")->click(); });
    EXPECT_TRUE(m_prompter.AllShown());
}

TEST_F(AnnexFilesWindowTest, AllHousesOntoTheRemovableMedium) {
    m_medium = m_folder.Path().string();
    SelectCompany(kCf);
    Click("allHousesRadio");
    const std::string f = m_folder.Path().string();
    m_prompter.ExpectQuestion(kMissingSumsQuestion, true);
    m_prompter.ExpectMessage("Fisierele de raportare au fost salvate in folderul:\n" + f +
                                 "\n\nCASAB/1A_0709_12345678.dbf\nCASAB/1B_0709_12345678.dbf\n"
                                 "CASAB/1C_0709_12345678.dbf\nCAS_B/1A_0709_12345678.dbf\n"
                                 "CAS_B/1B_0709_12345678.dbf\nCAS_B/1C_0709_12345678.dbf",
                             MessageKind::Information);
    SaveWith([](QWidget* dialog) {
        // No house selected: the examples take the first one.
        EXPECT_EQ("CASAB_12345678_200907_anexa1A.dbf", Text(dialog, "houseExample1"));
        Find<QRadioButton>(dialog, "legalRadio")->click();
        Find<QPushButton>(dialog, "saveButton")->click();
    });
    EXPECT_TRUE(m_prompter.AllShown());
}

TEST_F(AnnexFilesWindowTest, AFailureSaysWhichFilesStayed) {
    RunSql("UPDATE asigurati.coasigurati SET cnp=12820202000005 WHERE nume='ALBU'");
    m_medium = m_folder.Path().string();
    SelectCompany(kCf);
    SelectHouse("CASAB");
    m_prompter.ExpectQuestion(kMissingSumsQuestion, true);
    m_prompter.ExpectMessage(
        "Nu se poate salva Anexa 1B!\n\nvaloarea \"12820202000005\" din randul 1 nu incape in "
        "campul 8 (13 caractere, 0 zecimale)");
    m_prompter.ExpectMessage("Fisierele salvate inainte de eroare raman in folderul:\n" +
                                 m_folder.Path().string() + "\n\nCASAB_12345678_200907_anexa1A.dbf",
                             MessageKind::Information);
    SaveWith([](QWidget* dialog) { Find<QPushButton>(dialog, "saveButton")->click(); });
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_EQ(std::vector<std::string>{"CASAB_12345678_200907_anexa1A.dbf"}, m_folder.Names());
}

// A second save of the same house and month into the same place asks once;
// "Nu" leaves the earlier files as they were and says nothing more.
TEST_F(AnnexFilesWindowTest, ASecondSaveAsksBeforeReplacing) {
    m_medium = m_folder.Path().string();
    SelectCompany(kCf);
    SelectHouse("CAS_B");
    const std::string f = m_folder.Path().string();
    const std::string saved =
        "Fisierele de raportare au fost salvate in folderul:\n" + f +
        "\n\nCAS_B_12345678_200907_anexa1A.dbf\n"
        "CAS_B_12345678_200907_anexa1B.dbf\nCAS_B_12345678_200907_anexa1C.dbf";
    const auto keepHouseNames = [](QWidget* dialog) {
        Find<QPushButton>(dialog, "saveButton")->click();
    };
    m_prompter.ExpectMessage(saved, MessageKind::Information);
    SaveWith(keepHouseNames);
    ASSERT_TRUE(m_prompter.AllShown());

    const std::string a = m_folder.File("CAS_B_12345678_200907_anexa1A.dbf");
    WriteBytes(a, "earlier");
    const std::string question = "Fisierele urmatoare exista deja in folderul:\n" + f +
                                 "\n\nCAS_B_12345678_200907_anexa1A.dbf\n"
                                 "CAS_B_12345678_200907_anexa1B.dbf\n"
                                 "CAS_B_12345678_200907_anexa1C.dbf\n\nDoresti sa le inlocuiesti?"
                                 "\nDaca raspunzi Nu, nu se salveaza niciun fisier.";
    m_prompter.ExpectQuestion(question, false);
    SaveWith(keepHouseNames);
    ASSERT_TRUE(m_prompter.AllShown());
    EXPECT_EQ("earlier", ReadBytes(a));

    m_prompter.ExpectQuestion(question, true).ExpectMessage(saved, MessageKind::Information);
    SaveWith(keepHouseNames);
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_NE("earlier", ReadBytes(a));
}

TEST_F(AnnexFilesWindowTest, MissingSumsAreNamedFirstAndNuWritesNothing) {
    m_medium = m_folder.Path().string();
    SelectCompany(kCf);
    SelectHouse("CASAB");
    // "Nu": neither the naming dialog nor a file.
    m_prompter.ExpectQuestion(kMissingSumsQuestion, false);
    bool namingShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            namingShown = true;
            modal->close();
        }
    });
    Click("saveButton");
    QApplication::processEvents();
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_FALSE(namingShown);
    EXPECT_TRUE(m_folder.Names().empty());

    // A house whose employees all have their sums is written without a question.
    SelectHouse("CAS_B");
    m_prompter.ExpectMessage("Fisierele de raportare au fost salvate in folderul:\n" +
                                 m_folder.Path().string() +
                                 "\n\nCAS_B_12345678_200907_anexa1A.dbf\n"
                                 "CAS_B_12345678_200907_anexa1B.dbf\n"
                                 "CAS_B_12345678_200907_anexa1C.dbf",
                             MessageKind::Information);
    SaveWith([](QWidget* dialog) { Find<QPushButton>(dialog, "saveButton")->click(); });
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_EQ(3u, m_folder.Names().size());
}

// The window's files and the command line's, for the same company, house and naming.
TEST_F(AnnexFilesWindowTest, TheCommandLineWritesTheSameBytes) {
    SelectCompany(kCf);
    SelectHouse("CASAB");
    Click("folderRadio");
    m_prompter.ExpectQuestion(kMissingSumsQuestion, true);
    m_prompter.ExpectFolderChoice(m_folder.Path().string());
    m_prompter.ExpectMessage("Fisierele de raportare au fost salvate in folderul:\n" +
                                 m_folder.Path().string() +
                                 "\n\n1A_0709_12345678.dbf\n1B_0709_12345678.dbf\n"
                                 "1C_0709_12345678.dbf",
                             MessageKind::Information);
    SaveWith([](QWidget* dialog) {
        Find<QRadioButton>(dialog, "legalRadio")->click();
        Find<QPushButton>(dialog, "saveButton")->click();
    });
    ASSERT_TRUE(m_prompter.AllShown());

    TempFolder cli;
    const CommandResult r = RunCommand(std::string(ORVIK_CLI) +
                                       " health files --cf 12345678 --month 200907 --cas CASAB " +
                                       "--legal-names --dir " + QuoteForShell(cli.Path().string()) +
                                       " --installation " + QuoteForShell(ORVIK_TEST_SERVER_DIR));
    ASSERT_EQ(0, r.status) << r.output;
    for (const char* name :
         {"1A_0709_12345678.dbf", "1B_0709_12345678.dbf", "1C_0709_12345678.dbf"})
        EXPECT_EQ(Undated(m_folder.File(name)), Undated(cli.File(name))) << name;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
