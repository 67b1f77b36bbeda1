// The report window, the month dialog and the sums windows and forms of
// steps 2 and 3 offscreen, on the test server.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

#include "FormDriving.h"
#include "SmallScreen.h"
#include "TestCompanies.h"
#include "TestServer.h"
#include "domain/ReferenceLists.h"
#include "health/MonthlySums.h"
#include "ui/AmountEdit.h"
#include "ui/DataListView.h"
#include "ui/health/EmployeeSumsWindow.h"
#include "ui/health/EmployerSumsWindow.h"
#include "ui/health/ReportWindow.h"

namespace {

void ClickRow(DataListView* view, int row, bool twice = false) {
    const QPoint at(30, row * view->RowHeight() + view->RowHeight() / 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

int RowOf(DataListView* view, const char* column, const std::string& text) {
    for (int row = 0; row < view->RowCount(); ++row)
        if (view->CellText(row, column) == text) return row;
    ADD_FAILURE() << text << " not listed";
    return -1;
}

std::string TextOf(QWidget* parent, const char* name) {
    return Find<QLabel>(parent, name)->text().toStdString();
}

std::string FieldText(QWidget* parent, const char* name) {
    return Find<QLineEdit>(parent, name)->text().toStdString();
}

// Replaces what an amount field holds by typing, as a user does.
void TypeAmount(QWidget* form, const char* field, const char* digits) {
    auto* amount = Find<AmountEdit>(form, field);
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, digits);
}

class SumsWindowsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaAndBetaCompanies();
        RunSql(
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, "
            "forma) VALUES "
            "(12345674, 'CAS_B', 'ALBU', 'DAN', 1800101221144, 20080101, 0, 'S'),"
            "(12345674, 'CASAB', 'BARBU', 'ANA', 2800203400121, 20090215, 0, 'CM'),"
            "(12345674, 'CAS_B', 'DOBRE', 'RADU', 1700101000011, 20070101, 20090201, 'S')");
        // ALBU's February sums are not at the rate: opening must not "correct" them.
        RunSql(
            "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, "
            "asig_virat) SELECT `index`, cf, cnp, 200902, 1234.5, 60, 50 FROM "
            "asigurati.asigurati WHERE nume='ALBU'");
        RunSql(
            "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, "
            "asig_virat) SELECT `index`, cf, cnp, 200901, 2000, 130, 130 FROM "
            "asigurati.asigurati WHERE nume='BARBU'");
    }
    std::string Stored(const char* nume) {
        return SqlScalar(
            "SELECT GROUP_CONCAT(CONCAT_WS('|', s.salariu, s.asig_datorat, s.asig_virat)) FROM "
            "asigurati.sume AS s JOIN asigurati.asigurati AS a ON s.id_cnp=a.index WHERE "
            "s.luna=200902 AND a.nume='" +
            std::string(nume) + "'");
    }
    std::unique_ptr<EmployeeSumsWindow> OpenStep2() {
        auto window = std::make_unique<EmployeeSumsWindow>(*m_client, "200902");
        window->show();
        QApplication::processEvents();
        return window;
    }
    static DataListView* Companies(QWidget* w) { return Find<DataListView>(w, "companyList"); }
    static DataListView* Employees(QWidget* w) { return Find<DataListView>(w, "employeeList"); }
    static std::string Totals(QWidget* w) {
        return TextOf(w, "fundTotal") + ";" + TextOf(w, "employerOwedTotal") + ";" +
               TextOf(w, "employeeOwedTotal") + ";" + TextOf(w, "employeePaidTotal");
    }
};

