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
    if (m_running) Stop();
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
    if (!m_running) return;
    Stop();
    emit Cancelled();
}

void InstallerDownload::OnAnswer(std::optional<VersionAnswer> answer) {
    m_reply = nullptr;
    if (!answer) return Fail(DownloadFailure::NoVersion());
    m_size = answer->size;
    m_version = QString::fromStdString(answer->version);
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
    if (!IsServiceAnswer(*m_reply, m_asked)) return Fail(NotServed());
    // An installer announced empty is not read at all.
    if (m_size < 1) return;
    while (m_running && m_reply && m_reply->bytesAvailable() > 0) {
        // More bytes than announced: not the file the service described.
        if (m_done >= m_size) return Fail(DownloadFailure::TooLong(m_size));
        // Whole chunks only, however the bytes arrive: what is missing at
        // the end of the transfer is a short read.
        const qint64 length = std::min(kChunk, m_size - m_done);
        if (m_reply->bytesAvailable() < length) return;
        if (!OpenFile()) return Fail(CannotWrite());
        emit ProgressText(QString::fromStdString(::ProgressText(m_done, m_size)));
        if (!WriteChunk(length)) return Fail(CannotWrite());
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
    if (m_reply->error() != QNetworkReply::NoError) return Fail(TransferError());
    OnData();
    if (!m_running) return;
    // What is left unread is less than a whole chunk.
    const qint64 received = m_done + m_reply->bytesAvailable();
    if (m_size >= 1 && received > m_size) return Fail(DownloadFailure::TooLong(m_size));
    if (m_size >= 1 && received != m_size) return Fail(DownloadFailure::Broken(received, m_size));
    m_reply->deleteLater();
    m_reply = nullptr;
    // An installer announced empty is still written, as an empty file.
    if (!OpenFile() || !m_file.flush()) return Fail(CannotWrite());
    m_file.close();
    m_running = false;
    emit Finished(m_file.fileName());
}

std::string InstallerDownload::NotServed() const {
    return DownloadFailure::NotServed(
        m_reply ? m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0);
}

std::string InstallerDownload::CannotWrite() const {
    return DownloadFailure::CannotWrite(QDir::toNativeSeparators(m_file.fileName()).toStdString());
}

std::string InstallerDownload::TransferError() const {
    // The transfer timeout aborts the reply as a cancel would; the user's
    // cancel never gets here.
    if (m_reply->error() == QNetworkReply::OperationCanceledError)
        return DownloadFailure::Stalled();
    if (!IsServiceAnswer(*m_reply, m_asked)) return NotServed();
    return DownloadFailure::Broken(m_done + m_reply->bytesAvailable(), m_size);
}

void InstallerDownload::Fail(const std::string& reason) {
    Stop();
    emit Failed(QString::fromStdString(reason));
}

void InstallerDownload::Stop() {
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
}
