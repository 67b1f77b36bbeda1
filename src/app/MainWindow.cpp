#include "app/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cerrno>

#include "app/AppPictures.h"
#include "app/BackupDialog.h"
#include "app/HeldMessages.h"
#include "app/InfoDialog.h"
#include "app/ModulePanel.h"
#include "app/Session.h"
#include "backup/Backup.h"
#include "db/InstallationPaths.h"
#include "ui/KeyActions.h"
#include "ui/UpdateDialog.h"
#include "ui/health/HealthWindow.h"
#include "ui/import/ImportWindow.h"
#include "ui/leave/LeaveWindow.h"
#include "update/UpdateService.h"

namespace {

struct PanelDescription {
    const char* button;
    const char* caption;
    QSize size;
    bool fullHeight;
    const char* objectName;
};

const PanelDescription kPanels[] = {
    {"Sanatate", "Declaratia de sanatate", QSize(760, 560), false, "health"},
    {"Concedii medicale", "Declaratia de concedii medicale", QSize(800, 600), false, "leave"},
    {"Import de date din sursa externa", "Import de date din sursa externa", QSize(700, 340), true,
     "import"},
};

const PanelDescription& Describe(MainWindow::Module module) {
    return kPanels[static_cast<int>(module)];
}

// The program runs from its installation folder; the server is the one the
// connection talks to.
BackupServer CurrentServer(const CClient& client) {
    BackupServer server;
    if (auto found = ServerOfInstallation(QDir::currentPath().toStdString())) server = *found;
    server.installationFolder = QDir::currentPath().toStdString();
    server.port = client.Port();
    return server;
}

}  // namespace

MainWindow::MainWindow(Prompter& prompter, Options options)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::WindowMinimizeButtonHint),
      m_prompter(prompter),
      m_client(std::make_unique<CClient>(
          prompter,
          options.login
              ? *options.login
              : InstallationLogin(QDir::currentPath().toStdString()).value_or(ServerLogin{}))) {
    setObjectName("mainWindow");
    setWindowTitle("Orvik Asigurati");
    setWindowIcon(AppIcon());
    m_client->SetServerProcess(&m_serverProcess);
    m_client->SetWaitCursor([] { QApplication::setOverrideCursor(Qt::WaitCursor); },
                            [] { QApplication::restoreOverrideCursor(); });
    BuildControls();
    setFixedSize(sizeHint().expandedTo(QSize(250, 340)));
    move(0, 0);
    // From the event loop, so the window is shown before any database work;
    // no later than that.
    if (options.connectAtStart) QTimer::singleShot(0, this, &MainWindow::RunStartUp);
}

MainWindow::~MainWindow() {
    CloseAllPanels();
}

