#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <thread>

#include "app/HeldMessages.h"
#include "backup/Backup.h"
#include "backup/CopyLock.h"

class CClient;
class Prompter;
class QLabel;
class QProgressBar;
class QPushButton;

// "Copie de siguranta": saves a copy of the data or restores one. The save and
// the whole restore run on a worker thread that never touches a widget; it
// reports through queued calls, so the program keeps answering while a copy is
// saved. What the work shows on the way is kept and shown when it ends.
class BackupDialog : public QDialog {
    Q_OBJECT
public:
    BackupDialog(CClient& client, Prompter& prompter, BackupServer server, QWidget* parent);
    ~BackupDialog() override;

    bool Busy() const { return m_worker != nullptr; }
    // Called before a restore touches the data: open panels show old rows.
    void SetBeforeRestore(std::function<void()> closePanels) {
        m_beforeRestore = std::move(closePanels);
    }

    void SaveTo(const QString& path);
    void RestoreFrom(const QString& path);

protected:
    void reject() override;

private:
    void ChooseAndSave();
    void ChooseAndRestore();
    void Run(std::function<bool(const BackupProgress&, Prompter&)> work,
             std::function<void(bool)> done);
    void Finished(bool ok, std::function<void(bool)> done);
    void ShowProgress(long long done, long long total);
    void SetBusy(bool busy, const QString& status);

    CClient& m_client;
    Prompter& m_prompter;
    BackupServer m_server;
    std::function<void()> m_beforeRestore;
    std::unique_ptr<std::thread> m_worker;
    std::unique_ptr<CopyLock> m_lock;  // held from the question to the end of a restore
    // What the worker, or a check under the wait cursor, had to say.
    HeldMessages m_held;
    QPushButton* m_save = nullptr;
    QPushButton* m_restore = nullptr;
    QPushButton* m_close = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
};
