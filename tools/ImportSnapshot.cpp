// Pictures of the import panel and of the payroll import before and after its
// save, on a running server whose data may be replaced:
//   import_snapshot INSTALLATION_FOLDER OUT_FOLDER
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "db/InstallationPaths.h"
#include "dbf/DbfTableSpec.h"
#include "dbf/DbfWriter.h"
#include "text/TextCodec.h"
#include "ui/DataListView.h"
#include "ui/import/ImportDialog.h"
#include "ui/import/ImportWindow.h"

namespace {

// Hands over the file to open and prints the messages instead of boxes.
struct SnapshotPrompter : public Prompter {
    explicit SnapshotPrompter(std::string file) : m_file(std::move(file)) {}
    void ShowMessage(const std::string& text, MessageKind kind) override {
        std::cerr << text << "\n";
        m_last = text;
        m_lastKind = kind;
    }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return m_file; }

    std::string m_last;
    MessageKind m_lastKind = MessageKind::Warning;
    std::string m_file;
};

// The last message as its box shows it.
void SaveMessageBox(const SnapshotPrompter& prompter, const QString& path) {
    QMessageBox box(prompter.m_lastKind == MessageKind::Information ? QMessageBox::Information
                                                                    : QMessageBox::Warning,
                    "Orvik client", ToQt(prompter.m_last), QMessageBox::Ok);
    box.show();
    QApplication::processEvents();
    box.grab().save(path);
}

// An annex 1A of July 2009 with two employees.
void WriteAnnex1A(const std::string& path) {
    const char* names[] = {"AN",  "LN",   "CF",      "CNPA", "RJ",  "RN", "RA",
                           "CNP", "NUME", "PRENUME", "CAT",  "ANG", "PL", "SDT",
                           "SDL", "SVT",  "SVL",     "NREP", "PREP"};
    DataList list;
    DbfTableSpec spec;
    for (const char* name : names) {
        list.AppendColumn(name, "C", 100);
        AddDbfField(spec, name, "C", 20, 0);
    }
    const std::vector<std::vector<std::string>> rows = {
        {"2009", "7", "12345674", "", "J40", "1234", "2003", "1800101221144", "POPESCU", "ION", "S",
         "20080101", "", "3000", "150", "150", "150", "POPA", "DAN"},
        {"2009", "7", "12345674", "", "J40", "1234", "2003", "2850505123459", "IONESCU", "MARIA",
         "CM", "20080101", "", "2000", "100", "100", "100", "POPA", "DAN"}};
    for (const auto& row : rows)
        list.AddRowCells(std::vector<std::string_view>(row.begin(), row.end()));
    WriteDbfFile(path, &list, &spec);
}

void WritePayroll(const std::string& path) {
    const char* names[] = {"CF",      "CAS",     "CNP",     "NUME",    "PRENUME",
                           "INTRARE", "FORMA",   "SALARIU", "ASG_DAT", "ASG_VIR",
                           "ANG_DAT", "ANG_VIR", "LA_LUNA"};
    const int lengths[] = {13, 5, 13, 30, 30, 8, 3, 12, 10, 10, 10, 10, 6};
    DataList list;
    DbfTableSpec spec;
    for (int i = 0; i < 13; ++i) {
        const bool amount = i >= 7 && i <= 11;
        list.AppendColumn(names[i], amount ? "N" : "C", 100);
        AddDbfField(spec, names[i], amount ? "N" : "C", lengths[i], amount ? 2 : 0);
    }
    const std::vector<std::vector<std::string>> rows = {
        {"12345674", "CASAB", "1800101221144", "POPESCU", "ION", "20090301", "S", "2500.5",
         "137.53", "137.53", "130.03", "130.03", "200907"},
        {"12345674", "CASXX", "2850505123459", "IONESCU", "MARIA", "20080115", "CM", "1800", "99",
         "99", "93.6", "93.6", "200907"},
        {"12345674", "CAS_B", "1750101000004", "VASILE", "DAN", "20090231", "S", "900", "49.5",
         "49.5", "46.8", "46.8", "200907"},
        {"12345674", "CASCJ", "1800101000005", "GEORGESCU", "ANA", "20070101", "s", "3000", "165",
         "165", "156", "156", "200907"},
        {"12345674", "CASB", "1750101000004", "VASILE", "DAN", "20090201", "S", "900", "49.5",
         "49.5", "46.8", "46.8", ""},
        {"12345674", "CASAB", "1800101000026", "\xC8\x98TEF\xC4\x82NESCU", "\xC8\x9AICU",
         "20090301", "S", "2100", "115.5", "115.5", "109.2", "109.2", "200907"},
        {"12345674", "CASAB", "2850505000032", "\xD0\x96UKOV", "IVAN", "20090301", "S", "2100",
         "115.5", "115.5", "109.2", "109.2", "200907"},
    };
    for (const auto& row : rows)
        list.AddRowCells(std::vector<std::string_view>(row.begin(), row.end()));
    WriteDbfFile(path, &list, &spec);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) return 2;
    const QString out = argv[2];
    const std::string file =
        (std::filesystem::temp_directory_path() / "orvik-snapshot.dbf").string();
    WritePayroll(file);
    SnapshotPrompter prompter(file);
    CClient client(prompter, InstallationLogin(argv[1]).value_or(ServerLogin{}));
    if (!client.Connect("127.0.0.1")) return 1;
    for (const char* table : {"societati", "asigurati", "sume"})
        (void)client.Query(std::string("DELETE FROM asigurati.") + table, false);

    ImportWindow panel(client, prompter);
    panel.resize(300, 340);
    panel.show();
    app.processEvents();
    panel.grab().save(out + "/import_panel.png");

    ImportFile payroll(ImportKind::Employees);
    ImportDialog dialog(client, payroll);
    dialog.resize(900, 600);
    dialog.show();
    dialog.OpenFile();
    QTest::keyClicks(dialog.findChild<QLineEdit*>("denumire"), "alfa construct srl");
    QTest::keyClicks(dialog.findChild<QLineEdit*>("ziua_lic"), "10");
    // The list lays itself out at its first paint; the scroll bars follow.
    dialog.grab();
    app.processEvents();
    dialog.grab().save(out + "/import_opened.png");
    dialog.Save();
    app.processEvents();
    dialog.grab().save(out + "/import_saved.png");
    SaveMessageBox(prompter, out + "/import_message.png");
    // F3 twice: the second marked row is selected and its reason shown.
    QTest::keyClick(dialog.List(), Qt::Key_F3);
    QTest::keyClick(dialog.List(), Qt::Key_F3);
    app.processEvents();
    dialog.grab().save(out + "/import_f3.png");
    // The verdicts stand in the last column.
    QScrollBar* across = dialog.List()->horizontalScrollBar();
    across->setValue(across->maximum());
    app.processEvents();
    dialog.grab().save(out + "/import_verdicts.png");
    std::remove(file.c_str());

    // The same annex 1A twice: the second save refuses every row and says so.
    const std::string annex =
        (std::filesystem::temp_directory_path() / "orvik-snapshot-1a.dbf").string();
    WriteAnnex1A(annex);
    prompter.m_file = annex;
    ImportFile annexFile(ImportKind::EarlierReport);
    ImportDialog annexDialog(client, annexFile);
    annexDialog.resize(900, 600);
    annexDialog.show();
    annexDialog.OpenFile();
    annexDialog.Save();
    annexDialog.Save();
    app.processEvents();
    annexDialog.grab().save(out + "/import_again.png");
    SaveMessageBox(prompter, out + "/import_again_message.png");
    std::remove(annex.c_str());
    return 0;
}
