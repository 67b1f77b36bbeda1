#pragma once
#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

// A tiny HTTP update service on 127.0.0.1, run by the test inside its own
// event loop. It answers the version query with `versionAnswer` and the
// download query with `installer`, shaped by `mode`.
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
    // "http://127.0.0.1:<port>", also set as ORVIK_UPDATE_URL.
    QString Base() const;

    void Release();
    // The request lines received, "GET /orvik_updates.php?... HTTP/1.1".
    const QList<QByteArray>& Requests() const { return m_requests; }

    QByteArray versionAnswer;
    QByteArray installer;
    Mode mode = Mode::Whole;
    int heldBytes = 1000;

private:
    void Accept();
    void Answer(QTcpSocket* socket);
    void Send(QTcpSocket* socket, const QByteArray& body, qint64 announced, qint64 sent);

    QTcpServer m_server;
    QList<QByteArray> m_requests;
    QPointer<QTcpSocket> m_held;
};
