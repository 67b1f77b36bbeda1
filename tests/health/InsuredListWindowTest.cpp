// The insured list window and its linked lists offscreen, on the test server.
#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

#include "FormDriving.h"
#include "SmallScreen.h"
#include "TestCompanies.h"
#include "TestServer.h"
#include "domain/TextNumbers.h"
#include "ui/CompanyList.h"
#include "ui/DataListView.h"
#include "ui/DateTriple.h"
#include "ui/LinkedLists.h"
#include "ui/health/HealthWindow.h"
#include "ui/health/InsuredListWindow.h"

namespace {

const char* const kPopescu = "1800101221144";  // open, two dependants
const char* const kIonescu = "2800203400121";  // liquidated
const char* const kVasile = "1850505123457";   // open, one dependant
const Colour kRed{255, 0, 0};
const Colour kBlack{0, 0, 0};

// A double click arrives as a click and then the double click itself.
void ClickRow(DataListView* view, int row, bool twice = false) {
    const QPoint at(30, row * view->RowHeight() + view->RowHeight() / 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

class InsuredListWindowTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaAndBetaCompanies();
        RunSql(std::string("INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, "
                           "iesire, forma) VALUES "
                           "(12345674, 'CAS_B', 'POPESCU', 'ION', ") +
               kPopescu + ", 20200115, 0, 'S'), (12345674, 'CAS_B', 'IONESCU', 'MARIA', " +
               kIonescu + ", 20190301, 20230331, 'S'), (12345674, 'CASAB', 'VASILE', 'DAN', " +
               kVasile + ", 20210601, 0, 'CM')");
        RunSql(std::string("INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, "
                           "tip) VALUES (12345674, ") +
               kPopescu + ", 2850101000012, 'ZETA', 'ANA', 'S'), (12345674, " + kPopescu +
               ", 1500101000011, 'ALBU', 'PETRE', 'P'), (12345674, " + kVasile +
               ", 2860101000013, 'VASILE', 'IOANA', 'S'), (23456783, " + kPopescu +
               ", 2700101000014, 'ALTA', 'FIRMA', 'P')");
    }
    std::unique_ptr<InsuredListWindow> Open(InsuredFilter filter = InsuredFilter::All,
                                            const std::string& name = "ALFA SRL") {
        const long long key =
            std::stoll(SqlScalar("SELECT `index` FROM asigurati.societati WHERE cf=12345674"));
        auto window = std::make_unique<InsuredListWindow>(
            *m_client, CompanyRow{key, "12345674", name}, filter);
        window->show();
        QApplication::processEvents();
        return window;
    }
    static DataListView* Insured(QWidget* window) {
        return Find<DataListView>(window, "insuredList");
    }
    static DataListView* CoInsured(QWidget* window) {
        return Find<DataListView>(window, "coInsuredList");
    }
    static int RowOf(DataListView* view, const std::string& cnp) {
        for (int row = 0; row < view->RowCount(); ++row)
            if (view->CellText(row, "CNP") == cnp) return row;
        ADD_FAILURE() << cnp << " not listed";
        return -1;
    }
    static std::string Dependants(DataListView* view) {
        std::string names;
        for (int row = 0; row < view->RowCount(); ++row) names += view->CellText(row, "NUME") + ";";
        return names;
    }
    static void Click(QWidget* window, const char* button) {
        QTest::mouseClick(Find<QPushButton>(window, button), Qt::LeftButton);
    }
    void ExpectDeleteQuestions(bool first, bool second = true) {
        m_prompter.ExpectQuestion(
            "Esti sigur ca vrei sa stergi inregistrarea selectata?\n\nOperatia este ireversibila.",
            first);
        if (first) m_prompter.ExpectQuestion("Sigur, sigur?", second);
    }
};

TEST_F(InsuredListWindowTest, TheFilterDecidesTheRowsAndTheHeadingLiquidatedRowsAreRed) {
    const struct {
        InsuredFilter filter;
        const char* text;
        int rows;
    } cases[] = {{InsuredFilter::All, "toate inregistrarile", 3},
                 {InsuredFilter::Open, "numai asigurati existenti", 2},
                 {InsuredFilter::Liquidated, "numai asigurati lichidati", 1}};
    for (const auto& c : cases) {
        auto window = Open(c.filter);
        EXPECT_EQ("Vizualizarea listei de asigurati", window->windowTitle());
        EXPECT_EQ(c.text, Find<QLabel>(window.get(), "filterText")->text());
        EXPECT_EQ("ALFA SRL", Find<QLabel>(window.get(), "currentCompany")->text());
        DataListView* list = Insured(window.get());
        ASSERT_EQ(c.rows, list->RowCount()) << c.text;
        for (int row = 0; row < list->RowCount(); ++row)
            EXPECT_EQ(list->CellText(row, "CNP") == kIonescu ? kRed : kBlack,
                      list->List().RowColoursAt(row).m_textColour)
                << list->CellText(row, "NUME");
    }
    auto window = Open();
    EXPECT_EQ(
        QColor(255, 0, 0),
        Find<QLabel>(window.get(), "liquidatedLegend")->palette().color(QPalette::WindowText));
    EXPECT_EQ(window->palette().color(QPalette::WindowText),
              Find<QLabel>(window.get(), "existingLegend")->palette().color(QPalette::WindowText));
}

TEST_F(InsuredListWindowTest, TheLowerListShowsTheDependantsOfTheSelectedRecordOnly) {
    auto window = Open();
    DataListView* insured = Insured(window.get());
    DataListView* dependants = CoInsured(window.get());
    EXPECT_EQ(insured, QApplication::focusWidget());
    EXPECT_EQ(0, dependants->RowCount());  // nothing selected yet

    ClickRow(insured, RowOf(insured, kPopescu));
    // Only this company's, by name; the other company's dependant stays out.
    EXPECT_EQ("ALBU;ZETA;", Dependants(dependants));
    for (const char* hidden : {"CF", "CNP_ASIG", "INDEX"})
        EXPECT_EQ(0, dependants->List().ColumnWidth(dependants->ColumnIndex(hidden))) << hidden;
    EXPECT_EQ("2850101000012", dependants->CellText(1, "CNP"));

    QTest::keyClick(insured, Qt::Key_Down);  // VASILE follows POPESCU by name
    EXPECT_EQ("VASILE;", Dependants(dependants));
    ClickRow(insured, RowOf(insured, kIonescu));
    EXPECT_EQ("", Dependants(dependants));

    ClickRow(insured, RowOf(insured, kVasile));
    ASSERT_EQ(1, dependants->RowCount());
    QTest::mouseClick(insured->viewport(), Qt::LeftButton, {},
                      QPoint(30, insured->viewport()->height() - 2));  // below the last row
    EXPECT_EQ(-1, insured->NextSelectedRow(-1));
    EXPECT_EQ(0, dependants->RowCount());
}

TEST_F(InsuredListWindowTest, ASortKeepsTheLowerListWhileTheSameRecordStaysSelected) {
    auto window = Open();
    DataListView* insured = Insured(window.get());
    DataListView* dependants = CoInsured(window.get());
    ClickRow(insured, 1);
    ASSERT_EQ(kPopescu, insured->CellText(1, "CNP"));
    ASSERT_EQ(2, dependants->RowCount());
    // Changed behind the window's back: only a fill would show it.
    RunSql("DELETE FROM asigurati.coasigurati WHERE nume='ZETA'");

    insured->ClickHeader(insured->ColumnIndex("CNP"), false);  // POPESCU moves to the top
    ASSERT_EQ(kPopescu, insured->CellText(0, "CNP"));
    EXPECT_EQ(0, insured->NextSelectedRow(-1));
    ClickRow(insured, 0);  // the same record, at its new row
    EXPECT_EQ("ALBU;ZETA;", Dependants(dependants));
    ClickRow(insured, 1);
    EXPECT_EQ("VASILE;", Dependants(dependants));
    ClickRow(insured, 0);
    EXPECT_EQ("ALBU;", Dependants(dependants));
}

TEST_F(InsuredListWindowTest, CommandsWithoutASelectedRowSayWhatToSelect) {
    auto window = Open();
    m_prompter.ExpectMessage("Trebuie sa selectezi un asigurat pentru a-l modifica!");
    QTest::keyClick(Insured(window.get()), Qt::Key_F6);
    m_prompter.ExpectMessage("Trebuie sa selectezi un asigurat pentru a-l lichida!");
    QTest::keyClick(window.get(), Qt::Key_F7);
    m_prompter.ExpectMessage("Trebuie sa selectezi un asigurat pentru a-l sterge!");
    Click(window.get(), "deleteInsuredButton");
    m_prompter.ExpectMessage(
        "Trebuie sa selectezi un asigurat pentru a-i modifica forma de angajare!");
    QTest::keyClick(window.get(), Qt::Key_F8);
    m_prompter.ExpectMessage(
        "Trebuie sa selectezi un asigurat pentru a-i schimba casa de asigurari!");
    QTest::keyClick(window.get(), Qt::Key_F9);
    m_prompter.ExpectMessage("Trebuie sa selectezi un asigurat pentru a adauga un coasigurat!");
    QTest::keyClick(window.get(), Qt::Key_F5, Qt::ControlModifier);
    EXPECT_TRUE(m_prompter.AllShown());

    ClickRow(Insured(window.get()), RowOf(Insured(window.get()), kIonescu));
    m_prompter.ExpectMessage("Trebuie sa selectezi un asigurat existent pentru a-l lichida!");
    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_EQ("20230331", SqlScalar(std::string("SELECT iesire FROM asigurati.asigurati WHERE "
                                                "cnp=") +
                                    kIonescu));

    // A liquidated person changes nothing and takes no new dependants; without
    // a dependant selected there is none to change or delete.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifier modifiers;
        const char* message;
    } refused[] = {
        {Qt::Key_F8, Qt::NoModifier,
         "Trebuie sa selectezi un asigurat existent pentru a-i modifica forma de angajare!"},
        {Qt::Key_F9, Qt::NoModifier,
         "Trebuie sa selectezi un asigurat existent pentru a-i schimba casa de asigurari!"},
        {Qt::Key_F5, Qt::ControlModifier,
         "Asiguratul selectat este lichidat si, prin urmare, nu se pot adauga coasigurati noi!"},
        {Qt::Key_F6, Qt::ControlModifier,
         "Trebuie sa selectezi un coasigurat pentru a-l modifica!"},
        {Qt::Key_F8, Qt::ControlModifier, "Trebuie sa selectezi un coasigurat pentru a-l sterge!"},
    };
    for (const auto& r : refused) {
        m_prompter.ExpectMessage(r.message);
        QTest::keyClick(window.get(), r.key, r.modifiers);
    }
    EXPECT_EQ(nullptr, QApplication::activeModalWidget());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(InsuredListWindowTest, F7LiquidatesTheSelectedRecordAndItsRowTurnsRedInPlace) {
    auto window = Open();
    DataListView* insured = Insured(window.get());
    const int row = RowOf(insured, kPopescu);
    ClickRow(insured, row);
    OnNextModal([](QWidget* form) {
        EXPECT_EQ("liquidationDialog", form->objectName());
        EXPECT_EQ(kPopescu, Find<QLineEdit>(form, "cnp")->text().toStdString());
        EXPECT_TRUE(Find<QLineEdit>(form, "cnp")->isReadOnly());
        QApplication::processEvents();
        EXPECT_EQ(Find<DateTriple>(form, "iesire")->DayField(), QApplication::focusWidget());
        TypeDate(form, "iesire", "28", "2", "2025");
        QTest::keyClick(form, Qt::Key_F6);
    });
    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_EQ(kPopescu, insured->CellText(row, "CNP"));
    EXPECT_EQ("20250228", insured->CellText(row, "IESIRE"));
    EXPECT_EQ(kRed, insured->List().RowColoursAt(row).m_textColour);
    EXPECT_EQ(row, insured->NextSelectedRow(-1));
    EXPECT_EQ("20250228", SqlScalar(std::string("SELECT iesire FROM asigurati.asigurati WHERE "
                                                "cnp=") +
                                    kPopescu));
}

TEST_F(InsuredListWindowTest, F6AndADoubleClickOpenTheFilledFormAndTheRowShowsWhatWasSaved) {
    auto window = Open();
    DataListView* insured = Insured(window.get());
    DataListView* dependants = CoInsured(window.get());
    const int row = RowOf(insured, kPopescu);
    ClickRow(insured, row);

    OnNextModal([](QWidget* form) {
        EXPECT_EQ("Modifica un asigurat", form->windowTitle());
        EXPECT_EQ("VASILE", Find<QLineEdit>(form, "nume")->text());
        QTest::keyClick(form, Qt::Key_Escape);
    });
    ClickRow(insured, RowOf(insured, kVasile), true);
    EXPECT_EQ("VASILE;", Dependants(dependants));

    ClickRow(insured, row);
    OnNextModal([](QWidget* form) {
        EXPECT_EQ("POPESCU", Find<QLineEdit>(form, "nume")->text());
        EXPECT_EQ(kPopescu, Find<QLineEdit>(form, "cnp")->text().toStdString());
        Find<QLineEdit>(form, "prenume")->clear();
        Type(form, "prenume", "ionel");
        Find<QLineEdit>(form, "cnp")->clear();
        Type(form, "cnp", "1800202000006");
        QTest::keyClick(form, Qt::Key_F6);
    });
    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_EQ("IONEL", insured->CellText(row, "PRENUME"));
    EXPECT_EQ("1800202000006", insured->CellText(row, "CNP"));
    // The dependants moved to the new CNP, and the lower list was read again.
    ASSERT_EQ(2, dependants->RowCount());
    EXPECT_EQ("1800202000006", dependants->CellText(0, "CNP_ASIG"));
}

TEST_F(InsuredListWindowTest, DeleteAsksTwiceRemovesTheRowAndSelectsTheNext) {
    auto window = Open();
    DataListView* insured = Insured(window.get());
    DataListView* dependants = CoInsured(window.get());
    ClickRow(insured, 0);  // IONESCU, then POPESCU, VASILE by name
    ASSERT_EQ(kIonescu, insured->CellText(0, "CNP"));

    ExpectDeleteQuestions(true, false);
    Click(window.get(), "deleteInsuredButton");
    EXPECT_EQ(3, insured->RowCount());

    ExpectDeleteQuestions(true);
    Click(window.get(), "deleteInsuredButton");
    ASSERT_EQ(2, insured->RowCount());
    EXPECT_EQ(0, insured->NextSelectedRow(-1));
    EXPECT_EQ(kPopescu, insured->CellText(0, "CNP"));
    EXPECT_EQ("ALBU;ZETA;", Dependants(dependants));

    ClickRow(insured, 1);
    ExpectDeleteQuestions(true);
    Click(window.get(), "deleteInsuredButton");  // the last row: the new last is selected
    ASSERT_EQ(1, insured->RowCount());
    EXPECT_EQ(0, insured->NextSelectedRow(-1));
    EXPECT_EQ("ALBU;ZETA;", Dependants(dependants));

    ExpectDeleteQuestions(true);
    Click(window.get(), "deleteInsuredButton");
    EXPECT_EQ(0, insured->RowCount());
    EXPECT_EQ(0, dependants->RowCount());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
}

TEST_F(InsuredListWindowTest, EscapeClosesTheWindowFitsAScreenAndTabFollowsTheLists) {
    auto window = Open(InsuredFilter::All, std::string(255, 'N'));
    EXPECT_LE(window->width(), 1280);
    EXPECT_LE(window->minimumSizeHint().width(), 1280);
    QLabel* lastNote = nullptr;
    for (QLabel* label : Find<QWidget>(window.get(), "notes")->findChildren<QLabel*>())
        if (label->text().startsWith("*6")) lastNote = label;
    ASSERT_NE(nullptr, lastNote);
    EXPECT_TRUE(lastNote->text().endsWith(
        "drept\nasigurati si nu trebuie stersi de pe \"lista\" asiguratului)"));
    EXPECT_EQ("[ESC]   Iesire", Find<QPushButton>(window.get(), "closeButton")->text());
    // Tab goes through the upper list's five commands before the lower list.
    for (int i = 0; i < 6; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(CoInsured(window.get()), QApplication::focusWidget());

    QTest::keyClick(Insured(window.get()), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(QDialog::Rejected, window->result());
}

// On a 1024x768 screen every column of the list is in sight beside its
// buttons, the last one (IESIRE) too, without scrolling across.
TEST_F(InsuredListWindowTest, OnASmallScreenEveryColumnIsInSight) {
    auto window = Open();
    EXPECT_TRUE(FitsSmallScreen(window.get()));
    DataListView* insured = Insured(window.get());
    insured->grab();  // the list lays itself out at its first paint
    QApplication::processEvents();
    auto* header = insured->findChild<QHeaderView*>();
    const int iesire = insured->ColumnIndex("IESIRE");
    ASSERT_LE(0, iesire);
    EXPECT_FALSE(header->isSectionHidden(iesire));
    EXPECT_LE(header->sectionViewportPosition(iesire) + header->sectionSize(iesire),
              insured->viewport()->width());
    EXPECT_EQ(0, insured->horizontalScrollBar()->maximum());
    // The dates and names are shown whole.
    const int row = RowOf(insured, kIonescu);
    EXPECT_EQ("31.03.2023", insured->ShownCellText(row, iesire).toStdString());
    EXPECT_EQ("CAS_B", insured->ShownCellText(row, insured->ColumnIndex("CAS")).toStdString());
}

TEST_F(InsuredListWindowTest, AListThatCannotBeReadIsNeverShown) {
    m_prompter.ExpectMessage(
        "Valoarea \"12A\" nu este un numar valid!\nOperatia nu a fost "
        "efectuata.");
    InsuredListWindow window(*m_client, CompanyRow{1, "12A", "ALFA SRL"}, InsuredFilter::All);
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_EQ(QDialog::Rejected, window.exec());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(InsuredListWindowTest, F9InTheHealthWindowOpensTheFilteredListAndCountsAgainAfter) {
    HealthWindow health(*m_client);
    health.show();
    DataListView* companies = health.Companies()->View();
    for (int row = 0; row < companies->RowCount(); ++row)
        if (companies->CellText(row, "CF") == "12345674") companies->SelectRow(row, true);
    Find<QRadioButton>(&health, "filterRadio2")->setChecked(true);
    QApplication::processEvents();
    ASSERT_EQ("1", Find<QLabel>(&health, "liquidatedCounter")->text());

    OnNextModal([this](QWidget* window) {
        EXPECT_EQ("insuredListWindow", window->objectName());
        EXPECT_EQ("numai asigurati lichidati", Find<QLabel>(window, "filterText")->text());
        DataListView* insured = Insured(window);
        ASSERT_EQ(1, insured->RowCount());
        ClickRow(insured, 0);
        ExpectDeleteQuestions(true);
        Click(window, "deleteInsuredButton");
        QTest::keyClick(window, Qt::Key_Escape);
    });
    QTest::keyClick(&health, Qt::Key_F9);
    EXPECT_EQ("0", Find<QLabel>(&health, "liquidatedCounter")->text());
    EXPECT_EQ("2", Find<QLabel>(&health, "existingCounter")->text());
}

// The linked lists on their own, with a counting fill in place of a register.
class LinkedListsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_lists.Master()->EnableSorting(true);
        DataList& master = m_lists.Master()->List();
        master.AppendColumn("KEY", "N", 50);
        for (const char* key : {"30", "10", "20"}) master.AddRow(key);
        m_lists.Link(
            [](const DataList& list, int row) { return TextToInteger(list.CellTextAt(row, 0)); },
            [this](const DataList& list, int row, DataList& detail) {
                ++m_fills;
                detail.AppendColumn("OF", "C", 50);
                detail.AddRow(list.CellTextAt(row, 0));
            });
        m_lists.show();
    }
    std::string Shown() { return m_lists.Detail()->CellTextAt(0, 0); }

    LinkedLists m_lists{"Detalii:"};
    int m_fills = 0;
};

TEST_F(LinkedListsTest, TheDetailIsFilledOncePerRecordAndFollowsItThroughSortsAndDeletes) {
    DataListView* master = m_lists.Master();
    EXPECT_EQ("Detalii:", m_lists.DetailCaption()->text());
    EXPECT_EQ(0, m_fills);
    master->SelectRow(1, false);
    EXPECT_EQ("10", Shown());
    master->ClickHeader(0, false);  // 10 moves to the top and stays selected
    master->SelectRow(0, false);
    EXPECT_EQ(1, m_fills);
    m_lists.ReloadDetail();
    EXPECT_EQ(2, m_fills);

    m_lists.RemoveMasterRow(0);  // 20 comes into its place
    EXPECT_EQ(0, master->NextSelectedRow(-1));
    EXPECT_EQ("20", Shown());
    m_lists.RemoveMasterRow(1);  // the last row: 20 stays selected, nothing to fill
    EXPECT_EQ(3, m_fills);
    m_lists.RemoveMasterRow(0);
    EXPECT_EQ(0, m_lists.Detail()->RowCount());
    EXPECT_EQ(3, m_fills);
}

}  // namespace

int main(int argc, char** argv) {
    const SmallScreen screen;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
