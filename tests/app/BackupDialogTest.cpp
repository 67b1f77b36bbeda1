// The copy window from the main window: its button and key, and a save that
// runs while the event loop keeps turning.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <thread>

#include "../backup/BackupInstallation.h"
#include "../backup/GzipText.h"
#include "ScriptedPrompter.h"
#include "app/BackupDialog.h"
#include "app/HeldMessages.h"
#include "app/MainWindow.h"
#include "backup/CopyLock.h"

namespace {

class RecordingPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind) override { shown.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        asked.push_back(text);
        return answer;
    }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
    std::vector<std::string> shown, asked;
    bool answer = false;
};

TEST(BackupDialog, F9OnTheMainWindowOpensItWithBothOperations) {
    ScriptedPrompter prompter;
    MainWindow window(prompter, MainWindow::Options{.connectAtStart = false});
    window.show();
    auto* button = window.findChild<QPushButton*>("backupButton");
    ASSERT_NE(nullptr, button);
    EXPECT_EQ("[F9] Copie de siguranta", button->text());
    ASSERT_EQ(nullptr, window.Backup());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F9);
    ASSERT_NE(nullptr, window.Backup());
    EXPECT_TRUE(window.Backup()->isVisible());
    EXPECT_EQ("Salveaza o copie",
              window.Backup()->findChild<QPushButton*>("saveCopyButton")->text());
    EXPECT_EQ("Restaureaza o copie",
              window.Backup()->findChild<QPushButton*>("restoreCopyButton")->text());
}

TEST(BackupDialog, SaveRunsBesideTheEventLoopAndEndsWithNameAndSize) {
    BackupInstallation installation;
    ASSERT_TRUE(installation.Ready());
    RecordingPrompter prompter;
    BackupDialog dialog(installation.Client(), prompter, installation.Server(), nullptr);
    dialog.show();
    const QString path = QString::fromStdString(installation.Folder() + "/din-fereastra.sql.gz");
    dialog.SaveTo(path);
    EXPECT_TRUE(dialog.Busy());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("saveCopyButton")->isEnabled());
    while (dialog.Busy()) QTest::qWait(20);
    ASSERT_EQ(1u, prompter.shown.size());
    EXPECT_EQ(0u, prompter.shown[0].find("Copia a fost salvata in fisierul:\n" +
                                         path.toStdString() + "\n\nMarime: "))
        << prompter.shown[0];
    EXPECT_TRUE(std::filesystem::exists(path.toStdString()));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("saveCopyButton")->isEnabled());
}

TEST(BackupDialog, RestoreRefusesAHostileCopyAndWaitsForAnotherOperationToEnd) {
    BackupInstallation installation;
    ASSERT_TRUE(installation.Ready());
    const std::string copy = installation.Folder() + "/buna.sql.gz";
    RecordingPrompter saving;
    ASSERT_TRUE(SaveCopy(installation.Server(), copy, std::time(nullptr), saving));
    const std::string pwned = installation.Folder() + "/pwned";
    std::string text = Gunzip(copy);
    text.insert(text.find('\n') + 1, "\\! touch " + pwned + "\n");
    const std::string hostile = installation.Folder() + "/rea.sql.gz";
    Gzip(hostile, text);

    RecordingPrompter prompter;
    prompter.answer = true;
    BackupDialog dialog(installation.Client(), prompter, installation.Server(), nullptr);
    dialog.show();
    dialog.RestoreFrom(QString::fromStdString(hostile));
    ASSERT_EQ(1u, prompter.shown.size());
    EXPECT_EQ("Copia " + hostile +
                  " nu poate fi restaurata: linia 2 nu are forma instructiunilor pe care "
                  "programul le scrie in copii.\nDatele actuale au ramas neschimbate.",
              prompter.shown[0]);
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_FALSE(dialog.Busy());
    EXPECT_FALSE(std::filesystem::exists(pwned));
    {
        const CopyLock other(installation.Server());
        ASSERT_TRUE(other.Held());
        dialog.RestoreFrom(QString::fromStdString(copy));
        ASSERT_EQ(2u, prompter.shown.size());
        EXPECT_EQ(0u, prompter.shown[1].find("O alta salvare sau restaurare a datelor este in "
                                             "lucru"))
            << prompter.shown[1];
        EXPECT_FALSE(dialog.Busy());
    }
    dialog.RestoreFrom(QString::fromStdString(copy));
    while (dialog.Busy()) QTest::qWait(20);
    ASSERT_EQ(3u, prompter.shown.size());
    EXPECT_EQ("Copia a fost restaurata.", prompter.shown[2]);
}

std::string Status(const BackupDialog& dialog) {
    return dialog.findChild<QLabel*>("backupStatus")->text().toStdString();
}

