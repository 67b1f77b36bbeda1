#pragma once
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "update/UpdateAnswer.h"
#include "update/UpdateSetting.h"

class QNetworkReply;
class QUrl;

inline constexpr const char* kUpdateServicePath = "/orvik_updates.php";
// A transfer that delivers nothing for this long has failed.
inline constexpr int kUpdateStallLimitMs = 30000;

// The service named by the settings file of the installation the program
// runs in (its current folder after start-up), else the built-in one.
QString UpdateServiceBase();

// A GET on the service with `query`, always from the server and never cached.
// TLS errors are never ignored: a certificate that does not verify fails the
// request like any other network error. Redirects are followed only within
// the service's origin (scheme, host and port); one leaving it fails the
// request.
QNetworkRequest UpdateRequest(const std::string& query, int stallLimitMs);

// Whether `reply` (so far) is the service's own answer: HTTP 200, from the
// origin of `asked`. Any other status is the service not answering, however
// its body looks.
bool IsServiceAnswer(const QNetworkReply& reply, const QUrl& asked);

// Asks the service for the newest version and reads at most the first 255
// bytes of its answer. `done` gets the answer, or nothing after any network
// error or an answer not in the expected layout. The reply is returned so a
// caller can abort it; aborting calls `done` with nothing.
QNetworkReply* AskNewestVersion(QNetworkAccessManager& network, const QString& runningVersion,
                                int stallLimitMs,
                                std::function<void(std::optional<VersionAnswer>)> done);

// The check made once per start: silent on every failure, NewVersion only
// when the service announces a release newer than the running one.
class UpdateCheck : public QObject {
    Q_OBJECT
public:
    explicit UpdateCheck(QObject* parent = nullptr);
    void SetStallLimit(int milliseconds) { m_stallLimitMs = milliseconds; }
    void Start(const QString& runningVersion);

signals:
    void NewVersion(const QString& version);
    void Finished();

private:
    QNetworkAccessManager m_network;
    int m_stallLimitMs = kUpdateStallLimitMs;
};
