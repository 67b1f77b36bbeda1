// The update check, the download dialog and the main window's notice against
// a small service the test runs on 127.0.0.1.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <sys/stat.h>
#include <cerrno>

#include "LocalUpdateService.h"
#include "ScriptedPrompter.h"
#include "app/MainWindow.h"
#include "ui/UpdateDialog.h"
#include "update/InstallerDownload.h"
#include "update/InstallerStart.h"
#include "update/UpdateService.h"

namespace {

using Mode = LocalUpdateService::Mode;

// Waits for something the event loop brings about. The limit only keeps a
// broken test from hanging; nothing here depends on how fast it comes.
template <typename Condition>
bool WaitUntil(Condition condition) {
    for (int i = 0; i < 3000 && !condition(); ++i) QTest::qWait(10);
    return condition();
}

QByteArray Bytes(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i) bytes.append(static_cast<char>('A' + i % 26));
    return bytes;
}

QByteArray Answer(const char* version, qint64 size) {
    return QByteArray(version) + " " + QByteArray::number(size).rightJustified(10, '0');
}

// What a web server in front of the service may send with an error status:
// a page whose first bytes happen to be in the answer's layout, longer than
// the 255 bytes read.
QByteArray ErrorPageInAnswerLayout(const char* version, qint64 size) {
    return Answer(version, size) + QByteArray(300, ' ');
}

const char* const kMovedDownload =
    "/moved/orvik_updates.php?action=get_vers_update&type=ASG&value=2.10&ver=2.08";

// Where a screenshot goes when ORVIK_UPDATE_SHOTS names a folder.
void Shoot(QWidget* widget, const char* name) {
    const QString folder = qEnvironmentVariable("ORVIK_UPDATE_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    widget->grab().save(QDir(folder).filePath(name));
}

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override { m_installation.WriteSettings(m_service.SettingLine()); }
    // The check's outcome: the announced version, or empty when it stayed silent.
    QString Check(int stallLimitMs = kUpdateStallLimitMs) {
        UpdateCheck check;
        check.SetStallLimit(stallLimitMs);
        QString shown;
        QObject::connect(&check, &UpdateCheck::NewVersion, [&](const QString& v) { shown = v; });
        QSignalSpy finished(&check, &UpdateCheck::Finished);
        check.Start("2.08");
        EXPECT_TRUE(WaitUntil([&] { return finished.count() == 1; }));
        return shown;
    }
    // Where the version query goes, without its query string.
    std::string AskedService() {
        const QUrl url = UpdateRequest(VersionQuery("2.08"), kUpdateStallLimitMs).url();
        return url.toString(QUrl::RemoveQuery).toStdString();
    }

    LocalUpdateService m_service;
    CurrentInstallation m_installation;
};

TEST_F(UpdateCheckTest, ANewerVersionIsAnnouncedWithoutLeadingZeros) {
    m_service.versionAnswer = Answer("02.10", 999);
    EXPECT_EQ("2.10", Check());
    ASSERT_EQ(1, m_service.Requests().size());
    EXPECT_EQ("GET /orvik_updates.php?action=vers&type=ASG&ver=2.08 HTTP/1.1",
              m_service.Requests().first());
}

TEST_F(UpdateCheckTest, AnOversizedAnswerIsReadOnlyForItsFirstBytes) {
    m_service.versionAnswer = Answer("03.00", 10) + QByteArray(200000, 'x');
    EXPECT_EQ("3.00", Check());
}

TEST_F(UpdateCheckTest, TheSameOlderOrUnreadableAnswersShowNothing) {
    for (const QByteArray& answer :
         {Answer("02.08", 999), Answer("02.07", 999), QByteArray("2.08"), QByteArray("02.10 12"),
          QByteArray("<html>Not found</html>"), QByteArray()}) {
        m_service.versionAnswer = answer;
        EXPECT_EQ("", Check()) << answer.constData();
    }
}

TEST_F(UpdateCheckTest, AStalledOrAbsentServiceShowsNothing) {
    m_service.mode = Mode::Unanswered;
    EXPECT_EQ("", Check(200));
    m_installation.WriteSettings("actualizari=http://127.0.0.1:1\n");
    EXPECT_EQ("", Check());
}

