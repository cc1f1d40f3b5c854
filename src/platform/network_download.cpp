#include "platform/network_download.h"

#include "common/result.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSslCertificate>
#include <QSslConfiguration>

namespace korvanta::platform {
namespace {

DownloadOutcome failed(DownloadStatus status, const QString& reason) {
    return {status, reason};
}

QSslConfiguration tlsConfiguration() {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    const QString extraAuthorities = qEnvironmentVariable("SSL_CERT_FILE");
    if (!extraAuthorities.isEmpty()) {
        // Setting authorities by hand ends the loading of the system's on demand, so the system's
        // own are named here too.
        configuration.setCaCertificates(QSslConfiguration::systemCaCertificates() +
                                        QSslCertificate::fromPath(extraAuthorities));
    }
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    return configuration;
}

bool isNotPublished(const QNetworkReply& reply) {
    const int httpStatus = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return httpStatus == 404 || httpStatus == 410;
}

// A body shorter than the length the server announced was cut, whatever the connection said.
bool isComplete(const QNetworkReply& reply, qint64 received) {
    const QVariant announced = reply.header(QNetworkRequest::ContentLengthHeader);
    return !announced.isValid() || announced.toLongLong() == received;
}

QNetworkRequest requestFor(const QUrl& url, std::chrono::milliseconds stallTimeout) {
    QNetworkRequest request(url);
    request.setSslConfiguration(tlsConfiguration());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(static_cast<int>(stallTimeout.count()));
    // Without this Qt asks for a compressed body and unpacks it, and the announced length would
    // no longer be the length received.
    request.setRawHeader("Accept-Encoding", "identity");
    return request;
}

DownloadOutcome transferOutcome(const QNetworkReply& reply, qint64 received) {
    const QString address = reply.url().toDisplayString();
    if (reply.error() != QNetworkReply::NoError) {
        return failed(isNotPublished(reply) ? DownloadStatus::NotPublished : DownloadStatus::Failed,
                      address + QStringLiteral(": ") + reply.errorString());
    }
    if (!isComplete(reply, received)) {
        return failed(DownloadStatus::Failed,
                      address + QStringLiteral(": the transfer was cut short"));
    }
    return {DownloadStatus::Done, {}};
}

} // namespace

NetworkDownload::NetworkDownload(std::chrono::milliseconds stallTimeout)
    : m_stallTimeout(stallTimeout) {}

DownloadOutcome NetworkDownload::toFile(const QUrl& url, const QString& path) {
    if (url.scheme() != QLatin1String("https")) {
        return failed(DownloadStatus::Failed,
                      QStringLiteral("not an https address: %1").arg(url.toDisplayString()));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return failed(DownloadStatus::Failed, common::fileFailure(path, file.errorString()));
    }

    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(requestFor(url, m_stallTimeout));
    qint64 received = 0;
    bool written = true;
    const auto store = [&] {
        if (!reply->isOpen()) {
            return; // aborted or timed out
        }
        const QByteArray chunk = reply->readAll();
        received += chunk.size();
        if (written && file.write(chunk) != chunk.size()) {
            written = false;
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, reply, store);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    store();

    if (!written) {
        return failed(DownloadStatus::Failed, common::fileFailure(path, file.errorString()));
    }
    const DownloadOutcome transfer = transferOutcome(*reply, received);
    if (!transfer.done()) {
        return transfer;
    }
    if (!file.commit()) {
        return failed(DownloadStatus::Failed, common::fileFailure(path, file.errorString()));
    }
    return transfer;
}

} // namespace korvanta::platform
