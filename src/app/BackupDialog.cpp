#include "app/BackupDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <ctime>

#include "backup/CopyFormat.h"
#include "db/CClient.h"
#include "db/SchemaUpgrade.h"

namespace {

QString SizeText(long long bytes) {
    if (bytes < 1024 * 1024) return QString::number((bytes + 1023) / 1024) + " KB";
    return QString::number(bytes / (1024.0 * 1024.0), 'f', 1) + " MB";
}

}  // namespace

BackupDialog::BackupDialog(CClient& client, Prompter& prompter, BackupServer server,
                           QWidget* parent)
    : QDialog(parent), m_client(client), m_prompter(prompter), m_server(std::move(server)) {
    setObjectName("backupDialog");
    setWindowTitle("Copie de siguranta");
    auto* layout = new QVBoxLayout(this);
    m_save = new QPushButton("Salveaza o copie", this);
    m_save->setObjectName("saveCopyButton");
    m_restore = new QPushButton("Restaureaza o copie", this);
    m_restore->setObjectName("restoreCopyButton");
    m_status = new QLabel(this);
    m_status->setObjectName("backupStatus");
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("backupProgress");
    m_progress->hide();
    m_close = new QPushButton("[ESC] Iesire", this);
    for (QPushButton* b : {m_save, m_restore, m_close}) b->setAutoDefault(false);
    layout->addWidget(m_save);
    layout->addWidget(m_restore);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(m_close);
    connect(m_save, &QPushButton::clicked, this, &BackupDialog::ChooseAndSave);
    connect(m_restore, &QPushButton::clicked, this, &BackupDialog::ChooseAndRestore);
    connect(m_close, &QPushButton::clicked, this, &BackupDialog::reject);
}

BackupDialog::~BackupDialog() {
    // The worker holds references into this dialog; it ends with its child.
    if (m_worker) m_worker->join();
}

void BackupDialog::reject() {
    if (!Busy()) QDialog::reject();
}

void BackupDialog::ChooseAndSave() {
    const QString name = QString::fromStdString(DefaultCopyName(std::time(nullptr)));
    const QString path = QFileDialog::getSaveFileName(
        this, "Salveaza o copie", QDir::home().filePath(name), "Copii de siguranta (*.sql.gz)");
    if (!path.isEmpty()) SaveTo(path);
}

void BackupDialog::ChooseAndRestore() {
    const QString path = QFileDialog::getOpenFileName(this, "Restaureaza o copie", QDir::homePath(),
                                                      "Copii de siguranta (*.sql.gz)");
    if (!path.isEmpty()) RestoreFrom(path);
}

void BackupDialog::SaveTo(const QString& path) {
    const std::string file = QFile::encodeName(path).toStdString();
    SetBusy(true, "Se salveaza copia...");
    const BackupServer server = m_server;
    Run(
        [server, file](const BackupProgress& progress) {
            return SaveCopy(server, file, std::time(nullptr), progress);
        },
        [this, path](const BackupResult& result) {
            if (!result.ok) return m_prompter.ShowMessage(result.message, MessageKind::Error);
            m_status->setText("Copia a fost salvata.");
            m_prompter.ShowMessage(
                ("Copia a fost salvata in fisierul:\n" + QDir::toNativeSeparators(path) +
                 "\n\nMarime: " + SizeText(result.fileSize))
                    .toStdString(),
                MessageKind::Information);
        });
}

void BackupDialog::RestoreFrom(const QString& path) {
    const std::string file = QFile::encodeName(path).toStdString();
    std::string message;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto info = InspectCopy(file, message);
    QApplication::restoreOverrideCursor();
    if (!info) return m_prompter.ShowMessage(message);
    message = RefuseCopyVersion(info->version);
    if (!message.empty()) return m_prompter.ShowMessage(message);
    if (!m_prompter.AskYesNo(RestoreQuestion(*info))) return;
    // No other save or restore, here or in another process, until the swap is done.
    m_lock = std::make_unique<CopyLock>(m_server);
    if (!m_lock->Held()) {
        const std::string why = m_lock->Message();
        m_lock.reset();
        return m_prompter.ShowMessage(why + "\nDatele actuale au ramas neschimbate.",
                                      MessageKind::Error);
    }
    if (m_beforeRestore) m_beforeRestore();
    // Nothing else may write while the tables are swapped.
    setWindowModality(Qt::ApplicationModal);
    if (!DropStagedTables(m_client)) {
        m_lock.reset();
        return;
    }
    SetBusy(true, "Se restaureaza copia...");
    const BackupServer server = m_server;
    const CopyInfo copy = *info;
    Run(
        [server, file, copy](const BackupProgress& progress) {
            const BackupResult saved = SaveCopyBeforeRestore(server, std::time(nullptr));
            if (!saved.ok) return saved;
            return LoadCopy(server, file, copy, progress);
        },
        [this, copy](const BackupResult& loaded) {
            setWindowModality(Qt::NonModal);
            if (!loaded.ok) {
                (void)DropStagedTables(m_client);
                return m_prompter.ShowMessage(loaded.message, MessageKind::Error);
            }
            if (!SwapInLoadedCopy(m_client, copy.tables)) {
                (void)DropStagedTables(m_client);
                return;
            }
            (void)UpgradeSchema(m_client);
            m_status->setText("Copia a fost restaurata.");
            m_prompter.ShowMessage("Copia a fost restaurata.", MessageKind::Information);
        });
}

void BackupDialog::Run(std::function<BackupResult(const BackupProgress&)> work,
                       std::function<void(const BackupResult&)> done) {
    QPointer<BackupDialog> self(this);
    BackupProgress progress;
    progress.progress = [self](long long bytes, long long total) {
        QMetaObject::invokeMethod(
            self,
            [self, bytes, total] {
                if (self) self->ShowProgress(bytes, total);
            },
            Qt::QueuedConnection);
    };
    m_worker = std::make_unique<std::thread>([self, work, progress, done] {
        const BackupResult result = work(progress);
        QMetaObject::invokeMethod(
            self,
            [self, result, done] {
                if (self) self->Finished(result, done);
            },
            Qt::QueuedConnection);
    });
}

void BackupDialog::Finished(const BackupResult& result,
                            std::function<void(const BackupResult&)> done) {
    m_worker->join();
    m_worker.reset();
    SetBusy(false, result.ok ? "" : "Operatia nu a reusit.");
    done(result);
    m_lock.reset();
}

void BackupDialog::ShowProgress(long long done, long long total) {
    if (total > 0) {
        m_progress->setRange(0, 1000);
        m_progress->setValue(static_cast<int>(done * 1000 / total));
    } else {
        m_status->setText("Se salveaza copia... " + SizeText(done) + " de date citite");
    }
}

void BackupDialog::SetBusy(bool busy, const QString& status) {
    m_save->setEnabled(!busy);
    m_restore->setEnabled(!busy);
    m_close->setEnabled(!busy);
    m_status->setText(status);
    // Without a known total the bar only says that work goes on.
    m_progress->setRange(0, 0);
    m_progress->setVisible(busy);
}