TEST_F(SumsWindowsTest, StepsTwoToFourWaitForAMonthThatTheMonthDialogChecks) {
    ReportWindow window(*m_client);
    window.show();
    EXPECT_EQ("Generare de rapoarte", window.windowTitle());
    EXPECT_EQ("[F3]   Pasul 2: Introdu / actualizeaza obligatiile pentru fiecare asigurat",
              Find<QPushButton>(&window, "step2Button")->text());
    EXPECT_EQ("", TextOf(&window, "monthLine"));
    for (Qt::Key key : {Qt::Key_F3, Qt::Key_F4, Qt::Key_F5}) {
        m_prompter.ExpectMessage("Trebuie sa selectezi o luna pentru care se genereaza rapoarte!");
        QTest::keyClick(&window, key);
    }
    EXPECT_TRUE(m_prompter.AllShown());

    OnNextModal([this](QWidget* dialog) {
        EXPECT_EQ("Pasul 1: Luna pentru care se lucreaza", dialog->windowTitle());
        EXPECT_EQ("", FieldText(dialog, "month"));
        Type(dialog, "month", "13");
        Type(dialog, "year", "2009");
        m_prompter.ExpectMessage("Luna introdusa este incorecta!");
        QTest::keyClick(dialog, Qt::Key_F2);
        ASSERT_TRUE(dialog->isVisible());
        EXPECT_EQ(Find<QLineEdit>(dialog, "month"), dialog->focusWidget());
        QTest::keyClicks(Find<QLineEdit>(dialog, "month"), "2");  // the text was selected
        QTest::keyClick(dialog, Qt::Key_F2);
    });
    QTest::keyClick(&window, Qt::Key_F2);
    EXPECT_EQ("200902", window.WorkingMonth());
    EXPECT_EQ("Luna pentru care se lucreaza: Februarie 2009", TextOf(&window, "monthLine"));

    // Opened again with the month; Escape keeps it.
    OnNextModal([](QWidget* dialog) {
        EXPECT_EQ("02", FieldText(dialog, "month"));
        EXPECT_EQ("2009", FieldText(dialog, "year"));
        Type(dialog, "month", "5");
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QTest::keyClick(&window, Qt::Key_F2);
    EXPECT_EQ("200902", window.WorkingMonth());

    OnNextModal([](QWidget* step) {
        EXPECT_EQ("Pasul 2: Introducere / actualizare a obligatiilor", step->windowTitle());
        EXPECT_EQ("Luna curenta: Februarie 2009", TextOf(step, "monthLine"));
        QTest::keyClick(step, Qt::Key_Escape);
    });
    QTest::keyClick(&window, Qt::Key_F3);
    OnNextModal([](QWidget* step) {
        EXPECT_EQ("Pasul 3: Sumele datorate de catre angajator", step->windowTitle());
        QTest::keyClick(step, Qt::Key_Escape);
    });
    QTest::keyClick(&window, Qt::Key_F4);
    OnNextModal([](QWidget* step) {
        EXPECT_EQ("Pasul 4: Generare de rapoarte", step->windowTitle());
        QTest::keyClick(step, Qt::Key_Escape);
    });
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(nullptr, QApplication::activeModalWidget());
}

TEST_F(SumsWindowsTest, TheEmployeesFollowTheSelectedCompanyWithCountAndTotals) {
    auto window = OpenStep2();
    QLabel* caption = Find<QLabel>(window.get(), "employeesCaption");
    EXPECT_EQ("Angajati existenti:", caption->text());
    EXPECT_EQ(";;;", Totals(window.get()));
    for (const char* text :
         {"Datorat de catre angajator (5.2%):", "Datorat de catre salariati (5.5%):"}) {
        bool found = false;
        for (QLabel* label : window->findChildren<QLabel*>()) found |= label->text() == text;
        EXPECT_TRUE(found) << text;
    }
    EXPECT_EQ(QColor(0, 127, 0),
              Find<QLabel>(window.get(), "hiredLegend")->palette().color(QPalette::WindowText));
    m_prompter.ExpectMessage("Trebuie sa selectezi un angajat pentru a-i modifica sumele!");
    QTest::keyClick(window.get(), Qt::Key_F6);
    m_prompter.ExpectMessage("Trebuie sa selectezi o societate pentru a prelua sumele!");
    QTest::keyClick(window.get(), Qt::Key_F8);

    DataListView* companies = Companies(window.get());
    EXPECT_EQ(350, companies->List().ColumnWidth(companies->ColumnIndex("DENUMIRE")));
    ClickRow(companies, RowOf(companies, "DENUMIRE", "ALFA SRL"));
    EXPECT_EQ("Angajati existenti: 3", caption->text());
    EXPECT_EQ("1234.50;64;60;50", Totals(window.get()));
    ClickRow(companies, RowOf(companies, "DENUMIRE", "BETA SRL"));
    EXPECT_EQ("Angajati existenti: 0", caption->text());
    EXPECT_EQ("0.00;0;0;0", Totals(window.get()));
    QTest::mouseClick(companies->viewport(), Qt::LeftButton, {},
                      QPoint(30, companies->viewport()->height() - 2));  // below the rows
    EXPECT_EQ("Angajati existenti:", caption->text());
    EXPECT_EQ(";;;", Totals(window.get()));
}

// On a 1024x768 screen step 2 shows every column of the employees, LA_LUNA
// last, without scrolling across: its buttons do not take the list's width.
TEST_F(SumsWindowsTest, OnASmallScreenStepTwoShowsEveryColumnOfTheEmployees) {
    auto window = OpenStep2();
    EXPECT_TRUE(FitsSmallScreen(window.get()));
    ClickRow(Companies(window.get()), RowOf(Companies(window.get()), "DENUMIRE", "ALFA SRL"));
    DataListView* employees = Employees(window.get());
    ASSERT_EQ(3, employees->RowCount());
    employees->grab();  // the list lays itself out at its first paint
    QApplication::processEvents();
    auto* header = employees->findChild<QHeaderView*>();
    std::string last;
    for (int c = 0; c < employees->List().ColumnCount(); ++c) {
        if (header->isSectionHidden(c)) continue;
        last = employees->List().ColumnTitle(c);
        EXPECT_LE(header->sectionViewportPosition(c) + header->sectionSize(c),
                  employees->viewport()->width())
            << last;
    }
    EXPECT_EQ("LA_LUNA", last);
    EXPECT_EQ(0, employees->horizontalScrollBar()->maximum());
    EXPECT_TRUE(Find<QPushButton>(window.get(), "modifySumsButton")->isVisible());
}

TEST_F(SumsWindowsTest, TheSumsFormRecomputesOnlyWhenTheSalaryIsEdited) {
    auto window = OpenStep2();
    ClickRow(Companies(window.get()), RowOf(Companies(window.get()), "DENUMIRE", "ALFA SRL"));
    DataListView* employees = Employees(window.get());
    const int albu = RowOf(employees, "NUME", "ALBU");

    // Opened and saved as it is: the stored sums stay, even off the rate.
    OnNextModal([](QWidget* form) {
        EXPECT_EQ("Modifica sumele", form->windowTitle());
        EXPECT_EQ("ALFA SRL", TextOf(form, "currentCompany"));
        EXPECT_EQ("Luna curenta: Februarie 2009", TextOf(form, "monthLine"));
        EXPECT_EQ("lei (5.5%)", TextOf(form, "rateLabel"));
        EXPECT_EQ("1,234.50", FieldText(form, "salariu"));
        EXPECT_EQ("60", FieldText(form, "asig_datorat"));
        EXPECT_EQ("50", FieldText(form, "asig_virat"));
        EXPECT_EQ("ALBU", FieldText(form, "nume"));
        EXPECT_EQ("1800101221144", FieldText(form, "cnp"));
        EXPECT_FALSE(Find<QComboBox>(form, "cas")->isEnabled());
        EXPECT_EQ(InsuranceHousePosition("CAS_B"), Find<QComboBox>(form, "cas")->currentIndex());
        EXPECT_EQ("0000", Find<DateTriple>(form, "iesire")->Compact());
        QTest::keyClick(form, Qt::Key_F6);
    });
    ClickRow(employees, albu, true);
    EXPECT_EQ("1234.5|60|50", Stored("ALBU"));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.sume WHERE luna=200902"));

    // A new salary owes at the employee rate; the paid sum is then corrected by hand.
    OnNextModal([](QWidget* form) {
        TypeAmount(form, "salariu", "5200,5");  // the decimal comma, not a tenfold salary
        EXPECT_EQ("5,200.50", FieldText(form, "salariu"));
        EXPECT_EQ("286", FieldText(form, "asig_datorat"));
        TypeAmount(form, "salariu", "1234");
        EXPECT_EQ("1,234.00", FieldText(form, "salariu"));
        EXPECT_EQ("68", FieldText(form, "asig_datorat"));
        EXPECT_EQ("68", FieldText(form, "asig_virat"));
        Find<QLineEdit>(form, "asig_virat")->clear();
        Type(form, "asig_virat", "6x0");
        QTest::keyClick(form, Qt::Key_F6);
    });
    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_EQ("1234|68|60", Stored("ALBU"));
    EXPECT_EQ("1234.00", employees->CellText(albu, "SALARIU"));
    EXPECT_EQ("1234.00;64;68;60", Totals(window.get()));

    // A person without February's sums: saving twice inserts once, then updates.
    const int dobre = RowOf(employees, "NUME", "DOBRE");
    for (const char* salary : {"1000", "2000"}) {
        OnNextModal([salary](QWidget* form) {
            EXPECT_EQ("20090201", Find<DateTriple>(form, "iesire")->Compact());
            TypeAmount(form, "salariu", salary);
            QTest::keyClick(form, Qt::Key_F6);
        });
        ClickRow(employees, dobre, true);
    }
    EXPECT_EQ("2000|110|110", Stored("DOBRE"));
    EXPECT_EQ("200902", employees->CellText(dobre, "LA_LUNA"));
    EXPECT_EQ("3234.00;168;178;170", Totals(window.get()));

    // Escape writes nothing.
    OnNextModal([](QWidget* form) {
        TypeAmount(form, "salariu", "5");
        QTest::keyClick(form, Qt::Key_Escape);
    });
    ClickRow(employees, dobre, true);
    EXPECT_EQ("2000|110|110", Stored("DOBRE"));
}

TEST_F(SumsWindowsTest, F8CarriesTheEarlierMonthIntoTheListAndTheTotals) {
    auto window = OpenStep2();
    ClickRow(Companies(window.get()), RowOf(Companies(window.get()), "DENUMIRE", "ALFA SRL"));
    m_prompter.ExpectQuestion(
        "ATENTIE:\nLa toti salariatii care nu au inca sume introduse, se vor completa automat "
        "sumele "
        "din ultima luna anterioara.\nCotele de contributie vor fi actualizate automat.\n\nVrei sa "
        "continui?",
        true);
    m_prompter.ExpectMessage(
        "1 angajat nu avea sume in nicio luna anterioara si a primit sume 0 in luna Februarie "
        "2009:\n\nDOBRE RADU\n\nIntrodu-i sumele cu <[F6]   Modifica sumele angajatului "
        "selectat>.",
        MessageKind::Information);
    QTest::keyClick(window.get(), Qt::Key_F8);
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_EQ("1234.5|60|50", Stored("ALBU"));
    EXPECT_EQ("2000|110|110", Stored("BARBU"));
    EXPECT_EQ("0|0|0", Stored("DOBRE"));
    EXPECT_EQ("3234.50;168;170;160", Totals(window.get()));
    DataListView* employees = Employees(window.get());
    EXPECT_EQ("200902", employees->CellText(RowOf(employees, "NUME", "BARBU"), "LA_LUNA"));
}

TEST_F(SumsWindowsTest, TheEmployerFormOwesAtTheEmployerRateAndSavesIntoTheRow) {
    RunSql(
        "INSERT INTO asigurati.sume_societati (cf, luna, fond_de_salarii, datorat, virat) "
        "VALUES (12345674, 200902, 10000.5, 500, 400)");
    EmployerSumsWindow window(*m_client, "200902");
    window.show();
    QApplication::processEvents();
    DataListView* companies = Companies(&window);
    m_prompter.ExpectMessage("Trebuie sa selectezi o societate pentru a-i modifica sumele!");
    QTest::keyClick(&window, Qt::Key_F4);

    const int alfa = RowOf(companies, "DENUMIRE", "ALFA SRL");
    OnNextModal([](QWidget* form) {
        EXPECT_EQ("Sume datorate de catre angajator", form->windowTitle());
        EXPECT_EQ("5.2%", TextOf(form, "rateLabel"));
        EXPECT_EQ("10,000.50", FieldText(form, "fond_de_salarii"));
        EXPECT_EQ("500", FieldText(form, "datorat"));
        EXPECT_EQ("400", FieldText(form, "virat"));
        QTest::keyClick(form, Qt::Key_F4);
    });
    ClickRow(companies, alfa, true);
    EXPECT_EQ("10000.5|500|400",
              SqlScalar("SELECT CONCAT_WS('|', fond_de_salarii, datorat, virat) FROM "
                        "asigurati.sume_societati WHERE cf=12345674"));

    const int beta = RowOf(companies, "DENUMIRE", "BETA SRL");
    ClickRow(companies, beta);
    OnNextModal([](QWidget* form) {
        EXPECT_EQ("BETA SRL", TextOf(form, "currentCompany"));
        EXPECT_EQ("0.00", FieldText(form, "fond_de_salarii"));
        TypeAmount(form, "fond_de_salarii", "10000");
        EXPECT_EQ("520", FieldText(form, "datorat"));
        EXPECT_EQ("520", FieldText(form, "virat"));
        Find<QLineEdit>(form, "virat")->clear();  // nothing paid yet: stored as 0
        QTest::keyClick(form, Qt::Key_F4);
    });
    QTest::keyClick(&window, Qt::Key_F4);
    EXPECT_EQ("10000|520|0", SqlScalar("SELECT CONCAT_WS('|', fond_de_salarii, datorat, virat) "
                                       "FROM asigurati.sume_societati WHERE cf=23456783"));
    EXPECT_EQ("10000.00", companies->CellText(beta, "FOND DE SALARII"));
    EXPECT_EQ("0", companies->CellText(beta, "VIRAT"));
    EXPECT_EQ(SqlScalar("SELECT `index` FROM asigurati.sume_societati WHERE cf=23456783"),
              companies->CellText(beta, "ID_SUMA"));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.sume_societati"));
}

TEST_F(SumsWindowsTest, WithoutEmployerSumsTheFormProposesStepTwosFundAndStoresItOnlyOnSave) {
    EmployerSumsWindow window(*m_client, "200902");
    window.show();
    QApplication::processEvents();
    DataListView* companies = Companies(&window);
    const int alfa = RowOf(companies, "DENUMIRE", "ALFA SRL");
    // ALBU's 1234.50 is ALFA's February fund; 5.2% of it is 64.19.
    const auto proposed = [](QWidget* form) {
        EXPECT_EQ("1,234.50", FieldText(form, "fond_de_salarii"));
        EXPECT_EQ("64", FieldText(form, "datorat"));
        EXPECT_EQ("64", FieldText(form, "virat"));
    };
    OnNextModal([&](QWidget* form) {
        proposed(form);
        QTest::keyClick(form, Qt::Key_Escape);
    });
    ClickRow(companies, alfa, true);
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.sume_societati"));
    EXPECT_EQ("", companies->CellText(alfa, "FOND DE SALARII"));

    OnNextModal([&](QWidget* form) {
        proposed(form);
        QTest::keyClick(form, Qt::Key_F4);
    });
    QTest::keyClick(&window, Qt::Key_F4);
    EXPECT_EQ("1234.5|64|64", SqlScalar("SELECT CONCAT_WS('|', fond_de_salarii, datorat, virat) "
                                        "FROM asigurati.sume_societati WHERE cf=12345674"));
    EXPECT_EQ("1234.50", companies->CellText(alfa, "FOND DE SALARII"));
}

}  // namespace

int main(int argc, char** argv) {
    const SmallScreen screen;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
