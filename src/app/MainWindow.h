#pragma once
#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "app/ConsoleProcess.h"
#include "db/CClient.h"
#include "update/InstallerStart.h"

class QLabel;
class QPushButton;
class BackupDialog;
class ModulePanel;
class Prompter;
class UpdateCheck;

// The launcher at the top-left of the screen: three buttons toggle the module
// panels docked at its right edge, one at a time.
class MainWindow : public QDialog {
    Q_OBJECT
public:
    enum class Module { Health = 0, Leave = 1, Import = 2 };

    struct Options {
        // Where and as whom to connect; without one, the login of the
        // installation in the current folder (where the program runs).
        std::optional<ServerLogin> login;
        bool connectAtStart = true;  // tests of the window alone switch it off
    };

    MainWindow(Prompter& prompter, Options options);
    ~MainWindow() override;

    CClient& Client() { return *m_client; }
    ModulePanel* OpenPanel() const { return m_lastOpened; }
    bool IsMarked(Module module) const;
    // The copy window, created at the first use of its button.
    BackupDialog* Backup() const { return m_backup; }

    // Asks the update service once whether a newer release exists; the
    // notice appears when it does, nothing is said otherwise.
    void StartUpdateCheck();
    UpdateCheck* Check() const { return m_updateCheck; }
    // Where the installer is written (the executable's folder unless set)
    // and how it replaces the program: tests keep the process they run in.
    void SetUpdateInstaller(const QString& folder, InstallerStarter starter);

public slots:
    void TogglePanel(Module module);
    void ShowBackup();
    void LeaveProgram();
    // Leaves without the question (the update installer replaces the program).
    void EndWithoutAsking();

signals:
    void StartUpFinished(bool ready);

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void BuildControls();
    void RunStartUp();
    void ShowInfo();
    void ShowUpdateNotice(const QString& version);
    void RunUpdate();
    // Everything leaving does but closing the window: the daily copy, the
    // server's shutdown, the panels. False when the user or a running copy
    // keeps the program open.
    bool EndSession(bool askFirst);
    void SaveDailyCopy();
    void CloseAllPanels();
    void ResetMarks();
    std::unique_ptr<ModulePanel> CreatePanel(Module module);

    Prompter& m_prompter;
    ConsoleProcess m_serverProcess;
    std::unique_ptr<CClient> m_client;
    std::array<std::unique_ptr<ModulePanel>, 3> m_panels;
    std::array<QLabel*, 3> m_marks{};
    ModulePanel* m_lastOpened = nullptr;
    bool m_exitWithoutAsking = false;
    bool m_ending = false;
    bool m_startedUp = false;
    QLabel* m_updateCaption = nullptr;
    QLabel* m_updateText = nullptr;
    QPushButton* m_updateButton = nullptr;
    UpdateCheck* m_updateCheck = nullptr;
    QString m_updateFolder;
    InstallerStarter m_startInstaller = StartInstallerInPlace;
    BackupDialog* m_backup = nullptr;
};
