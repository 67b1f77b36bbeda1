#include "ui/UpdateDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/ScreenRoom.h"
#include "update/InstallerDownload.h"

namespace {

// The bar counts in steps of its own, so installers beyond 2 GB fit its range.
constexpr int kBarSteps = 10000;
// The text has room for the longest reason a download stops for from the
// start, so the dialog never grows by itself when one comes.
constexpr int kTextLines = 3;
constexpr int kWidth = 440;

}  // namespace

UpdateDialog::UpdateDialog(const QString& runningVersion, const QString& programFolder,
                           QWidget* parent)
    : QDialog(parent),
      m_download(new InstallerDownload(runningVersion, programFolder, this)),
      m_text(new QLabel("Descarca...", this)),
      m_bar(new QProgressBar(this)),
      m_closeButton(new QPushButton("[ESC]   Inchide", this)) {
    setObjectName("updateDialog");
    setWindowTitle("Actualizari online");
    m_text->setObjectName("progressText");
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setMinimumHeight(kTextLines * m_text->fontMetrics().lineSpacing());
    m_bar->setObjectName("progressBar");
    m_bar->setRange(0, kBarSteps);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_closeButton->setObjectName("closeButton");
    m_closeButton->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(m_closeButton, 0, Qt::AlignHCenter);
    setMinimumWidth(kWidth);
    connect(m_closeButton, &QPushButton::clicked, this, &UpdateDialog::reject);
    connect(m_download, &InstallerDownload::ProgressText, m_text, &QLabel::setText);
    connect(m_download, &InstallerDownload::ProgressValue, this, [this](qint64 done, qint64 size) {
        m_bar->setValue(size > 0 ? static_cast<int>(done * kBarSteps / size) : kBarSteps);
    });
    connect(m_download, &InstallerDownload::Failed, this,
            [this](const QString& reason) { Stopped("Descarcarea a esuat: " + reason); });
    connect(m_download, &InstallerDownload::Cancelled, this,
            [this] { Stopped("Descarcarea a fost anulata."); });
    connect(m_download, &InstallerDownload::Finished, this, &UpdateDialog::Complete);
}

bool UpdateDialog::Downloading() const {
    return m_download->Running();
}

void UpdateDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_begun) return;
    m_begun = true;
    // Let the dialog paint before the first request goes out.
    QTimer::singleShot(10, this, &UpdateDialog::Begin);
}

void UpdateDialog::Begin() {
    m_closeButton->setText("[ESC]   Anuleaza");
    m_download->Start();
}

void UpdateDialog::reject() {
    // While downloading, the button and Escape stop the transfer; the dialog
    // stays so the user sees it stopped.
    if (m_download->Running()) {
        m_download->Cancel();
        return;
    }
    QDialog::reject();
}

// The progress of a transfer that no longer runs would be a stale promise.
void UpdateDialog::Stopped(const QString& text) {
    m_text->setText(text);
    m_bar->setValue(0);
    m_closeButton->setText("[ESC]   Iesire");
    // A reason longer than the room kept for it still shows whole.
    if (m_text->heightForWidth(m_text->width()) > m_text->height()) {
        layout()->activate();
        ResizeWithinScreen(this, size().expandedTo(sizeHint()));
    }
}

QString UpdateDialog::InstallerVersion() const {
    return m_download->Version();
}

void UpdateDialog::Complete(const QString& installerPath) {
    m_closeButton->setText("[ESC]   Iesire");
    m_installerPath = installerPath;
    QTimer::singleShot(100, this, &QDialog::accept);
}
