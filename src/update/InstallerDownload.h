#pragma once
#include <QFile>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "update/UpdateAnswer.h"
#include "update/UpdateService.h"

class QNetworkReply;

// Downloads the announced installer into the program's folder: asks for the
// newest version, then writes the installer chunk by chunk. Whatever goes
// wrong (network, TLS, a stall, an answer other than HTTP 200, a redirect
// away from the service, a short or long transfer, cancel) leaves no file
// behind and ends in Failed; only a file of exactly the announced size ends
// in Finished.
class InstallerDownload : public QObject {
    Q_OBJECT
public:
    InstallerDownload(QString runningVersion, QString programFolder, QObject* parent = nullptr);
    ~InstallerDownload() override;

    void SetStallLimit(int milliseconds) { m_stallLimitMs = milliseconds; }
    void Start();
    // Stops at once and deletes the partial file.
    void Cancel();
    bool Running() const { return m_running; }
    // The version being downloaded, once the service has named it.
    const QString& Version() const { return m_version; }

signals:
    // Before each chunk: "Se descarca kitul de instalare (done / size)".
    void ProgressText(const QString& text);
    // After each chunk: the bytes written so far.
    void ProgressValue(qint64 done, qint64 size);
    void Finished(const QString& installerPath);
    // Stopped by anything but the user; `reason` says what went wrong.
    void Failed(const QString& reason);
    // Stopped by Cancel().
    void Cancelled();

private:
    void OnAnswer(std::optional<VersionAnswer> answer);
    void OnData();
    void OnInstallerEnd();
    void Fail(const std::string& reason);
    // Aborts the transfer and removes the partial file.
    void Stop();
    std::string NotServed() const;
    std::string CannotWrite() const;
    std::string TransferError() const;
    bool OpenFile();
    bool WriteChunk(qint64 length);

    QString m_runningVersion;
    QString m_programFolder;
    QString m_version;
    int m_stallLimitMs = kUpdateStallLimitMs;
    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    QUrl m_asked;  // the download query as sent, before any redirect
    QFile m_file;
    qint64 m_size = 0;
    qint64 m_done = 0;
    bool m_running = false;
};