void MainWindow::BuildControls() {
    auto* grid = new QGridLayout(this);
    int row = 0;
    auto* picture = new QLabel(this);
    picture->setPixmap(AppPicture(QSize(176, 60)));
    grid->addWidget(picture, row++, 0, 1, 2, Qt::AlignCenter);
    for (int i = 0; i < 3; ++i) {
        const Module module = static_cast<Module>(i);
        auto* button = new QPushButton(kPanels[i].button, this);
        button->setObjectName(QString(kPanels[i].objectName) + "Button");
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, module] { TogglePanel(module); });
        m_marks[i] = new QLabel(this);
        m_marks[i]->setObjectName(QString(kPanels[i].objectName) + "Mark");
        grid->addWidget(button, row, 0);
        grid->addWidget(m_marks[i], row++, 1);
    }
    ResetMarks();
    auto* keys = new KeyActions(this);
    grid->addWidget(
        keys->Add(this, "backupButton", {Qt::Key_F9, Qt::NoModifier, "[F9] Copie de siguranta"},
                  [this] { ShowBackup(); }),
        row++, 0);
    auto* info = new QPushButton("Info", this);
    info->setObjectName("infoButton");
    info->setAutoDefault(false);
    connect(info, &QPushButton::clicked, this, &MainWindow::ShowInfo);
    grid->addWidget(info, row++, 0);
    auto* exit = new QPushButton("[ESC] Iesire", this);
    exit->setObjectName("exitButton");
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &MainWindow::LeaveProgram);
    grid->addWidget(exit, row++, 0);
    auto* version = new QLabel(QString("Versiune: ") + Session::kVersion, this);
    version->setObjectName("versionLabel");
    grid->addWidget(version, row++, 0, 1, 2);
    // Filled by the update check when a newer release exists.
    m_updateCaption = new QLabel("Actualizari disponibile:", this);
    m_updateCaption->setObjectName("updateCaption");
    m_updateText = new QLabel("...", this);
    m_updateText->setObjectName("updateText");
    // The version comes from the network: shown as it is, never as markup.
    m_updateText->setTextFormat(Qt::PlainText);
    m_updateText->setStyleSheet("color: rgb(200,0,0)");
    m_updateButton = new QPushButton("Actualizeaza", this);
    m_updateButton->setObjectName("updateButton");
    m_updateButton->setAutoDefault(false);
    connect(m_updateButton, &QPushButton::clicked, this, &MainWindow::RunUpdate);
    for (QWidget* w : {static_cast<QWidget*>(m_updateCaption), static_cast<QWidget*>(m_updateText),
                       static_cast<QWidget*>(m_updateButton)}) {
        w->hide();
        grid->addWidget(w, row++, 0, 1, 2);
    }
    grid->setRowStretch(row, 1);
}

void MainWindow::RunStartUp() {
    if (!Session::StartUp(*m_client)) {
        // A failed start-up ends the program without the question or a
        // shutdown request.
        m_exitWithoutAsking = true;
        m_ending = true;
        emit StartUpFinished(false);
        done(1);
        return;
    }
    m_startedUp = true;
    emit StartUpFinished(true);
    StartUpdateCheck();
}

void MainWindow::StartUpdateCheck() {
    if (m_updateCheck) return;
    m_updateCheck = new UpdateCheck(this);
    connect(m_updateCheck, &UpdateCheck::NewVersion, this, &MainWindow::ShowUpdateNotice);
    m_updateCheck->Start(Session::kVersion);
}

void MainWindow::ShowUpdateNotice(const QString& version) {
    m_updateText->setText("Aplicatie noua. Versiunea " + version);
    m_updateCaption->show();
    m_updateText->show();
    m_updateButton->show();
}

void MainWindow::SetUpdateInstaller(const QString& folder, InstallerStarter starter) {
    m_updateFolder = folder;
    m_startInstaller = std::move(starter);
}

