#include "LocalUpdateService.h"

LocalUpdateService::LocalUpdateService() {
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &LocalUpdateService::Accept);
    qputenv("ORVIK_UPDATE_URL", Base().toUtf8());
}

QString LocalUpdateService::Base() const {
    return QString("http://127.0.0.1:%1").arg(m_server.serverPort());
}

void LocalUpdateService::Accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            if (!buffer->contains("\r\n\r\n")) return;
            m_requests.append(buffer->left(buffer->indexOf("\r\n")));
            buffer->clear();
            Answer(socket);
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalUpdateService::Answer(QTcpSocket* socket) {
    const QByteArray& request = m_requests.last();
    const bool download = request.contains("action=get_vers_update");
    if (!download) {
        if (mode == Mode::Unanswered) return;
        return Send(socket, versionAnswer, versionAnswer.size(), versionAnswer.size());
    }
    const qint64 size = installer.size();
    switch (mode) {
        case Mode::CutShort:
            Send(socket, installer, size, size / 2);
            socket->disconnectFromHost();
            break;
        case Mode::Stall:
            Send(socket, installer, size, 0);
            break;
        case Mode::Hold:
            Send(socket, installer, size, heldBytes);
            m_held = socket;
            break;
        default:
            Send(socket, installer, size, size);
    }
}

void LocalUpdateService::Send(QTcpSocket* socket, const QByteArray& body, qint64 announced,
                              qint64 sent) {
    QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n";
    head += "Content-Length: " + QByteArray::number(announced) + "\r\n\r\n";
    socket->write(head + body.left(sent));
    socket->flush();
}

void LocalUpdateService::Release() {
    if (!m_held) return;
    m_held->write(installer.mid(heldBytes));
    m_held->flush();
}
