// The health module as an accountant works it from the keyboard alone, from
// the main window to the files of the month: every key reaches the program as
// the window system delivers it, nothing is clicked.
#include <gtest/gtest.h>

#include <filesystem>

#include "KeyboardTest.h"

namespace {

namespace fs = std::filesystem;

using HealthKeyboardTest = KeyboardTest;

// Shown at the start, the main window asks the window system for the
// keyboard (the offscreen platform gives it anyway; a desktop would not).
TEST_F(HealthKeyboardTest, TheMainWindowHasTheKeyboardFromTheStart) {
    MainWindow window(m_prompter, {.login = TestServerLogin(), .connectAtStart = false});
    window.show();
    ASSERT_NE(nullptr, window.windowHandle());
    EXPECT_FALSE(window.windowHandle()->property("_q_showWithoutActivating").toBool());
}

TEST_F(HealthKeyboardTest, ACompanyAnEmployeeHisSumsAndTheFilesOfTheMonth) {
    // Messages come in the program's own boxes, read and closed by the keyboard.
    BoxesAndScriptedFiles prompter(m_prompter);
    OpenMainWindow(prompter);
    const std::string folder = m_folder.Path().string();
    m_prompter.ExpectFolderChoice(folder);

    KeyboardUser user;
    user.In("mainWindow", "open the health panel",
            [](KeyboardUser& u) {
                u.TabToButton("Sanatate");
                u.Press(Qt::Key_Return);
            })
        .In("healthPanel", "an employee before any company",
            [](KeyboardUser& u) {
                u.ExpectFocus("companyList");
                u.Press(Qt::Key_F5);
            })
        .In("QMessageBox", "the refusal",
            ReadAndClose("Trebuie sa selectezi o societate pentru a adauga un asigurat!"))
        .In("healthPanel", "add a company",
            [](KeyboardUser& u) {
                u.ExpectFocus("companyList");
                u.TabToButton("Adauga societate");
                u.Press(Qt::Key_Return);
            })
        .In("companyDialog", "type the company and save it",
            [](KeyboardUser& u) {
                u.ExpectFocus("denumire");
                u.Type("alfa srl");
                u.Fill("cf", "12345674", Qt::Key_Return);
                u.Fill("ziua_lic", "10", Qt::Key_Return);
                u.Fill("sect", "2", Qt::Key_Return);
                u.Press(Qt::Key_F5);
            })
        .In("healthPanel", "add an employee", [](KeyboardUser& u) { u.Press(Qt::Key_F5); })
        .In("insuredDialog", "type the employee and save him",
            [](KeyboardUser& u) {
                u.ExpectFocus("nume");
                u.Type("popescu");
                u.Fill("prenume", "ion", Qt::Key_Return);
                u.Fill("cnp", "1800101221144", Qt::Key_Return);
                u.Fill("intrare", "01012009", Qt::Key_Return);
                u.Press(Qt::Key_F5);
            })
        .In("healthPanel", "open the monthly reports",
            [](KeyboardUser& u) {
                u.TabToButton("Generare de rapoarte");
                u.Press(Qt::Key_Return);
            })
        .In("reportWindow", "step 1", [](KeyboardUser& u) { u.Press(Qt::Key_F2); })
        .In("monthDialog", "the working month",
            [](KeyboardUser& u) {
                u.ExpectFocus("month");
                u.Type("022009");  // from the month to the year as in a date
                u.Press(Qt::Key_F2);
            })
        .In("reportWindow", "step 2", [](KeyboardUser& u) { u.Press(Qt::Key_F3); })
        .In("employeeSumsWindow", "the employee of the company",
            [](KeyboardUser& u) {
                u.ExpectFocus("companyList");
                u.Press(Qt::Key_Down);
                u.MoveTo("employeeList");
                u.Press(Qt::Key_Down);
                u.Press(Qt::Key_F6);
            })
        .In("sumsDialog", "his salary",
            [](KeyboardUser& u) {
                u.ExpectFocus("salariu");
                u.Type("3000");
                u.Press(Qt::Key_F6);
            })
        .In("employeeSumsWindow", "back from step 2",
            [](KeyboardUser& u) { u.Press(Qt::Key_Escape); })
        .In("reportWindow", "step 3", [](KeyboardUser& u) { u.Press(Qt::Key_F4); })
        .In("employerSumsWindow", "the company's sums",
            [](KeyboardUser& u) {
                u.ExpectFocus("companyList");
                u.Press(Qt::Key_Down);
                u.Press(Qt::Key_F4);
            })
        .In("employerSumsDialog", "as proposed from step 2",
            [](KeyboardUser& u) { u.Press(Qt::Key_F4); })
        .In("employerSumsWindow", "back from step 3",
            [](KeyboardUser& u) { u.Press(Qt::Key_Escape); })
        .In("reportWindow", "step 4", [](KeyboardUser& u) { u.Press(Qt::Key_F5); })
        .In("annexFilesWindow", "company, house and folder",
            [](KeyboardUser& u) {
                u.ExpectFocus("companyList");
                u.Press(Qt::Key_Down);
                u.MoveTo("houseList");
                u.Press(Qt::Key_Down);
                u.MoveTo("removableRadio");
                u.Press(Qt::Key_Down);  // "intr-un alt folder"
                u.ExpectFocus("folderRadio");
                u.TabToButton("Salveaza fisiere de raportare");
                u.Press(Qt::Key_Return);
            })
        .In("fileNamingDialog", "the names by house",
            [](KeyboardUser& u) { u.Press(Qt::Key_Return); })
        .In("QMessageBox", "the files written",
            ReadAndClose("Fisierele de raportare au fost salvate in folderul:\n" + folder +
                         "\n\nCAS_B_12345674_200902_anexa1A.dbf\n"
                         "CAS_B_12345674_200902_anexa1B.dbf\n"
                         "CAS_B_12345674_200902_anexa1C.dbf"))
        .In("annexFilesWindow", "back from step 4",
            [](KeyboardUser& u) { u.Press(Qt::Key_Escape); })
        .In("reportWindow", "back to the panel", [](KeyboardUser& u) { u.Press(Qt::Key_Escape); })
        .In("healthPanel", "the panel has the keyboard again",
            [](KeyboardUser& u) { u.ExpectFocus("healthWindow"); });
    ASSERT_TRUE(user.Run());

    EXPECT_EQ("ALFA SRL|10|2", SqlScalar("SELECT CONCAT_WS('|', denumire, ziua_lic, sect) FROM "
                                         "asigurati.societati WHERE cf=12345674"));
    EXPECT_EQ("POPESCU|ION|20090101",
              SqlScalar("SELECT CONCAT_WS('|', nume, prenume, intrare) FROM asigurati.asigurati "
                        "WHERE cnp=1800101221144"));
    EXPECT_EQ("3000", SqlScalar("SELECT salariu FROM asigurati.sume WHERE luna=200902"));
    EXPECT_EQ("3000",
              SqlScalar("SELECT fond_de_salarii FROM asigurati.sume_societati WHERE luna=200902"));
    const std::string annexA = ReadBytes(m_folder.File("CAS_B_12345674_200902_anexa1A.dbf"));
    EXPECT_NE(std::string::npos, annexA.find("1800101221144"));
    EXPECT_NE(std::string::npos, annexA.find("POPESCU"));
    EXPECT_TRUE(fs::exists(m_folder.Path() / "CAS_B_12345674_200902_anexa1B.dbf"));
    EXPECT_TRUE(fs::exists(m_folder.Path() / "CAS_B_12345674_200902_anexa1C.dbf"));
}

}  // namespace
