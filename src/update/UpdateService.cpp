#include "update/UpdateService.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QUrl>
#include <memory>

namespace {

constexpr qint64 kAnswerLimit = 255;

int PortOf(const QUrl& url) {
    return url.port(url.scheme() == "https" ? 443 : 80);
}

}  // namespace

QString UpdateServiceBase() {
    const QByteArray installation = QFile::encodeName(QDir::currentPath());
    return QString::fromStdString(UpdateServiceAddress(installation.toStdString()));
}

QNetworkRequest UpdateRequest(const std::string& query, int stallLimitMs) {
    // The proxy the user set up for the system, as any other program uses.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QUrl url(UpdateServiceBase() + kUpdateServicePath);
    url.setQuery(QString::fromStdString(query));
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(stallLimitMs);
    // Whatever comes back may be started as a program: only the service
    // itself may send it.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::SameOriginRedirectPolicy);
    return request;
}

bool IsServiceAnswer(const QNetworkReply& reply, const QUrl& asked) {
    const QUrl answered = reply.url();
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200 &&
           answered.scheme() == asked.scheme() && answered.host() == asked.host() &&
           PortOf(answered) == PortOf(asked);
}

QNetworkReply* AskNewestVersion(QNetworkAccessManager& network, const QString& runningVersion,
                                int stallLimitMs,
                                std::function<void(std::optional<VersionAnswer>)> done) {
    const QNetworkRequest request =
        UpdateRequest(VersionQuery(runningVersion.toStdString()), stallLimitMs);
    const QUrl asked = request.url();
    QNetworkReply* reply = network.get(request);
    struct State {
        QByteArray answer;
        bool complete = false;  // the first 255 bytes are in; the rest is not wanted
        bool refused = false;   // not the service's answer: its body is never read
    };
    auto state = std::make_shared<State>();
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, state, asked] {
        if (state->complete || state->refused) return;
        if (!IsServiceAnswer(*reply, asked)) {
            state->refused = true;
            return reply->abort();
        }
        state->answer += reply->read(kAnswerLimit - state->answer.size());
        if (state->answer.size() < kAnswerLimit) return;
        state->complete = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, state, asked, done] {
        reply->deleteLater();
        if (state->refused) return done(std::nullopt);
        if (!state->complete) {
            if (reply->error() != QNetworkReply::NoError || !IsServiceAnswer(*reply, asked))
                return done(std::nullopt);
            state->answer += reply->read(kAnswerLimit - state->answer.size());
        }
        done(ParseVersionAnswer(state->answer.toStdString()));
    });
    return reply;
}

UpdateCheck::UpdateCheck(QObject* parent) : QObject(parent) {}

void UpdateCheck::Start(const QString& runningVersion) {
    const std::string running = runningVersion.toStdString();
    AskNewestVersion(m_network, runningVersion, m_stallLimitMs,
                     [this, running](std::optional<VersionAnswer> answer) {
                         if (answer && IsNewerVersion(*answer, running))
                             emit NewVersion(QString::fromStdString(answer->version));
                         emit Finished();
                     });
}
