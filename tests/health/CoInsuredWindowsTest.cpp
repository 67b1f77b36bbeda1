// Dependants and form/house changes through the list window and the
// co-insured form, offscreen on the test server.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "FormDriving.h"
#include "TestCompanies.h"
#include "TestServer.h"
#include "ui/DataListView.h"
#include "ui/health/CoInsuredDialog.h"
#include "ui/health/InsuredListWindow.h"

namespace {

const char* const kPopescu = "1800101221144";
const char* const kSpouse = "2850101000010";

std::string Cells(DataListView* view, const char* column) {
    std::string cells;
    for (int row = 0; row < view->RowCount(); ++row) cells += view->CellText(row, column) + ";";
    return cells;
}

class CoInsuredWindowsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaCompany();
        RunSql(
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma)"
            " VALUES (12345674, 'CAS_B', 'POPESCU', 'ION', 1800101221144, 20090315, 0, 'S'),"
            " (12345674, 'CAS_B', 'POPA', 'DAN', 1850505123457, 20100101, 0, 'CM');"
            "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) VALUES "
            "(12345674, 1800101221144, 1500101000019, 'POPESCU', 'VASILE', 'P')");
    }
    std::unique_ptr<InsuredListWindow> Open() {
        auto window =
            std::make_unique<InsuredListWindow>(*m_client, CompanyRow{1, "12345674", "ALFA SRL"},
                                                InsuredFilter::All);
        window->show();
        Insured(window.get())->SelectRow(RowOfPopescu(window.get()), true);
        QApplication::processEvents();
        return window;
    }
    static DataListView* Insured(QWidget* w) { return Find<DataListView>(w, "insuredList"); }
    static DataListView* CoInsured(QWidget* w) { return Find<DataListView>(w, "coInsuredList"); }
    static int RowOfPopescu(QWidget* w) {
        DataListView* list = Insured(w);
        for (int row = 0; row < list->RowCount(); ++row)
            if (list->CellText(row, "CNP") == kPopescu && list->CellText(row, "IESIRE") == "0")
                return row;
        return -1;
    }
};

TEST_F(CoInsuredWindowsTest, TheThreeInsuredFieldsCompleteEachOther) {
    InsuredRegister insured(*m_client, "12345674");
    CoInsuredRegister coInsured(*m_client, "12345674");
    CoInsuredDialog dialog(coInsured, insured, "ALFA SRL", std::nullopt, CoInsuredRecord{},
                           CoInsuredEdit{});
    dialog.show();
    EXPECT_EQ("Adauga un coasigurat", dialog.windowTitle());
    Type(&dialog, "insuredNume", "popes");
    EXPECT_EQ("POPESCU", Find<QLineEdit>(&dialog, "insuredNume")->text());
    EXPECT_EQ("CU", Find<QLineEdit>(&dialog, "insuredNume")->selectedText());
    EXPECT_EQ(kPopescu, Find<QLineEdit>(&dialog, "cnp_asig")->text().toStdString());
    EXPECT_EQ("ION", Find<QLineEdit>(&dialog, "insuredPrenume")->text());
    EXPECT_EQ("S - salariat", Find<QLineEdit>(&dialog, "formaText")->text());
    // Typing in the CNP drops the person found by name and finds by CNP.
    auto* cnp = Find<QLineEdit>(&dialog, "cnp_asig");
    cnp->clear();
    Type(&dialog, "cnp_asig", "185");
    EXPECT_EQ("POPA", Find<QLineEdit>(&dialog, "insuredNume")->text());
    EXPECT_EQ("CM - concediu medical", Find<QLineEdit>(&dialog, "formaText")->text());

    Type(&dialog, "cnp", kSpouse);
    Type(&dialog, "nume", "popa");
    Type(&dialog, "prenume", "elena");
    QTest::keyClick(&dialog, Qt::Key_F5);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("1850505123457/POPA/ELENA/S",
              SqlScalar("SELECT CONCAT_WS('/', cnp_asig, nume, prenume, tip) FROM "
                        "asigurati.coasigurati WHERE cnp=" + std::string(kSpouse)));
}

TEST_F(CoInsuredWindowsTest, DependantsAreAddedChangedAndDeletedInTheLowerList) {
    auto window = Open();
    DataListView* lower = CoInsured(window.get());
    ASSERT_EQ("POPESCU;", Cells(lower, "NUME"));
    OnNextModal([](QWidget* form) {
        EXPECT_TRUE(Find<QLineEdit>(form, "cnp_asig")->isReadOnly());
        QApplication::processEvents();
        EXPECT_EQ(Find<QLineEdit>(form, "cnp"), QApplication::focusWidget());
        Type(form, "cnp", kSpouse);
        Type(form, "nume", "popescu");
        Type(form, "prenume", "ana");
        QTest::keyClick(form, Qt::Key_F5);
    });
    QTest::keyClick(window.get(), Qt::Key_F5, Qt::ControlModifier);
    ASSERT_EQ("POPESCU;POPESCU;", Cells(lower, "NUME"));
    EXPECT_EQ("VASILE;ANA;", Cells(lower, "PRENUME"));
    EXPECT_EQ(1, lower->NextSelectedRow(-1));

    OnNextModal([](QWidget* form) {
        EXPECT_EQ("Modifica un asigurat", form->windowTitle());
        EXPECT_EQ("ANA", Find<QLineEdit>(form, "prenume")->text());
        Find<QComboBox>(form, "tip")->setCurrentIndex(1);
        QTest::keyClick(form, Qt::Key_F6);
    });
    QTest::keyClick(window.get(), Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ("P;P;", Cells(lower, "TIP"));

    m_prompter.ExpectQuestion(
        "Esti sigur ca vrei sa stergi coasiguratul selectat?\n\nOperatia nu poate fi refacuta.",
        true);
    QTest::keyClick(window.get(), Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ("VASILE;", Cells(lower, "PRENUME"));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.coasigurati"));
}

TEST_F(CoInsuredWindowsTest, AFormChangeClosesTheRowInPlaceAndSelectsTheNewOne) {
    auto window = Open();
    DataListView* upper = Insured(window.get());
    const int old = RowOfPopescu(window.get());
    OnNextModal([](QWidget* form) {
        EXPECT_EQ("Modifica forma de angajare", form->windowTitle());
        TypeDate(form, "changeDate", "01", "04", "2009");
        QTest::keyClick(form, Qt::Key_F8);
    });
    QTest::keyClick(window.get(), Qt::Key_F8);
    EXPECT_EQ("20090331", upper->CellText(old, "IESIRE"));
    EXPECT_EQ((Colour{255, 0, 0}), upper->List().RowColoursAt(old).m_textColour);
    const int added = upper->RowCount() - 1;
    EXPECT_EQ(added, upper->NextSelectedRow(-1));
    EXPECT_EQ("20090401", upper->CellText(added, "INTRARE"));
    EXPECT_EQ("0", upper->CellText(added, "IESIRE"));
    EXPECT_EQ("CM", upper->CellText(added, "FORMA"));  // the first form after "S"
    // The dependants stay with the person, so the new row shows them.
    EXPECT_EQ("POPESCU;", Cells(CoInsured(window.get()), "NUME"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
