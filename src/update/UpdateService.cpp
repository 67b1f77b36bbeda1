#include "update/UpdateService.h"

#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QUrl>
#include <memory>

namespace {

constexpr qint64 kAnswerLimit = 255;

}  // namespace

QString UpdateServiceBase() {
    const QByteArray overridden = qgetenv("ORVIK_UPDATE_URL");
    return overridden.isEmpty() ? QString(kUpdateServiceBase) : QString::fromUtf8(overridden);
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
    return request;
}

QNetworkReply* AskNewestVersion(QNetworkAccessManager& network, const QString& runningVersion,
                                int stallLimitMs,
                                std::function<void(std::optional<VersionAnswer>)> done) {
    QNetworkReply* reply =
        network.get(UpdateRequest(VersionQuery(runningVersion.toStdString()), stallLimitMs));
    struct State {
        QByteArray answer;
        bool complete = false;  // the first 255 bytes are in; the rest is not wanted
    };
    auto state = std::make_shared<State>();
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, state] {
        state->answer += reply->read(kAnswerLimit - state->answer.size());
        if (state->answer.size() < kAnswerLimit) return;
        state->complete = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, state, done] {
        reply->deleteLater();
        if (!state->complete) {
            if (reply->error() != QNetworkReply::NoError) return done(std::nullopt);
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
