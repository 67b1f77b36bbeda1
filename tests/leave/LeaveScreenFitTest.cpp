// The leave windows on a 1024x768 screen, offscreen at the default font: each
// fits the room a window has there, shows its fields and keys inside its own
// rectangle, never grows by itself, and the panel's lists take the room the
// user gives it.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "FormDriving.h"
#include "TestCompanies.h"
#include "TestServer.h"
#include "leave/DeclarationRegister.h"
#include "ui/CompanyList.h"
#include "ui/DataListView.h"
#include "ui/leave/CertificateDialog.h"
#include "ui/leave/DeclarationDialog.h"
#include "ui/leave/LeaveWindow.h"
#include "ui/leave/NomenclaturePickDialog.h"

namespace {

// What a window has of a 1024x768 screen once a taskbar and its own frame
// and title bar are taken.
constexpr QSize kRoom(1000, 700);
// Beside the main window, which keeps about 250 pixels at the left.
constexpr QSize kPanelRoom(770, 700);

// Whether `widget` lies whole inside `window`'s own rectangle.
bool Inside(QWidget* window, QWidget* widget) {
    const QRect placed(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return window->rect().contains(placed);
}

QLineEdit* DatePart(QWidget* form, const char* date, const char* part) {
    return Find<DateTriple>(form, date)->findChild<QLineEdit*>(part);
}

// The fields and keys the user must always reach in the certificate editor.
void ExpectKeyWidgetsInside(QWidget* dialog) {
    for (const char* date : {"data_acordarii", "data_inc", "data_sf"}) {
        for (const char* part : {"day", "month", "year"})
            EXPECT_TRUE(Inside(dialog, DatePart(dialog, date, part))) << date << "." << part;
    }
    for (const char* name :
         {"cnp", "cod_indemn", "indemnListButton", "percent", "cert_numar", "loc_pres", "me_nr",
          "zile_lucratoare", "sumaTotala", "baza_calc", "mzbci", "confirmButton", "cancelButton"})
        EXPECT_TRUE(Inside(dialog, Find<QWidget>(dialog, name))) << name;
    for (QWidget* shown : dialog->findChildren<QWidget*>()) {
        if (shown->isVisibleTo(dialog) && !shown->objectName().isEmpty()) {
            EXPECT_TRUE(Inside(dialog, shown)) << shown->objectName().toStdString();
        }
    }
}

// The widgets Tab stops at, in order; a date's parts named after the date.
std::string TabChain(QWidget* window, QWidget* start) {
    std::string chain;
    QWidget* widget = start;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->window() == window) {
            std::string name = widget->objectName().toStdString();
            if (qobject_cast<DateTriple*>(widget->parentWidget()))
                name = widget->parentWidget()->objectName().toStdString() + "." + name;
            chain += name + " ";
        }
        widget = widget->nextInFocusChain();
    } while (widget != start && chain.size() < 10000);
    return chain;
}

class LeaveScreenTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaAndBetaCompanies();
        RunSql(
            "INSERT INTO concedii.declaratii (`index`, cf, luna, rectificativa, rectif_nr, "
            "zile_lucratoare, nr_ang, contributii_datorate) VALUES (1, 12345674, 201003, 'NU', "
            "0, 23, 10, 553), (2, 12345674, 201003, 'DA', 1, 23, 10, 578)");
    }
    std::unique_ptr<CertificateDialog> OpenCertificate(long long declaration,
                                                       const std::string& company = "ALFA SRL") {
        auto loaded = DeclarationRegister(*m_client).Load(declaration);
        EXPECT_TRUE(loaded);
        m_entries.push_back(std::make_unique<CertificateEntry>(
            *m_client, CertificateContext{loaded.value_or(DeclarationRecord{}), company}));
        auto dialog = std::make_unique<CertificateDialog>(*m_entries.back(), 0);
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }
    static void TypeCode(QWidget* dialog, const char* code) {
        QLineEdit* field = Find<QLineEdit>(dialog, "cod_indemn");
        field->selectAll();
        Type(dialog, "cod_indemn", code);
        QApplication::processEvents();
    }
    static void AddCertificates(long long declaration, int count) {
        for (int i = 0; i < count; ++i)
            RunSql(
                "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, nume, prenume, cas, "
                "cod_indemn, suma_suportata_fnuass) VALUES (" +
                std::to_string(declaration) + ", 12345674, " + std::to_string(1800101221144LL + i) +
                ", 'POPESCU', 'ION', 'CAS_B', '1', 40)");
    }
    static int ShownRows(DataListView* list) {
        return list->viewport()->height() / list->RowHeight();
    }

    std::vector<std::unique_ptr<CertificateEntry>> m_entries;
};