TEST_F(UpdateCheckTest, OnlyAnHttp200AnswerIsAnAnswer) {
    for (int status : {404, 500, 203}) {
        for (const QByteArray& body :
             {Answer("02.10", 999), ErrorPageInAnswerLayout("02.10", 999)}) {
            m_service.versionStatus = status;
            m_service.versionAnswer = body;
            EXPECT_EQ("", Check()) << status << " with " << body.size() << " bytes";
        }
    }
    m_service.versionStatus = 200;
    EXPECT_EQ("2.10", Check());
}

TEST_F(UpdateCheckTest, ARedirectAwayFromTheServiceIsNotFollowed) {
    LocalUpdateService foreign;
    foreign.versionAnswer = Answer("02.10", 999);
    m_service.versionAnswer = Answer("02.10", 999);
    const QByteArray port = QByteArray::number(QUrl(m_service.Base()).port());
    // Another port, another host name for the same machine, another scheme.
    for (const QByteArray& location :
         {foreign.Base().toUtf8() + "/moved/orvik_updates.php?action=vers",
          "http://localhost:" + port + "/moved/orvik_updates.php?action=vers",
          "https://127.0.0.1:" + port + "/moved/orvik_updates.php?action=vers"}) {
        m_service.versionLocation = location;
        EXPECT_EQ("", Check()) << location.constData();
    }
    EXPECT_TRUE(foreign.Requests().isEmpty());
    EXPECT_EQ(3, m_service.Requests().size());
}

TEST_F(UpdateCheckTest, ARedirectWithinTheServiceIsFollowed) {
    m_service.versionAnswer = Answer("02.10", 999);
    m_service.versionLocation = "/moved/orvik_updates.php?action=vers";
    EXPECT_EQ("2.10", Check());
    m_service.versionLocation = m_service.Base().toUtf8() + "/moved/orvik_updates.php?action=vers";
    EXPECT_EQ("2.10", Check());
    ASSERT_EQ(4, m_service.Requests().size());
    EXPECT_EQ("GET /moved/orvik_updates.php?action=vers HTTP/1.1", m_service.Requests()[1]);
}

TEST_F(UpdateCheckTest, TheServiceIsTheOneNamedInTheInstallationSettings) {
    m_service.versionAnswer = Answer("02.10", 999);
    // Comments, blanks and Windows line ends as an editor leaves them; the
    // last well-formed line counts.
    m_installation.WriteSettings(
        "# adresa serviciului de actualizari\r\n\r\n"
        "actualizari=https://vechi.example.com\r\n"
        "  actualizari = " +
        m_service.Base().toUtf8() + "/ \r\n" + "actualizari=ftp://gresit.example.com\r\n");
    EXPECT_EQ("2.10", Check());
    EXPECT_EQ(m_service.Base().toStdString() + "/orvik_updates.php", AskedService());
    ASSERT_EQ(1, m_service.Requests().size());
}

TEST_F(UpdateCheckTest, WithoutAWellFormedSettingTheBuiltInServiceIsAsked) {
    // No other process can point the program elsewhere through its environment.
    qputenv("ORVIK_UPDATE_URL", m_service.Base().toUtf8());
    const std::string builtIn = std::string(kUpdateServiceBase) + kUpdateServicePath;
    m_installation.RemoveSettings();
    EXPECT_EQ(builtIn, AskedService());
    for (const QByteArray& settings : {
             QByteArray("actualizari=http://192.0.2.1:8080\n"),  // plain http away from here
             "actualizari=" + m_service.Base().toUtf8() + "/alt/loc\n",
             "actualizari=" + m_service.Base().toUtf8() + ":\n",
             "actualizare=" + m_service.Base().toUtf8() + "\n",
             QByteArray("actualizari\n"),
         }) {
        m_installation.WriteSettings(settings);
        EXPECT_EQ(builtIn, AskedService()) << settings.constData();
    }
    qunsetenv("ORVIK_UPDATE_URL");
}

class UpdateDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_installation.WriteSettings(m_service.SettingLine());
        m_dialog = std::make_unique<UpdateDialog>("2.08", m_folder.path());
        QObject::connect(&m_dialog->Download(), &InstallerDownload::ProgressText,
                         [this](const QString& text) { m_texts.append(text); });
    }
    void Serve(const char* version, qint64 announced, const QByteArray& installer) {
        m_service.versionAnswer = Answer(version, announced);
        m_service.installer = installer;
    }
    // Shows the dialog and waits until its transfer has ended either way.
    void Run() {
        m_dialog->show();
        EXPECT_TRUE(WaitUntil([this] { return Begun(); }));
        EXPECT_TRUE(WaitUntil([this] { return !m_dialog->Downloading(); }));
    }
    bool Begun() { return Button()->text() != "[ESC]   Inchide"; }
    QPushButton* Button() { return m_dialog->findChild<QPushButton*>("closeButton"); }
    QString Installer(const char* version) {
        return QDir(m_folder.path())
            .filePath(QString("Instalare_Orvik_Asigurati_") + version + ".exe");
    }
    // A stopped download says why instead of its progress and leaves the
    // dialog open until the user leaves it.
    void ExpectStopped(const QString& text) {
        EXPECT_EQ(text.toStdString(),
                  m_dialog->findChild<QLabel*>("progressText")->text().toStdString());
        EXPECT_EQ(0, m_dialog->findChild<QProgressBar*>("progressBar")->value());
        EXPECT_EQ("[ESC]   Iesire", Button()->text());
        EXPECT_TRUE(m_dialog->isVisible());
        QTest::mouseClick(Button(), Qt::LeftButton);
        EXPECT_EQ(QDialog::Rejected, m_dialog->result());
        EXPECT_FALSE(m_dialog->isVisible());
    }
    void ExpectStoppedWithoutFile(const QString& text) {
        EXPECT_TRUE(QDir(m_folder.path()).isEmpty())
            << QDir(m_folder.path()).entryList().join(",").toStdString();
        ExpectStopped(text);
    }
    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    LocalUpdateService m_service;
    CurrentInstallation m_installation;
    QTemporaryDir m_folder;
    std::unique_ptr<UpdateDialog> m_dialog;
    QStringList m_texts;
};

