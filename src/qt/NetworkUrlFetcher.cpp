#include "qt/NetworkUrlFetcher.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "qt/QtString.h"

namespace keepgate::qt {

std::optional<std::string> NetworkUrlFetcher::fetch(const std::string& url) {
    const QUrl address(toQString(url), QUrl::StrictMode);
    if (!address.isValid() || address.scheme().isEmpty()) {
        return std::nullopt;
    }
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(static_cast<int>(timeout_.count()));
    QNetworkReply* reply = manager_.get(request);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
        loop.quit();
    });
    timer.start(timeout_);
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    timer.stop();

    std::optional<std::string> body;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!timedOut && reply->error() == QNetworkReply::NoError && status == 200) {
        body = reply->readAll().toStdString();
    }
    reply->deleteLater();
    return body;
}

} // namespace keepgate::qt