// Every row the editor can bring in (the rectification's type and its take
// over button, the initial certificate of a continuation, the child's CNP, the
// reduced income) finds room in the size it opens at: the window stays as it
// is, inside the screen, with its dates, keys and buttons in view.
TEST_F(LeaveScreenTest, TheCertificateEditorFitsTheScreenWithEveryRowItCanShow) {
    auto dialog = OpenCertificate(2);
    const QSize opened = dialog->size();
    EXPECT_LE(opened.width(), kRoom.width());
    EXPECT_LE(opened.height(), kRoom.height());
    EXPECT_LE(dialog->minimumSize().width(), kRoom.width());
    EXPECT_LE(dialog->minimumSize().height(), kRoom.height());
    ExpectKeyWidgetsInside(dialog.get());

    Find<QComboBox>(dialog.get(), "tip_rectif")->setCurrentIndex(1);
    Find<QComboBox>(dialog.get(), "leaveKind")->setCurrentIndex(1);
    TypeCode(dialog.get(), "9");
    ASSERT_TRUE(Find<QWidget>(dialog.get(), "correctedButton")->isVisibleTo(dialog.get()));
    ASSERT_TRUE(Find<QWidget>(dialog.get(), "cert_init_serie")->isVisibleTo(dialog.get()));
    ASSERT_TRUE(Find<QWidget>(dialog.get(), "cnp_copil")->isVisibleTo(dialog.get()));
    EXPECT_EQ(opened, dialog->size());
    ExpectKeyWidgetsInside(dialog.get());

    TypeCode(dialog.get(), "10");
    ASSERT_TRUE(Find<QWidget>(dialog.get(), "venit_prin_reducere")->isVisibleTo(dialog.get()));
    EXPECT_EQ(opened, dialog->size());
    ExpectKeyWidgetsInside(dialog.get());

    // Narrowed as far as it goes, everything is still inside.
    dialog->resize(1, 1);
    QApplication::processEvents();
    EXPECT_LE(dialog->width(), kRoom.width());
    ExpectKeyWidgetsInside(dialog.get());
}

// A long description or a long company name never widens the editor: the
// field shows its start and the whole text as its tooltip.
TEST_F(LeaveScreenTest, TheCertificateEditorKeepsItsSizeForLongTexts) {
    std::string company;
    for (int i = 0; i < 10; ++i) company += "SOCIETATEA CU NUME LUNG ";
    auto dialog = OpenCertificate(1, company);
    const QSize opened = dialog->size();
    EXPECT_LE(opened.width(), kRoom.width());
    TypeCode(dialog.get(), "10");
    QLineEdit* description = Find<QLineEdit>(dialog.get(), "indemnDescription");
    EXPECT_EQ("Reducerea cu 1/4 a duratei normale de lucru", description->text());
    EXPECT_EQ(description->text(), description->toolTip());
    EXPECT_EQ(opened, dialog->size());
    ExpectKeyWidgetsInside(dialog.get());
}

