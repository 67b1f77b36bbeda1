#pragma once
#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

// A tiny HTTP update service on 127.0.0.1, run by the test inside its own
// event loop. It answers the version query with `versionAnswer` and the
// download query with `installer`, shaped by `mode`, with the given statuses;
// a location makes it redirect that query there instead.
class LocalUpdateService : public QObject {
    Q_OBJECT
public:
    enum class Mode {
        Whole,       // the installer, with its length
        CutShort,    // announces the whole installer, sends half, hangs up
        Stall,       // headers, then nothing at all
        Hold,        // the first `heldBytes`, then waits for Release()
        Unanswered,  // the version query gets no bytes at all
    };

    LocalUpdateService();
    // "http://127.0.0.1:<port>".
    QString Base() const;
    // The settings line that points an installation at this service.
    QByteArray SettingLine() const;

    void Release();
    // The request lines received, "GET /orvik_updates.php?... HTTP/1.1".
    const QList<QByteArray>& Requests() const { return m_requests; }

    QByteArray versionAnswer;
    QByteArray installer;
    Mode mode = Mode::Whole;
    int heldBytes = 1000;
    int versionStatus = 200;
    int installerStatus = 200;
    // Where a "302 Found" sends the version or the download query; requests
    // whose line holds "moved" are always answered, so a redirect ends.
    QByteArray versionLocation;
    QByteArray installerLocation;

private:
    void Accept();
    void Answer(QTcpSocket* socket);
    void Send(QTcpSocket* socket, int status, const QByteArray& body, qint64 announced,
              qint64 sent);
    void Redirect(QTcpSocket* socket, const QByteArray& location);

    QTcpServer m_server;
    QList<QByteArray> m_requests;
    QPointer<QTcpSocket> m_held;
};

// A throwaway installation folder made the current folder, as the program's
// start-up does, with the settings file it is given; the previous current
// folder comes back at the end.
class CurrentInstallation {
public:
    CurrentInstallation();
    ~CurrentInstallation();
    CurrentInstallation(const CurrentInstallation&) = delete;
    CurrentInstallation& operator=(const CurrentInstallation&) = delete;

    // Writes the settings file whole.
    void WriteSettings(const QByteArray& text);
    void RemoveSettings();
    QString Path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QString m_previous;
};
