// "Tipareste" of the step-4 window and its "Tiparire" dialog, offscreen on the
// test server: the list with its TOTAL row, single and batch printing into the
// recording backend, the page preview and the PDF file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "AnnexTestData.h"
#include "FormDriving.h"
#include "PrintedAnnexTestData.h"
#include "print/RecordingBackend.h"
#include "ui/DataListView.h"
#include "ui/health/AnnexFilesWindow.h"
#include "ui/health/AnnexPrintDialog.h"

namespace fs = std::filesystem;
using namespace annex_test;

namespace {

std::vector<std::string> Shown(const DataListView* list, int row) {
    std::vector<std::string> texts;
    for (int column = 0; column < list->List().ColumnCount(); ++column)
        if (list->List().ColumnWidth(column) > 0)
            texts.push_back(FormatDisplayKind(list->List().CellTextAt(row, column),
                                              list->List().ColumnKind(column)));
    return texts;
}

// IONESCU has no sums for July at CASAB.
const char* const kMissingSumsQuestion =
    "ATENTIE:\n1 angajat din luna Iulie 2009 nu are sume introduse:\n\nIONESCU ANA\n\nPe "
    "anexele tiparite vor aparea cu suma 0.\nSumele se introduc la Pasul 2.\n\nVrei sa "
    "continui?";

class AnnexPrintWindowTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        LoadCompany();
        m_window = std::make_unique<AnnexFilesWindow>(*m_client, kMonth);
        m_window->SetPrinterChooser(RecordingChooser(m_rec));
        m_window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        m_window.reset();
        DbTest::TearDown();
    }
    void Select(const char* listName, const char* column, const char* value) {
        auto* list = Find<DataListView>(m_window.get(), listName);
        for (int row = 0; row < list->RowCount(); ++row)
            if (list->CellText(row, column) == value) list->SelectRow(row, true);
        QApplication::processEvents();
    }
    void Click(const char* name) { Find<QAbstractButton>(m_window.get(), name)->click(); }
    // Prints with "Tiparire" handled by `drive`.
    void PrintWith(std::function<void(QWidget*)> drive) {
        OnNextModal(std::move(drive));
        Click("printButton");
        QApplication::processEvents();
    }

    std::unique_ptr<AnnexFilesWindow> m_window;
    Recording m_rec;
};

TEST_F(AnnexPrintWindowTest, WithoutAHouseNothingIsPrinted) {
    Select("companyList", "CF", kCf);
    m_prompter.ExpectMessage("Trebuie sa selectezi o casa de asigurari pentru a tipari raportul!");
    Click("printButton");
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_EQ(0, m_rec.pages);
}

TEST_F(AnnexPrintWindowTest, OneAnnexWaitsInItsListWithTheTotalRowAndPrintsOnRequest) {
    Select("companyList", "CF", kCf);
    Select("houseList", "CAS", "CASAB");
    ASSERT_TRUE(Find<QRadioButton>(m_window.get(), "annexARadio")->isChecked());
    m_prompter.ExpectQuestion(kMissingSumsQuestion, true);
    bool shown = false;
    PrintWith([&](QWidget* dialog) {
        shown = true;
        EXPECT_EQ("Tiparire", dialog->windowTitle());
        EXPECT_EQ("Se tipareste:", Find<QLabel>(dialog, "printingCaption")->text());
        EXPECT_EQ("Anexa 2A", Find<QLabel>(dialog, "annexLabel")->text());
        auto* list = Find<DataListView>(dialog, "rowList");
        ASSERT_EQ(4, list->RowCount());
        EXPECT_EQ((std::vector<std::string>{"1800101221144", "POPESCU", "ION", "S", "100", "90",
                                            "15.03.2009", "19.07.2009"}),
                  Shown(list, 1));
        EXPECT_EQ((std::vector<std::string>{"", "", "", "TOTAL", "150", "140", "", ""}),
                  Shown(list, 3));
        EXPECT_EQ(0, m_rec.pages);  // nothing before "Tipareste"
        Find<QPushButton>(dialog, "printButton")->click();
    });
    ASSERT_TRUE(shown);
    EXPECT_EQ("Anexa 2A 200907 12345678 CASAB", m_rec.documentName);
    EXPECT_EQ(1, m_rec.pages);
    EXPECT_TRUE(m_rec.documentEnded);
    EXPECT_EQ(nullptr, QApplication::activeModalWidget());
}