TEST_F(UpdateDialogTest, A999ByteInstallerIsWrittenAndTheDialogClosesWithOk) {
    EXPECT_EQ("Actualizari online", m_dialog->windowTitle());
    EXPECT_EQ("Descarca...", m_dialog->findChild<QLabel*>("progressText")->text());
    EXPECT_EQ("[ESC]   Inchide", Button()->text());
    // An older file of the same name is overwritten.
    QFile old(Installer("2.10"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(Bytes(5000));
    old.close();
    Serve("02.10", 999, Bytes(999));
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    // Read while the transfer runs: a fast one is over before any poll.
    QString buttonWhileDownloading;
    QObject::connect(&m_dialog->Download(), &InstallerDownload::ProgressText,
                     [&] { buttonWhileDownloading = Button()->text(); });
    m_dialog->show();
    ASSERT_TRUE(WaitUntil([&] { return finished.count() == 1; }));
    EXPECT_EQ("[ESC]   Anuleaza", buttonWhileDownloading);
    EXPECT_EQ(QDialog::Accepted, m_dialog->result());
    EXPECT_EQ(QStringList{"Se descarca kitul de instalare (0 / 999)"}, m_texts);
    EXPECT_EQ("[ESC]   Iesire", Button()->text());
    auto* bar = m_dialog->findChild<QProgressBar*>("progressBar");
    EXPECT_EQ(bar->maximum(), bar->value());
    EXPECT_EQ(Installer("2.10"), m_dialog->InstallerPath());
    QFile written(Installer("2.10"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(Bytes(999), written.readAll());
    ASSERT_EQ(2, m_service.Requests().size());
    EXPECT_EQ("GET /orvik_updates.php?action=get_vers_update&type=ASG&value=2.10&ver=2.08 HTTP/1.1",
              m_service.Requests().last());
}

TEST_F(UpdateDialogTest, ProgressIsShownPerThousandBytes) {
    Serve("02.10", 2500, Bytes(2500));
    Run();
    EXPECT_EQ((QStringList{"Se descarca kitul de instalare (0 / 2.500)",
                           "Se descarca kitul de instalare (1.000 / 2.500)",
                           "Se descarca kitul de instalare (2.000 / 2.500)"}),
              m_texts);
}

TEST_F(UpdateDialogTest, ATransferEndingEarlyDeletesThePartialFile) {
    Serve("02.10", 5000, Bytes(5000));
    m_service.mode = Mode::CutShort;
    Run();
    Shoot(m_dialog.get(), "update_dialog_failed.png");
    ExpectStoppedWithoutFile(
        "Descarcarea a esuat: legatura s-a intrerupt; s-au primit 2.500 din 5.000 octeti.");
}

// Why a download stopped is read whole in the room the dialog had from the
// start: the dialog does not grow by itself.
TEST_F(UpdateDialogTest, AStoppedDownloadSaysWhyWithoutGrowing) {
    Serve("02.10", 5000, Bytes(5000));
    m_service.mode = Mode::CutShort;
    m_dialog->show();
    QApplication::processEvents();
    const QSize opened = m_dialog->size();
    Run();
    QApplication::processEvents();
    EXPECT_EQ(opened.width(), m_dialog->width());
    EXPECT_EQ(opened.height(), m_dialog->height());
    auto* text = m_dialog->findChild<QLabel*>("progressText");
    EXPECT_GE(text->height(), text->heightForWidth(text->width()));
    ExpectStoppedWithoutFile(
        "Descarcarea a esuat: legatura s-a intrerupt; s-au primit 2.500 din 5.000 octeti.");
}

TEST_F(UpdateDialogTest, AStalledTransferFailsOnceTheLimitPasses) {
    Serve("02.10", 5000, Bytes(5000));
    m_service.mode = Mode::Stall;
    m_dialog->Download().SetStallLimit(200);
    Run();
    ExpectStoppedWithoutFile(
        "Descarcarea a esuat: serviciul de actualizari nu a mai trimis nimic.");
}

TEST_F(UpdateDialogTest, MoreOrFewerBytesThanAnnouncedLeaveNoFile) {
    Serve("02.10", 100, Bytes(150));
    Run();
    ExpectStoppedWithoutFile(
        "Descarcarea a esuat: s-au primit mai multi octeti decat cei 100 anuntati.");
    m_dialog = std::make_unique<UpdateDialog>("2.08", m_folder.path());
    Serve("02.10", 200, Bytes(150));
    Run();
    ExpectStoppedWithoutFile(
        "Descarcarea a esuat: legatura s-a intrerupt; s-au primit 150 din 200 octeti.");
}

TEST_F(UpdateDialogTest, AnUnreadableVersionAnswerStopsBeforeAnyFile) {
    m_service.versionAnswer = "2.10";
    Run();
    ExpectStoppedWithoutFile(
        "Descarcarea a esuat: serviciul de actualizari nu a raspuns cu versiunea noua.");
}

TEST_F(UpdateDialogTest, AnErrorPageForTheVersionStopsBeforeAnyDownload) {
    Serve("02.10", 999, Bytes(999));
    m_service.versionAnswer = ErrorPageInAnswerLayout("02.10", 999);
    m_service.versionStatus = 404;
    Run();
    ExpectStoppedWithoutFile(
        "Descarcarea a esuat: serviciul de actualizari nu a raspuns cu versiunea noua.");
    EXPECT_EQ(1, m_service.Requests().size());
}

TEST_F(UpdateDialogTest, AnInstallerAnsweredWithAStatusOtherThan200IsNotWritten) {
    for (int status : {500, 404, 203}) {
        m_dialog = std::make_unique<UpdateDialog>("2.08", m_folder.path());
        m_texts.clear();
        Serve("02.10", 999, Bytes(999));
        m_service.installerStatus = status;
        Run();
        EXPECT_TRUE(m_texts.isEmpty()) << status;
        ExpectStoppedWithoutFile(
            "Descarcarea a esuat: serviciul de actualizari nu a trimis kitul "
            "de instalare (raspuns HTTP " +
            QString::number(status) + ").");
    }
}

TEST_F(UpdateDialogTest, AnInstallerRedirectedAwayFromTheServiceIsRefusedUntouched) {
    LocalUpdateService foreign;
    foreign.installer = Bytes(999);
    Serve("02.10", 999, Bytes(999));
    m_service.installerLocation = foreign.Base().toUtf8() + kMovedDownload;
    // An older installer of the same name is neither truncated nor removed.
    WriteFile(Installer("2.10"), "older");
    Run();
    EXPECT_TRUE(foreign.Requests().isEmpty());
    EXPECT_EQ("older", ReadFile(Installer("2.10")));
    EXPECT_EQ(QStringList{"Instalare_Orvik_Asigurati_2.10.exe"},
              QDir(m_folder.path()).entryList(QDir::Files));
    EXPECT_TRUE(m_texts.isEmpty());
    ExpectStopped(
        "Descarcarea a esuat: serviciul de actualizari nu a trimis kitul de instalare "
        "(raspuns HTTP 302).");
}

TEST_F(UpdateDialogTest, AnInstallerRedirectedWithinTheServiceIsDownloaded) {
    Serve("02.10", 999, Bytes(999));
    m_service.installerLocation = kMovedDownload;
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    m_dialog->show();
    ASSERT_TRUE(WaitUntil([&] { return finished.count() == 1; }));
    EXPECT_EQ(QDialog::Accepted, m_dialog->result());
    EXPECT_EQ(Bytes(999), ReadFile(Installer("2.10")));
    ASSERT_EQ(3, m_service.Requests().size());
    EXPECT_EQ(QByteArray("GET ") + kMovedDownload + " HTTP/1.1", m_service.Requests().last());
}

TEST_F(UpdateDialogTest, EscapeStopsAtOnceAndDeletesThePartialFile) {
    Serve("02.10", 5000, Bytes(5000));
    m_service.mode = Mode::Hold;
    QSignalSpy values(&m_dialog->Download(), &InstallerDownload::ProgressValue);
    m_dialog->show();
    ASSERT_TRUE(WaitUntil([&] { return values.count() == 1; }));
    EXPECT_EQ(1000, values.first().at(0).toLongLong());
    EXPECT_EQ("Se descarca kitul de instalare (0 / 5.000)",
              m_dialog->findChild<QLabel*>("progressText")->text());
    EXPECT_TRUE(QFile::exists(Installer("2.10")));
    Shoot(m_dialog.get(), "update_dialog.png");
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    // No event has run since: the stop happened inside the key press.
    EXPECT_FALSE(m_dialog->Downloading());
    EXPECT_FALSE(QFile::exists(Installer("2.10")));
    // Bytes arriving after the stop write nothing.
    m_service.Release();
    QTest::qWait(50);
    Shoot(m_dialog.get(), "update_dialog_cancelled.png");
    // Said as a cancel, without the progress it had reached.
    ExpectStoppedWithoutFile("Descarcarea a fost anulata.");
}

class UpdateWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_installation.WriteSettings(m_service.SettingLine());
        m_window =
            std::make_unique<MainWindow>(m_prompter, MainWindow::Options{.connectAtStart = false});
        m_window->SetUpdateInstaller(m_folder.path(), [this](const std::string& path) {
            m_started.append(QString::fromStdString(path));
            m_panelsClosedAtStart = m_window->OpenPanel() == nullptr;
            struct stat info {};
            m_executable = ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR);
            return ENOEXEC;
        });
        m_window->show();
    }
    QWidget* Find(const char* name) { return m_window->findChild<QWidget*>(name); }
    void ShowNotice(const char* version, qint64 size, const QByteArray& installer) {
        m_service.versionAnswer = Answer(version, size);
        m_service.installer = installer;
        m_window->StartUpdateCheck();
        ASSERT_TRUE(WaitUntil([this] { return Find("updateButton")->isVisible(); }));
    }
    // Leaves a download dialog that stopped instead of closing itself.
    void LeaveStoppedDialog() {
        auto* timer = new QTimer(m_window.get());
        QObject::connect(timer, &QTimer::timeout, [timer] {
            auto* dialog = qobject_cast<UpdateDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->Downloading()) return;
            timer->stop();
            QTest::mouseClick(dialog->findChild<QPushButton*>("closeButton"), Qt::LeftButton);
        });
        timer->start(10);
    }

    LocalUpdateService m_service;
    CurrentInstallation m_installation;
    QTemporaryDir m_folder;
    ScriptedPrompter m_prompter;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_started;
    bool m_executable = false;
    bool m_panelsClosedAtStart = false;
};

