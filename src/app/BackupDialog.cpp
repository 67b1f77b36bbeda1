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
#include <filesystem>

#include "backup/CopyFormat.h"
#include "db/CClient.h"
#include "ui/FileDialogFolders.h"

namespace {

// The status line always tells how the last operation ended.
const QString kSaveCancelled = "Salvarea copiei a fost anulata.";
const QString kRestoreCancelled = "Restaurarea a fost anulata; datele au ramas neschimbate.";
const QString kNotRestored = "Copia nu a fost restaurata.";
// Copies are saved and restored from the same place.
const QString kCopyPurpose = "copii";

QString AboutCopiesText(const std::string& installationFolder) {
    return "O copie de siguranta este un fisier (.sql.gz) cu toate datele programului. "
           "Copiile automate (zilnic si inainte de fiecare restaurare) se pastreaza in " +
           QDir::toNativeSeparators(
               QString::fromStdString(AutomaticCopyFolder(installationFolder))) +
           ".";
}

QString SizeText(long long bytes) {
    if (bytes < 1024 * 1024) return QString::number((bytes + 1023) / 1024) + " KB";
    return QString::number(static_cast<double>(bytes) / (1024.0 * 1024.0), 'f', 1) + " MB";
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
    auto* about = new QLabel(AboutCopiesText(m_server.installationFolder), this);
    about->setObjectName("backupAbout");
    about->setWordWrap(true);
    about->setTextFormat(Qt::PlainText);
    m_status = new QLabel(this);
    m_status->setObjectName("backupStatus");
    m_status->setWordWrap(true);
    // The status (two lines at most) and the bar have their place from the
    // start: the window does not grow by itself when an operation begins.
    m_status->setMinimumHeight(2 * m_status->fontMetrics().lineSpacing());
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("backupProgress");
    QSizePolicy keepPlace = m_progress->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keepPlace);
    m_progress->hide();
    m_close = new QPushButton("[ESC] Iesire", this);
    for (QPushButton* b : {m_save, m_restore, m_close}) b->setAutoDefault(false);
    layout->addWidget(about);
    layout->addWidget(m_save);
    layout->addWidget(m_restore);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(m_close);
    connect(m_save, &QPushButton::clicked, this, &BackupDialog::ChooseAndSave);
    connect(m_restore, &QPushButton::clicked, this, &BackupDialog::ChooseAndRestore);
    connect(m_close, &QPushButton::clicked, this, &BackupDialog::reject);
    // Wide enough for the whole title and the folder line.
    setMinimumWidth(460);
}

BackupDialog::~BackupDialog() {
    // The worker holds references into this dialog; it ends with its child.
    if (!m_worker) return;
    m_worker->join();
    m_client.LendTo(nullptr);
}

void BackupDialog::reject() {
    if (!Busy()) QDialog::reject();
}

void BackupDialog::ChooseAndSave() {
    const QString name = QString::fromStdString(DefaultCopyName(std::time(nullptr)));
    const QString path = QFileDialog::getSaveFileName(
        this, "Salveaza o copie", FileDialogFolders::StartPath(kCopyPurpose, name),
        "Copii de siguranta (*.sql.gz)");
    if (path.isEmpty()) return m_status->setText(kSaveCancelled);
    FileDialogFolders::Remember(kCopyPurpose, path);
    SaveTo(path);
}

void BackupDialog::ChooseAndRestore() {
    const QString path = QFileDialog::getOpenFileName(this, "Restaureaza o copie",
                                                      FileDialogFolders::StartFolder(kCopyPurpose),
                                                      "Copii de siguranta (*.sql.gz)");
    if (path.isEmpty()) return m_status->setText(kRestoreCancelled);
    FileDialogFolders::Remember(kCopyPurpose, path);
    RestoreFrom(path);
}

void BackupDialog::SaveTo(const QString& path) {
    const std::string file = QFile::encodeName(path).toStdString();
    SetBusy(true, "Se salveaza copia...");
    const BackupServer server = m_server;
    Run(
        [server, file](const BackupProgress& progress, Prompter& prompter) {
            return SaveCopy(server, file, std::time(nullptr), prompter, progress).Ok();
        },
        [this, path, file](bool saved) {
            if (!saved) return m_status->setText("Copia nu a fost salvata.");
            std::error_code error;
            const auto size = std::filesystem::file_size(file, error);
            m_status->setText("Copia a fost salvata.");
            m_prompter.ShowMessage(
                ("Copia a fost salvata in fisierul:\n" + QDir::toNativeSeparators(path) +
                 "\n\nMarime: " + SizeText(error ? 0 : static_cast<long long>(size)))
                    .toStdString(),
                MessageKind::Information);
        });
}

void BackupDialog::RestoreFrom(const QString& path) {
    const std::string file = QFile::encodeName(path).toStdString();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Its refusal is shown once the wait cursor is gone.
    const auto info = InspectCopy(file, m_held);
    QApplication::restoreOverrideCursor();
    m_held.ShowThrough(m_prompter);
    m_status->setText(kNotRestored);
    if (!info) return;
    const std::string message = RefuseCopyVersion(info->version);
    if (!message.empty()) return m_prompter.ShowMessage(message);
    if (!m_prompter.AskYesNo(RestoreQuestion(*info))) return m_status->setText(kRestoreCancelled);
    // No other save or restore, here or in another process, until this one ends.
    m_lock = std::make_unique<CopyLock>(m_server);
    if (!m_lock->Held()) {
        const std::string why = m_lock->Message();
        m_lock.reset();
        return m_prompter.ShowMessage(why + "\nDatele actuale au ramas neschimbate.",
                                      MessageKind::Error);
    }
    if (m_beforeRestore) m_beforeRestore();
    // Nothing else may use the connection while the restore has it.
    setWindowModality(Qt::ApplicationModal);
    SetBusy(true, "Se restaureaza copia...");
    const BackupServer server = m_server;
    const CopyInfo copy = *info;
    CClient* client = &m_client;
    // The same restore as the command line's, connection and all, beside the event loop.
    m_client.LendTo(&m_held);
    Run(
        [client, server, file, copy](const BackupProgress& progress, Prompter& prompter) {
            return RestoreCopyHoldingLock(*client, server, file, copy, prompter, progress).Ok();
        },
        [this](bool restored) {
            setWindowModality(Qt::NonModal);
            if (!restored) return m_status->setText(kNotRestored);
            m_status->setText("Copia a fost restaurata.");
            m_prompter.ShowMessage("Copia a fost restaurata.", MessageKind::Information);
        });
}

void BackupDialog::Run(std::function<bool(const BackupProgress&, Prompter&)> work,
                       std::function<void(bool)> done) {
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
    Prompter* held = &m_held;
    m_worker = std::make_unique<std::thread>([self, work, progress, done, held] {
        const bool ok = work(progress, *held);
        QMetaObject::invokeMethod(
            self,
            [self, ok, done] {
                if (self) self->Finished(ok, done);
            },
            Qt::QueuedConnection);
    });
}

void BackupDialog::Finished(bool ok, std::function<void(bool)> done) {
    m_worker->join();
    m_worker.reset();
    m_client.LendTo(nullptr);
    SetBusy(false, "");
    m_held.ShowThrough(m_prompter);
    done(ok);
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