void MainWindow::RunUpdate() {
    const QString folder =
        m_updateFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_updateFolder;
    UpdateDialog dialog(Session::kVersion, folder, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string path = QFile::encodeName(dialog.InstallerPath()).toStdString();
    if (!m_prompter.AskYesNo("Kitul de instalare pentru versiunea " +
                             dialog.InstallerVersion().toStdString() +
                             " a fost descarcat. Programul se inchide si porneste instalarea. "
                             "Continui?"))
        return;
    // The installer takes this process over: whatever leaving does comes
    // first, so the server stops cleanly instead of running on orphaned.
    if (!EndSession(false)) return;
    // The download wrote a plain file; it must be runnable before the start.
    const int error = MakeExecutable(path) ? m_startInstaller(path) : errno;
    m_prompter.ShowMessage(
        "Eroare la lansarea procedurii de instalare (#" + std::to_string(error) + ")",
        MessageKind::Error);
    // The server is stopped already: nothing is left to work with.
    done(0);
}

void MainWindow::ShowInfo() {
    InfoDialog dialog(this);
    dialog.exec();
}

void MainWindow::ResetMarks() {
    for (QLabel* mark : m_marks) {
        mark->setPixmap(MarkPicture(false));
        mark->setProperty("marked", false);
    }
}

bool MainWindow::IsMarked(Module module) const {
    return m_marks[static_cast<int>(module)]->property("marked").toBool();
}

std::unique_ptr<ModulePanel> MainWindow::CreatePanel(Module module) {
    const PanelDescription& d = Describe(module);
    auto panel = std::make_unique<ModulePanel>(this, d.caption, d.size);
    panel->setObjectName(QString(d.objectName) + "Panel");
    // Without a connection (a window tested alone) the panels stay empty.
    if (!m_client->IsConnected()) return panel;
    if (module == Module::Health) panel->SetContent(new HealthWindow(*m_client, panel.get()));
    if (module == Module::Leave) panel->SetContent(new LeaveWindow(*m_client, panel.get()));
    if (module == Module::Import)
        panel->SetContent(new ImportWindow(*m_client, m_prompter, panel.get()));
    return panel;
}

void MainWindow::TogglePanel(Module module) {
    auto& slot = m_panels[static_cast<int>(module)];
    if (slot) {
        slot->SlideShut();
        slot.reset();
        m_lastOpened = nullptr;
        ResetMarks();
        return;
    }
    CloseAllPanels();
    ResetMarks();
    slot = CreatePanel(module);
    slot->SetStepDelay(0);
    slot->SetFullHeight(Describe(module).fullHeight);
    connect(slot.get(), &ModulePanel::LeaveRequested, this, &MainWindow::LeaveProgram);
    slot->SlideOpen();
    // After what the module's lists queued at their opening (the company used last).
    QMetaObject::invokeMethod(slot.get(), &ModulePanel::TakeFocus, Qt::QueuedConnection);
    m_lastOpened = slot.get();
    m_marks[static_cast<int>(module)]->setPixmap(MarkPicture(true));
    m_marks[static_cast<int>(module)]->setProperty("marked", true);
}

void MainWindow::CloseAllPanels() {
    for (auto& panel : m_panels) {
        if (!panel) continue;
        panel->SlideShut();
        panel.reset();
    }
    m_lastOpened = nullptr;
}

void MainWindow::ShowBackup() {
    if (!m_backup) {
        m_backup = new BackupDialog(*m_client, m_prompter, CurrentServer(*m_client), this);
        m_backup->SetBeforeRestore([this] {
            CloseAllPanels();
            ResetMarks();
        });
    }
    m_backup->show();
    m_backup->raise();
    m_backup->activateWindow();
}

// Once a day, on the way out, while the server still runs.
void MainWindow::SaveDailyCopy() {
    if (!m_startedUp) return;
    const BackupServer server = CurrentServer(*m_client);
    const std::time_t now = std::time(nullptr);
    if (!AutomaticCopyDue(server.installationFolder, now)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Its failure is shown once the wait cursor is gone; closing goes on either way.
    HeldMessages held;
    (void)SaveAutomaticCopy(server, now, held);
    QApplication::restoreOverrideCursor();
    held.ShowThrough(m_prompter);
}

bool MainWindow::EndSession(bool askFirst) {
    if (m_ending) return false;
    // The server must not stop under a copy being made.
    if (m_backup && m_backup->Busy()) {
        m_prompter.ShowMessage("O copie de siguranta este in lucru; asteapta sa se termine.");
        return false;
    }
    if (!Session::Leave(*m_client, askFirst, [this] { SaveDailyCopy(); })) return false;
    m_ending = true;
    CloseAllPanels();
    return true;
}

void MainWindow::LeaveProgram() {
    if (EndSession(!m_exitWithoutAsking)) done(0);
}

void MainWindow::EndWithoutAsking() {
    m_exitWithoutAsking = true;
    LeaveProgram();
}

void MainWindow::reject() {
    LeaveProgram();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_ending) {
        event->accept();
        return;
    }
    event->ignore();
    LeaveProgram();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    for (auto& panel : m_panels)
        if (panel && panel->IsOpen()) panel->Follow();
}