const char* const kCloseAndInstall =
    "Kitul de instalare pentru versiunea 2.10 a fost descarcat. Programul se inchide si "
    "porneste instalarea. Continui?";

TEST_F(UpdateWindowTest, TheNoticeShowsTheNewVersionOnTheThreeControls) {
    EXPECT_FALSE(Find("updateCaption")->isVisible());
    EXPECT_FALSE(Find("updateText")->isVisible());
    ShowNotice("02.10", 999, Bytes(999));
    EXPECT_TRUE(Find("updateCaption")->isVisible());
    auto* text = m_window->findChild<QLabel*>("updateText");
    EXPECT_TRUE(text->isVisible());
    EXPECT_EQ("Aplicatie noua. Versiunea 2.10", text->text());
    EXPECT_EQ(Qt::PlainText, text->textFormat());
    EXPECT_EQ("Actualizeaza", static_cast<QPushButton*>(Find("updateButton"))->text());
    Shoot(m_window.get(), "update_notice.png");
}

TEST_F(UpdateWindowTest, TheCompleteInstallerIsStartedWithItsExecuteBitAfterTheQuestion) {
    ShowNotice("02.10", 999, Bytes(999));
    m_window->TogglePanel(MainWindow::Module::Health);
    m_prompter.ExpectQuestion(kCloseAndInstall, true);
    m_prompter.ExpectMessage("Eroare la lansarea procedurii de instalare (#8)", MessageKind::Error);
    QTest::mouseClick(static_cast<QPushButton*>(Find("updateButton")), Qt::LeftButton);
    const QString installer = QDir(m_folder.path()).filePath("Instalare_Orvik_Asigurati_2.10.exe");
    EXPECT_EQ(QStringList{installer}, m_started);
    EXPECT_TRUE(m_executable);
    // The program had left as at its exit before the installer was started.
    EXPECT_TRUE(m_panelsClosedAtStart);
    EXPECT_EQ(999, QFileInfo(installer).size());
    // With its server stopped, the program does not carry on.
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(UpdateWindowTest, NoAtTheQuestionKeepsTheProgramAndStartsNothing) {
    ShowNotice("02.10", 999, Bytes(999));
    m_window->TogglePanel(MainWindow::Module::Health);
    m_prompter.ExpectQuestion(kCloseAndInstall, false);
    QTest::mouseClick(static_cast<QPushButton*>(Find("updateButton")), Qt::LeftButton);
    EXPECT_TRUE(m_started.isEmpty());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_NE(nullptr, m_window->OpenPanel());
}

TEST_F(UpdateWindowTest, AnEmptyInstallerFailsToStartWithItsErrorNumber) {
    // The real start: an empty file is no program, so this process goes on.
    m_window->SetUpdateInstaller(m_folder.path(), StartInstallerInPlace);
    ShowNotice("02.10", 0, QByteArray());
    m_prompter.ExpectQuestion(kCloseAndInstall, true);
    m_prompter.ExpectMessage("Eroare la lansarea procedurii de instalare (#8)", MessageKind::Error);
    QTest::mouseClick(static_cast<QPushButton*>(Find("updateButton")), Qt::LeftButton);
    const QFileInfo installer(QDir(m_folder.path()).filePath("Instalare_Orvik_Asigurati_2.10.exe"));
    EXPECT_TRUE(installer.exists());
    EXPECT_EQ(0, installer.size());
    EXPECT_TRUE(installer.isExecutable());
}

TEST_F(UpdateWindowTest, AnInstallerOfTheWrongSizeIsNeverStarted) {
    ShowNotice("02.10", 1500, Bytes(999));
    LeaveStoppedDialog();
    QTest::mouseClick(static_cast<QPushButton*>(Find("updateButton")), Qt::LeftButton);
    EXPECT_TRUE(m_started.isEmpty());
    EXPECT_TRUE(QDir(m_folder.path()).isEmpty());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
