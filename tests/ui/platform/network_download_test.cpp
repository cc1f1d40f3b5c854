// The download seam against a local HTTPS server: a file appears only when its whole body came
// from a trusted server over HTTPS.
#include "platform/network_download.h"
#include "support/environment_variable.h"
#include "support/https_test_server.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace korvanta::platform {
namespace {

using testing::EnvironmentVariable;

class NetworkDownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(server.start()) << "openssl or the TLS backend is missing";
        m_authorities.emplace("SSL_CERT_FILE", server.authorityFile().toLocal8Bit());
    }

    QUrl url(const QString& path) const { return QUrl(server.base() + path); }
    QString target() const { return m_dir.filePath(QStringLiteral("target.bin")); }
    QByteArray targetContents() const {
        QFile file(target());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void distrustServer() { m_authorities.emplace("SSL_CERT_FILE", std::nullopt); }

    testing::HttpsTestServer server;

private:
    QTemporaryDir m_dir;
    std::optional<EnvironmentVariable> m_authorities;
};

TEST_F(NetworkDownloadTest, WritesTheWholeBodyAndNothingElse) {
    const QByteArray body(300 * 1024, 'k');
    server.serve(QStringLiteral("/a"), body);
    NetworkDownload download;

    const DownloadOutcome outcome = download.toFile(url(QStringLiteral("/a")), target());
    EXPECT_TRUE(outcome.done()) << outcome.reason.toStdString();
    EXPECT_TRUE(outcome.reason.isEmpty());
    EXPECT_EQ(targetContents(), body);
}

TEST_F(NetworkDownloadTest, FailuresLeaveTheFileOfThatNameAsItWas) {
    NetworkDownload download(std::chrono::milliseconds(400));
    server.serveCut(QStringLiteral("/cut"), QByteArray(100000, 'c'), 50000);
    server.serveNothing(QStringLiteral("/silent"));
    {
        QFile file(target());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("before");
    }

    DownloadOutcome outcome = download.toFile(url(QStringLiteral("/missing")), target());
    EXPECT_EQ(outcome.status, DownloadStatus::NotPublished);
    EXPECT_FALSE(outcome.reason.isEmpty());

    outcome = download.toFile(url(QStringLiteral("/cut")), target());
    EXPECT_EQ(outcome.status, DownloadStatus::Failed);

    QElapsedTimer clock;
    clock.start();
    outcome = download.toFile(url(QStringLiteral("/silent")), target());
    EXPECT_EQ(outcome.status, DownloadStatus::Failed);
    EXPECT_LT(clock.elapsed(), 5000);

    EXPECT_EQ(targetContents(), QByteArray("before"));
}

TEST_F(NetworkDownloadTest, OnlyATrustedHttpsServerIsAsked) {
    server.serve(QStringLiteral("/a"), "body");
    NetworkDownload download;

    QUrl plain = url(QStringLiteral("/a"));
    plain.setScheme(QStringLiteral("http"));
    EXPECT_EQ(download.toFile(plain, target()).status, DownloadStatus::Failed);

    distrustServer();
    EXPECT_EQ(download.toFile(url(QStringLiteral("/a")), target()).status, DownloadStatus::Failed);

    EXPECT_EQ(server.requests(QStringLiteral("/a")), 0);
    EXPECT_FALSE(QFileInfo::exists(target()));
}

} // namespace
} // namespace korvanta::platform
