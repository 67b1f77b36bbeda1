#include "update/InstallerDownload.h"

#include <QDir>
#include <QNetworkReply>
#include <algorithm>

namespace {

constexpr qint64 kChunk = 1000;

}  // namespace

InstallerDownload::InstallerDownload(QString runningVersion, QString programFolder, QObject* parent)
    : QObject(parent),
      m_runningVersion(std::move(runningVersion)),
      m_programFolder(std::move(programFolder)) {}

InstallerDownload::~InstallerDownload() {
    // Closing the dialog mid-transfer must not leave half an installer.
    if (m_running) Cancel();
}

void InstallerDownload::Start() {
    m_running = true;
    m_done = 0;
    m_reply = AskNewestVersion(m_network, m_runningVersion, m_stallLimitMs,
                               [this](std::optional<VersionAnswer> answer) {
                                   if (m_running) OnAnswer(std::move(answer));
                               });
}

void InstallerDownload::Cancel() {
    if (m_running) Fail();
}

void InstallerDownload::OnAnswer(std::optional<VersionAnswer> answer) {
    m_reply = nullptr;
    if (!answer) return Fail();
    m_size = answer->size;
    m_file.setFileName(
        QDir(m_programFolder).filePath(QString::fromStdString(InstallerFileName(answer->version))));
    const QNetworkRequest request = UpdateRequest(
        DownloadQuery(answer->version, m_runningVersion.toStdString()), m_stallLimitMs);
    m_asked = request.url();
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &InstallerDownload::OnData);
    connect(m_reply, &QNetworkReply::finished, this, &InstallerDownload::OnInstallerEnd);
}

bool InstallerDownload::OpenFile() {
    // Created only once the service answers, so an error page or a refused
    // redirect leaves a file of the same name as it was.
    return m_file.isOpen() || m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void InstallerDownload::OnData() {
    if (!m_running) return;
    if (!IsServiceAnswer(*m_reply, m_asked)) return Fail();
    // An installer announced empty is not read at all.
    if (m_size < 1) return;
    while (m_running && m_reply && m_reply->bytesAvailable() > 0) {
        // More bytes than announced: not the file the service described.
        if (m_done >= m_size) return Fail();
        // Whole chunks only, however the bytes arrive: what is missing at
        // the end of the transfer is a short read.
        const qint64 length = std::min(kChunk, m_size - m_done);
        if (m_reply->bytesAvailable() < length) return;
        if (!OpenFile()) return Fail();
        emit ProgressText(QString::fromStdString(::ProgressText(m_done, m_size)));
        if (!WriteChunk(length)) return Fail();
    }
}

bool InstallerDownload::WriteChunk(qint64 length) {
    const QByteArray chunk = m_reply->read(length);
    if (chunk.size() != length || m_file.write(chunk) != length) return false;
    m_done += length;
    emit ProgressValue(m_done, m_size);
    return true;
}

void InstallerDownload::OnInstallerEnd() {
    if (!m_running) return;
    if (m_reply->error() != QNetworkReply::NoError) return Fail();
    OnData();
    if (!m_running) return;
    if (m_size >= 1 && (m_done != m_size || m_reply->bytesAvailable() > 0)) return Fail();
    m_reply->deleteLater();
    m_reply = nullptr;
    // An installer announced empty is still written, as an empty file.
    if (!OpenFile() || !m_file.flush()) return Fail();
    m_file.close();
    m_running = false;
    emit Finished(m_file.fileName());
}

void InstallerDownload::Fail() {
    m_running = false;
    if (m_reply) {
        QNetworkReply* reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    if (m_file.isOpen()) {
        m_file.close();
        m_file.remove();
    }
    emit Failed();
}
