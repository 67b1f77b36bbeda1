#include "LocalUpdateService.h"

#include <QDir>
#include <QFile>

#include "update/UpdateSetting.h"

namespace {

QByteArray Reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 203:
            return "Non-Authoritative Information";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

}  // namespace

LocalUpdateService::LocalUpdateService() {
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &LocalUpdateService::Accept);
}

QString LocalUpdateService::Base() const {
    return QString("http://127.0.0.1:%1").arg(m_server.serverPort());
}

QByteArray LocalUpdateService::SettingLine() const {
    return QByteArray(kUpdateServiceKey) + "=" + Base().toUtf8() + "\n";
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
    const bool moved = request.contains("moved");
    if (!download) {
        if (mode == Mode::Unanswered) return;
        if (!versionLocation.isEmpty() && !moved) return Redirect(socket, versionLocation);
        return Send(socket, versionStatus, versionAnswer, versionAnswer.size(),
                    versionAnswer.size());
    }
    if (!installerLocation.isEmpty() && !moved) return Redirect(socket, installerLocation);
    const qint64 size = installer.size();
    switch (mode) {
        case Mode::CutShort:
            Send(socket, installerStatus, installer, size, size / 2);
            socket->disconnectFromHost();
            break;
        case Mode::Stall:
            Send(socket, installerStatus, installer, size, 0);
            break;
        case Mode::Hold:
            Send(socket, installerStatus, installer, size, heldBytes);
            m_held = socket;
            break;
        default:
            Send(socket, installerStatus, installer, size, size);
    }
}

void LocalUpdateService::Send(QTcpSocket* socket, int status, const QByteArray& body,
                              qint64 announced, qint64 sent) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " " + Reason(status) + "\r\n";
    head += "Content-Type: application/octet-stream\r\n";
    head += "Content-Length: " + QByteArray::number(announced) + "\r\n\r\n";
    socket->write(head + body.left(sent));
    socket->flush();
}

void LocalUpdateService::Redirect(QTcpSocket* socket, const QByteArray& location) {
    socket->write("HTTP/1.1 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n");
    socket->flush();
}

void LocalUpdateService::Release() {
    if (!m_held) return;
    m_held->write(installer.mid(heldBytes));
    m_held->flush();
}

CurrentInstallation::CurrentInstallation() : m_previous(QDir::currentPath()) {
    QDir::setCurrent(m_folder.path());
}

CurrentInstallation::~CurrentInstallation() {
    QDir::setCurrent(m_previous);
}

void CurrentInstallation::WriteSettings(const QByteArray& text) {
    QFile file(QDir(m_folder.path()).filePath(kInstallationSettingsFile));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(text);
}

void CurrentInstallation::RemoveSettings() {
    QFile::remove(QDir(m_folder.path()).filePath(kInstallationSettingsFile));
}