// The bar and the status of a save take a place the window has from the
// start: made as small as it goes, it keeps its size through the save and
// after it.
TEST(BackupDialog, TheWindowKeepsItsSizeThroughASave) {
    BackupInstallation installation;
    ASSERT_TRUE(installation.Ready());
    RecordingPrompter prompter;
    BackupDialog dialog(installation.Client(), prompter, installation.Server(), nullptr);
    dialog.show();
    dialog.resize(dialog.minimumSizeHint());
    QApplication::processEvents();
    const QSize opened = dialog.size();
    dialog.SaveTo(QString::fromStdString(installation.Folder() + "/marime.sql.gz"));
    QApplication::processEvents();
    EXPECT_TRUE(dialog.findChild<QWidget*>("backupProgress")->isVisible());
    EXPECT_EQ(opened.height(), dialog.height());
    while (dialog.Busy()) QTest::qWait(20);
    QApplication::processEvents();
    EXPECT_EQ("Copia a fost salvata.", Status(dialog));
    EXPECT_EQ(opened.width(), dialog.width());
    EXPECT_EQ(opened.height(), dialog.height());
}

// After each operation the status line tells how that one ended, never an
// earlier one's success.
TEST(BackupDialog, TheStatusLineTellsTheLastOperationsRealEnd) {
    BackupInstallation installation;
    ASSERT_TRUE(installation.Ready());
    RecordingPrompter prompter;
    BackupDialog dialog(installation.Client(), prompter, installation.Server(), nullptr);
    dialog.show();
    const std::string about = dialog.findChild<QLabel*>("backupAbout")->text().toStdString();
    EXPECT_NE(std::string::npos, about.find(installation.Folder() + "/copii")) << about;

    const std::string copy = installation.Folder() + "/buna.sql.gz";
    dialog.SaveTo(QString::fromStdString(copy));
    while (dialog.Busy()) QTest::qWait(20);
    EXPECT_EQ("Copia a fost salvata.", Status(dialog));

    dialog.SaveTo(QString::fromStdString(installation.Folder() + "/lipsa/copie.sql.gz"));
    while (dialog.Busy()) QTest::qWait(20);
    EXPECT_EQ("Copia nu a fost salvata.", Status(dialog));

    prompter.answer = false;  // "Nu" to the restore question
    dialog.RestoreFrom(QString::fromStdString(copy));
    EXPECT_EQ(1u, prompter.asked.size());
    EXPECT_EQ("Restaurarea a fost anulata; datele au ramas neschimbate.", Status(dialog));

    dialog.RestoreFrom(QString::fromStdString(installation.Folder() + "/lipsa.sql.gz"));
    EXPECT_EQ("Copia nu a fost restaurata.", Status(dialog));
}

// Messages kept on a worker thread come out once, in order, with their kind.
TEST(BackupDialog, HeldMessagesComeOutOnceInTheirOrder) {
    HeldMessages held;
    std::thread worker([&held] {
        held.ShowMessage("intai", MessageKind::Error);
        held.ShowMessage("apoi", MessageKind::Warning);
        EXPECT_FALSE(held.AskYesNo("Continui?"));
    });
    worker.join();
    ScriptedPrompter shown;
    shown.ExpectMessage("intai", MessageKind::Error).ExpectMessage("apoi", MessageKind::Warning);
    held.ShowThrough(shown);
    shown.VerifyDone();
    held.ShowThrough(shown);  // nothing twice
}

// The restore is the core flow, run whole on the worker: the data is copied
// before anything is dropped, even what an earlier restore left half-way,
// and what the flow shows there comes after it ends, never from the worker.
TEST(BackupDialog, RestoreDropsNothingWhenTheSafetyCopyFails) {
    BackupInstallation installation;
    ASSERT_TRUE(installation.Ready());
    const std::string copy = installation.Folder() + "/buna.sql.gz";
    RecordingPrompter saving;
    ASSERT_TRUE(SaveCopy(installation.Server(), copy, std::time(nullptr), saving));
    CClient& client = installation.Client();
    ASSERT_TRUE(client.Query("CREATE TABLE asigurati.zcopie_sume LIKE asigurati.sume", false));
    // copii/ cannot be made: the automatic copy fails.
    std::ofstream(AutomaticCopyFolder(installation.Folder())) << "nu un folder";
    const std::thread::id gui = std::this_thread::get_id();
    int waitsElsewhere = 0;
    client.SetWaitCursor([&] { waitsElsewhere += std::this_thread::get_id() != gui; }, [] {});

    RecordingPrompter prompter;
    prompter.answer = true;
    BackupDialog dialog(client, prompter, installation.Server(), nullptr);
    dialog.show();
    dialog.RestoreFrom(QString::fromStdString(copy));
    EXPECT_TRUE(prompter.shown.empty());
    while (dialog.Busy()) QTest::qWait(20);
    ASSERT_EQ(1u, prompter.shown.size());
    EXPECT_EQ(0u, prompter.shown[0].find("Copia automata a datelor actuale nu a putut fi facuta, "
                                         "asa ca restaurarea nu a inceput.\n"))
        << prompter.shown[0];
    EXPECT_EQ(1u, prompter.asked.size());
    ASSERT_TRUE(
        client.Query("SELECT COUNT(*) AS n FROM information_schema.tables WHERE "
                     "table_schema='asigurati' AND table_name='zcopie_sume'",
                     true));
    EXPECT_EQ("1", client.GetValue(0, "N"));
    EXPECT_EQ(0, waitsElsewhere);
    client.SetWaitCursor({}, {});
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
