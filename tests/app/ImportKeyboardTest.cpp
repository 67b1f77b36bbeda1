// The import as an accountant works it from the keyboard alone: from the main
// window to a payroll file saved into the database.
#include <gtest/gtest.h>

#include "../import/ImportTestFiles.h"
#include "KeyboardTest.h"

namespace {

using namespace import_test;
using ImportKeyboardTest = KeyboardTest;

// From the main window to the payroll import with its file open.
KeyboardUser& OpenThePayrollFile(KeyboardUser& user) {
    return user
        .In("mainWindow", "open the import panel",
            [](KeyboardUser& u) {
                u.TabToButton("Import de date din sursa externa");
                u.Press(Qt::Key_Return);
            })
        .In("importPanel", "the payroll import",
            [](KeyboardUser& u) {
                u.TabToButton("Importa date din sursa externa");
                u.Press(Qt::Key_Return);
            })
        .In("employeeImportDialog", "open the file", [](KeyboardUser& u) {
            u.TabToButton("Deschide fisier");
            u.Press(Qt::Key_Return);
        });
}

TEST_F(ImportKeyboardTest, APayrollFileOpenedCompletedAndSaved) {
    WriteTable(m_folder.File("pay.dbf"), kEmployeeFields,
               {Employee(kCnpA, "POPA", "200907"), Employee(kCnpB, "ALBU", "200907")});
    OpenMainWindow();
    m_prompter.ExpectFileChoice(m_folder.File("pay.dbf"));
    m_prompter.ExpectMessage(SavedMessage(2));

    KeyboardUser user;
    OpenThePayrollFile(user)
        .In("employeeImportDialog", "complete the company and save",
            [](KeyboardUser& u) {
                // The company the file belongs to is what is left to do.
                u.ExpectFocus("denumire");
                u.Type("gama srl");
                u.Fill("ziua_lic", "15", Qt::Key_Return);
                u.Press(Qt::Key_Return);
                u.Press(Qt::Key_Right);  // "a lunii urmatoare"
                u.TabToButton("Salveaza in baza de date");
                u.Press(Qt::Key_Return);
            })
        .In("employeeImportDialog", "close the import",
            [](KeyboardUser& u) {
                // The rows with their verdicts are what the last message is about.
                u.ExpectFocus("list");
                u.Press(Qt::Key_Escape);
            })
        .In("importPanel", "the panel has the keyboard again",
            [](KeyboardUser& u) { u.ExpectFocus("importWindow"); });
    ASSERT_TRUE(user.Run());

    EXPECT_EQ("GAMA SRL|15|1", SqlScalar("SELECT CONCAT_WS('|', denumire, ziua_lic, luna_lic) "
                                         "FROM asigurati.societati"));
    EXPECT_EQ("ALBU,POPA", SqlScalar("SELECT GROUP_CONCAT(nume ORDER BY nume) FROM "
                                     "asigurati.asigurati WHERE cf=" +
                                     std::string(kCompany)));
}

// The company name left out: the message says so, and once it is read the
// caret is in the name, where the user types it and saves again.
TEST_F(ImportKeyboardTest, AfterTheMessageTheRefusedNameIsTypedWhereTheCaretIs) {
    WriteTable(m_folder.File("pay.dbf"), kEmployeeFields, {Employee(kCnpA, "POPA", "200907")});
    BoxesAndScriptedFiles prompter(m_prompter);
    OpenMainWindow(prompter);
    m_prompter.ExpectFileChoice(m_folder.File("pay.dbf"));

    KeyboardUser user;
    OpenThePayrollFile(user)
        .In("employeeImportDialog", "save without a name",
            [](KeyboardUser& u) {
                u.Fill("ziua_lic", "15", Qt::Key_Return);
                u.TabToButton("Salveaza in baza de date");
                u.Press(Qt::Key_Return);
            })
        .In("QMessageBox", "the refusal",
            ReadAndClose("Trebuie sa introduci denumirea societatii!"))
        .In("employeeImportDialog", "the name, and save again",
            [](KeyboardUser& u) {
                u.ExpectFocus("denumire");
                u.Type("gama srl");
                u.TabToButton("Salveaza in baza de date");
                u.Press(Qt::Key_Return);
            })
        .In("QMessageBox", "the saved rows", ReadAndClose(SavedMessage(1)))
        .In("employeeImportDialog", "close the import", [](KeyboardUser& u) {
            u.ExpectFocus("list");
            u.Press(Qt::Key_Escape);
        });
    ASSERT_TRUE(user.Run());
    EXPECT_EQ("GAMA SRL|15", SqlScalar("SELECT CONCAT_WS('|', denumire, ziua_lic) FROM "
                                       "asigurati.societati"));
}

}  // namespace