// Tab goes through the editor as it always did: the person, the codes, the
// certificate, then the dates, the days, the calculation base and the keys.
TEST_F(LeaveScreenTest, TheRearrangedCertificateEditorKeepsItsTabOrder) {
    auto dialog = OpenCertificate(2);
    const std::string expected =
        "tip_rectif cnp prenume nume cas cod_indemn indemnListButton cnp_copil cod_urg "
        "urgListButton cod_contag contagListButton leaveKind cert_init_serie cert_init_numar "
        "cert_serie cert_numar correctedButton loc_pres me_nr data_acordarii.day "
        "data_acordarii.month data_acordarii.year data_inc.day data_inc.month data_inc.year "
        "data_sf.day data_sf.month data_sf.year zile_lucrate baza_calc zi_bz_calc "
        "venit_prin_reducere confirmButton cancelButton ";
    EXPECT_EQ(expected, TabChain(dialog.get(), Find<QWidget>(dialog.get(), "tip_rectif")));
}

// The panel opens at 800x600 and the user may make it smaller, to fit beside
// the main window, or taller: the certificates of the selected declaration
// get the room, and a selected declaration's summary never widens it.
TEST_F(LeaveScreenTest, TheLeavePanelsCertificatesTakeTheRoomTheUserGivesIt) {
    const long long declaration = 2;
    AddCertificates(declaration, 12);
    LeaveWindow window(*m_client);
    window.resize(800, 600);
    window.show();
    QApplication::processEvents();
    const QSize smallest = window.minimumSizeHint();
    EXPECT_LE(smallest.width(), kPanelRoom.width());
    EXPECT_LE(smallest.height(), kPanelRoom.height());
    EXPECT_EQ(QWIDGETSIZE_MAX, window.maximumWidth());
    EXPECT_EQ(QWIDGETSIZE_MAX, window.maximumHeight());

    window.Companies()->View()->SelectRow(0, true);
    QApplication::processEvents();
    window.Declarations()->SelectRow(1, true);
    QApplication::processEvents();
    DataListView* certificates = window.Certificates();
    ASSERT_EQ(12, certificates->RowCount());
    EXPECT_GE(ShownRows(certificates), 5);
    EXPECT_GE(ShownRows(window.Declarations()), 3);
    EXPECT_GE(ShownRows(window.Companies()->View()), 2);
    EXPECT_EQ(smallest.width(), window.minimumSizeHint().width());

    const int before = certificates->height();
    window.resize(800, 720);
    QApplication::processEvents();
    EXPECT_GE(certificates->height() - before, 60);
    EXPECT_GE(ShownRows(certificates), 10);

    window.resize(smallest);
    QApplication::processEvents();
    EXPECT_EQ(smallest, window.size());
    for (DataListView* list :
         {window.Companies()->View(), window.Declarations(), window.Certificates()})
        EXPECT_GE(ShownRows(list), 2) << list->objectName().toStdString();
    for (QWidget* button : window.findChildren<QPushButton*>())
        EXPECT_TRUE(Inside(&window, button)) << button->objectName().toStdString();
}

// The declaration editor and the pick lists fit the same room and keep their
// size while they are used; the pick list's list grows with its window.
TEST_F(LeaveScreenTest, TheDeclarationEditorAndThePickListsFitTheScreen) {
    DeclarationRegister declarations(*m_client);
    DeclarationDialog editor(declarations, "12345674", 0);
    editor.show();
    QApplication::processEvents();
    const QSize opened = editor.size();
    EXPECT_LE(opened.width(), kRoom.width());
    EXPECT_LE(opened.height(), kRoom.height());
    Type(&editor, "monthField", "03");
    Type(&editor, "yearField", "2006");
    QApplication::processEvents();
    EXPECT_EQ(opened, editor.size());

    NomenclaturePickDialog pick(*m_client, Nomenclature::Emergencies, "");
    pick.show();
    QApplication::processEvents();
    EXPECT_LE(pick.width(), kRoom.width());
    EXPECT_LE(pick.height(), kRoom.height());
    const int listHeight = pick.View()->height();
    pick.resize(pick.width(), pick.height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(listHeight + 100, pick.View()->height());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