TEST_F(AnnexPrintWindowTest, AnnexCListsEveryHouseAndEscapePrintsNothing) {
    Select("companyList", "CF", kCf);
    Select("houseList", "CAS", "CAS_B");
    Find<QRadioButton>(m_window.get(), "annexCRadio")->click();
    PrintWith([](QWidget* dialog) {
        EXPECT_EQ("Anexa 2C", Find<QLabel>(dialog, "annexLabel")->text());
        auto* list = Find<DataListView>(dialog, "rowList");
        ASSERT_EQ(3, list->RowCount());
        EXPECT_EQ((std::vector<std::string>{"CASAB", "-", "-", "150", "140"}), Shown(list, 0));
        EXPECT_EQ((std::vector<std::string>{"TOTAL", "520", "500", "350", "340"}), Shown(list, 2));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(0, m_rec.pages);
}

TEST_F(AnnexPrintWindowTest, AllAnnexesOrAllHousesGoToThePrinterAtOnceInOneDocument) {
    Select("companyList", "CF", kCf);
    Select("houseList", "CAS", "CASAB");
    Find<QRadioButton>(m_window.get(), "allAnnexesRadio")->click();
    m_prompter.ExpectQuestion(kMissingSumsQuestion, true);
    Click("printButton");
    QApplication::processEvents();
    EXPECT_EQ("Orvik Asigurati - Toate anexele", m_rec.documentName);
    EXPECT_EQ(3, m_rec.pages);

    Recording all;
    m_window->SetPrinterChooser(RecordingChooser(all));
    Find<QRadioButton>(m_window.get(), "allHousesRadio")->click();
    Find<QRadioButton>(m_window.get(), "annexBRadio")->click();
    Click("printButton");
    QApplication::processEvents();
    EXPECT_EQ("Orvik Asigurati - Toate anexele", all.documentName);
    ASSERT_EQ(2, all.pages);  // 2b of CASAB, then of CAS_B
    EXPECT_EQ("Casa de Asigurari: CAS_B", all.TextsOnPage(2).at(4).text);
    EXPECT_TRUE(m_prompter.AllShown());
}

TEST_F(AnnexPrintWindowTest, MissingSumsAreNamedBeforePrintingAndNuPrintsNothing) {
    Select("companyList", "CF", kCf);
    Select("houseList", "CAS", "CASAB");
    // One annex: not even its list opens.
    m_prompter.ExpectQuestion(kMissingSumsQuestion, false);
    bool listShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            listShown = true;
            modal->close();
        }
    });
    Click("printButton");
    QApplication::processEvents();
    EXPECT_FALSE(listShown);
    // Every house and every annex: the question covers all of them.
    Find<QRadioButton>(m_window.get(), "allHousesRadio")->click();
    Find<QRadioButton>(m_window.get(), "allAnnexesRadio")->click();
    m_prompter.ExpectQuestion(kMissingSumsQuestion, false);
    Click("printButton");
    QApplication::processEvents();
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_EQ(0, m_rec.pages);
    EXPECT_TRUE(m_rec.documentName.empty());
}

class AnnexPrintDialogTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_annexes.emplace(*m_client, *ParseAnnexMonth(kMonth));
    }
    std::optional<PrintedAnnexes> m_annexes;
    TempFolder m_folder;
};

TEST_F(AnnexPrintDialogTest, ThePreviewShowsEveryPage) {
    LoadManyEmployees(120);
    const auto header = m_annexes->LoadHeader("34567890", "CASCJ");
    ASSERT_TRUE(header);
    AnnexPrintDialog dialog(*m_annexes, PrintedAnnex::A, *header, "2.08");
    dialog.show();
    int pages = -1;
    OnNextModal([&](QWidget* preview) {
        EXPECT_NE(nullptr, qobject_cast<QPrintPreviewDialog*>(preview));
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(nullptr, widget);
        widget->updatePreview();
        pages = widget->pageCount();
        preview->close();
    });
    Find<QPushButton>(&dialog, "previewButton")->click();
    EXPECT_EQ(3, pages);
}

TEST_F(AnnexPrintDialogTest, SavePdfWritesTheAnnexWithoutAPrinter) {
    LoadCompany();
    const auto header = m_annexes->LoadHeader(kCf, "CASAB");
    ASSERT_TRUE(header);
    AnnexPrintDialog dialog(*m_annexes, PrintedAnnex::C, *header, "2.08");
    std::string suggested;
    const std::string chosen = m_folder.File("centralizator");
    dialog.SetSaveFileChooser([&](const std::string& name) {
        suggested = name;
        return std::optional<std::string>(chosen);
    });
    dialog.SetPrinterChooser([](int, bool) -> PrinterChoice {
        ADD_FAILURE() << "no printer is asked for";
        return {};
    });
    m_prompter.ExpectMessage("Anexa a fost salvata in fisierul:\n" + chosen + ".pdf",
                             MessageKind::Information);
    Find<QPushButton>(&dialog, "pdfButton")->click();
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_EQ("Anexa 2C 200907 12345678 CASAB.pdf", suggested);
    const std::string text =
        RunCommand("pdftotext -layout " + QuoteForShell(chosen + ".pdf") + " -").output;
    EXPECT_NE(std::string::npos, text.find("CENTRALIZATOR *)")) << text;
    EXPECT_FALSE(fs::exists(chosen + ".pdf.part"));
    // The command line prints the same pages.
    const std::string cli = m_folder.File("cli.pdf");
    const CommandResult r = RunCommand(std::string(ORVIK_CLI) +
                                       " health print --cf 12345678 --month 200907 --cas CASAB "
                                       "--annex c --pdf " +
                                       QuoteForShell(cli) + " --installation " +
                                       QuoteForShell(ORVIK_TEST_SERVER_DIR) + " 2>&1");
    ASSERT_EQ(0, r.status) << r.output;
    EXPECT_EQ(text, RunCommand("pdftotext -layout " + QuoteForShell(cli) + " -").output);

    // A folder that cannot be written: said, and no file left behind.
    const std::string nowhere = m_folder.File("lipsa/anexa.pdf");
    dialog.SetSaveFileChooser([&](const std::string&) { return std::optional(nowhere); });
    m_prompter.ExpectMessage("Anexa nu a putut fi salvata in fisierul:\n" + nowhere);
    Find<QPushButton>(&dialog, "pdfButton")->click();
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_FALSE(fs::exists(nowhere));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
