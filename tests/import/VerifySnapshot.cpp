// Pictures of the verification window after a faulty annex A and an annex 2 with a dropped
// row, to look at them as a user would:  verify_snapshot OUT_FOLDER
// With a kind and a file (verify_snapshot OUT_FOLDER 1 A1_0310_12345690.dbf), that file
// verified instead, with its message box.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScrollBar>

#include <iostream>

#include "VerifyTestFiles.h"
#include "ui/DataListView.h"
#include "ui/import/VerifyFilesDialog.h"

using namespace verify_test;

namespace {

// Hands over the prepared file and prints the final message instead of a box.
class SnapshotPrompter : public Prompter {
public:
    std::string m_file;
    std::string m_shown;
    void ShowMessage(const std::string& text, MessageKind) override {
        std::cout << text << "\n";
        m_shown = text;
    }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return m_file; }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString out = argv[1];
    TempFolder folder;
    SnapshotPrompter prompter;
    VerifyFilesDialog dialog(prompter);
    dialog.show();
    if (argc >= 4) {
        const auto kind = VerifiedKindFromName(argv[2]);
        if (!kind) return 2;
        prompter.m_file = argv[3];
        dialog.Verify(*kind);
        app.processEvents();
        dialog.grab().save(out + "/verify_file.png");
        QMessageBox box(QMessageBox::Information, "Orvik Asigurati",
                        QString::fromLatin1(prompter.m_shown.c_str()), QMessageBox::Ok);
        box.show();
        app.processEvents();
        box.grab().save(out + "/verify_file_message.png");
        return 0;
    }

    std::vector<Record> records;
    for (const char* cnp : {kCnp1, kCnp2, "1800101221145", kCnp3, kCnp4})
        records.push_back(AnnexARecord(cnp));
    records[1][9] = "XY";
    records[3][11] = "20091301";
    records[4][1] = "2005";
    prompter.m_file = folder.File("1A_0709_12345674.dbf");
    WriteTable(prompter.m_file, SpecOfKind(VerifiedKind::AnnexA), records);
    dialog.Verify(VerifiedKind::AnnexA);
    app.processEvents();
    dialog.grab().save(out + "/verify_annex_a.png");
    // The reasons stand in the last column, at the right end of the list.
    dialog.List()->horizontalScrollBar()->setValue(dialog.List()->horizontalScrollBar()->maximum());
    app.processEvents();
    dialog.grab().save(out + "/verify_annex_a_errors.png");

    prompter.m_file = folder.File("A2_0310_12345674.dbf");
    WriteTable(prompter.m_file, SpecOfKind(VerifiedKind::Leave2),
               {Leave2Record(kCnp1, "3", "M", "1"), Leave2Record("", "0", "A"),
                Leave2Record("123", "4", "S"), Leave2Record(kCnp2, "5", "")});
    dialog.Verify(VerifiedKind::Leave2);
    app.processEvents();
    dialog.grab().save(out + "/verify_annex_2.png");
    return 0;
}
