// The program's first start on a machine without an installation: one
// question naming the default folder; "Da" creates it while a progress window
// shows each step, and the main window comes up on the new databases; "Nu"
// ends with the message that says where the program looked.
#include <gtest/gtest.h>
#include <signal.h>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "ScriptedPrompter.h"
#include "TestServer.h"
#include "app/Installation.h"
#include "app/InstallationFirstStart.h"
#include "app/MainWindow.h"
#include "db/InstallationPaths.h"
#include "domain/ProgramVersion.h"
#include "text/TextCodec.h"

namespace {

// Stops the server a test's installation left running.
void StopServerOf(const QString& installation) {
    QFile pidFile(installation + "/server/mysqld.pid");
    if (!pidFile.open(QIODevice::ReadOnly)) return;
    const pid_t pid = pidFile.readAll().trimmed().toInt();
    if (pid > 0 && ::kill(pid, SIGTERM) == 0)
        for (int i = 0; i < 600 && ::kill(pid, 0) == 0; ++i) QThread::msleep(50);
}

// The texts a visible progress window showed while the work ran.
class ProgressWatch : public QObject {
public:
    ProgressWatch() {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(w);
                    progress && progress->isVisible()) {
                    const QString text = progress->findChild<QLabel*>()->text();
                    if (texts.isEmpty() || texts.back() != text) texts << text;
                }
        });
        m_timer.start(5);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

class FirstStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_start.current = m_current.path();
        m_start.defaultFolder = m_home.path() + "/.local/share/orvik-asigurati";
        m_start.port = FreeLocalPort();
        while (m_start.port == ServerLogin::kDefaultPort) m_start.port = FreeLocalPort();
    }
    void TearDown() override {
        StopServerOf(m_start.defaultFolder);
        QDir::setCurrent(m_previous);
    }
    std::string Question() const {
        return FromQt(CreateInstallationQuestion(m_start.defaultFolder));
    }

    QTemporaryDir m_current, m_home;
    QString m_previous = QDir::currentPath();
    FirstStart m_start;
};

TEST_F(FirstStartTest, YesCreatesTheDefaultInstallationAndTheMainWindowComesUpOnIt) {
    const std::string question = Question();
    EXPECT_NE(std::string::npos, question.find(m_start.defaultFolder.toStdString())) << question;
    ScriptedPrompter prompter;
    prompter.ExpectQuestion(question, true);
    QString message;
    std::optional<QString> folder;
    {
        ProgressWatch watch;
        folder = FindOrCreateInstallation(prompter, m_start, message);
        // Each step was shown, in a window that names the folder.
        ASSERT_GE(watch.texts.size(), 3) << watch.texts.join("|").toStdString();
        EXPECT_TRUE(watch.texts.back().contains(m_start.defaultFolder));
        EXPECT_TRUE(watch.texts.join("\n").contains("Se incarca bazele de date"));
    }
    ASSERT_EQ(m_start.defaultFolder, folder) << message.toStdString();
    EXPECT_TRUE(message.isEmpty());
    EXPECT_TRUE(HoldsInstallation(*folder));
    EXPECT_EQ(m_start.port, InstallationServerPort(folder->toStdString()));

    // Then as main() goes on: the installation is the current folder. The
    // update service is a closed port of this machine.
    {
        QFile settings(*folder + "/orvik.conf");
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("actualizari=http://127.0.0.1:" + QByteArray::number(FreeLocalPort()) +
                       "\n");
    }
    ASSERT_TRUE(QDir::setCurrent(*folder));
    const auto login = InstallationLogin(folder->toStdString());
    ASSERT_TRUE(login.has_value());
    EXPECT_FALSE(login->former);
    MainWindow window(prompter, MainWindow::Options{.login = *login});
    bool ready = false;
    QEventLoop loop;
    QObject::connect(&window, &MainWindow::StartUpFinished, [&](bool ok) {
        ready = ok;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    window.show();
    loop.exec();
    ASSERT_TRUE(ready);
    ASSERT_TRUE(window.Client().Query(
        "SELECT setare FROM asigurati.setari WHERE denumire='versiune'", true));
    EXPECT_EQ(kProgramVersion, window.Client().GetValue(0, "SETARE"));
    window.EndWithoutAsking();
    prompter.VerifyDone();
}

TEST_F(FirstStartTest, NoEndsWithTheMessageAndCreatesNothing) {
    ScriptedPrompter prompter;
    prompter.ExpectQuestion(Question(), false);
    QString message;
    EXPECT_EQ(std::nullopt, FindOrCreateInstallation(prompter, m_start, message));
    QString expected;
    ASSERT_FALSE(ChooseInstallationFolder(m_start.current, m_start.defaultFolder, expected));
    EXPECT_EQ(expected, message);
    EXPECT_FALSE(QFileInfo::exists(m_start.defaultFolder));
    prompter.VerifyDone();
}

TEST_F(FirstStartTest, AnInstallationFoundIsUsedWithoutAQuestion) {
    ASSERT_TRUE(QDir(m_current.path()).mkpath("server/bin"));
    QFile cnf(m_current.path() + "/server/bin/my.cnf");
    ASSERT_TRUE(cnf.open(QIODevice::WriteOnly));
    cnf.write("[mysqld]\n");
    cnf.close();
    ScriptedPrompter prompter;
    QString message;
    EXPECT_EQ(m_current.path(), FindOrCreateInstallation(prompter, m_start, message));
    EXPECT_FALSE(QFileInfo::exists(m_start.defaultFolder));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
