#pragma once
// A small HTTPS server on 127.0.0.1 for download tests. It makes its own certificate authority
// and server certificate with the openssl command, so a client trusts it only when told to (the
// authority file through SSL_CERT_FILE). It serves fixed bodies by path, 404 for the rest, and
// can announce a body it then cuts short, or answer nothing at all.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTemporaryDir>
#include <functional>

namespace korvanta::testing {

class HttpsTestServer {
public:
    // What the server does for one path.
    struct Answer {
        QByteArray body;
        qint64 bytesSent = -1; // fewer than the body's length: the connection closes after them
        bool silent = false;   // never answers
    };

    // Makes the certificates and listens on a free port; false when either fails.
    bool start() {
        if (!m_dir.isValid() || !makeCertificates()) {
            return false;
        }
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(QSslCertificate::fromPath(path("server.pem")).value(0));
        QFile keyFile(path("server.key"));
        if (!keyFile.open(QIODevice::ReadOnly)) {
            return false;
        }
        tls.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec));
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
        m_server.setSslConfiguration(tls);
        QObject::connect(&m_server, &QTcpServer::pendingConnectionAvailable, &m_server,
                         [this] { acceptPending(); });
        return m_server.listen(QHostAddress::LocalHost, 0);
    }

    QString base() const {
        return QStringLiteral("https://127.0.0.1:%1").arg(m_server.serverPort());
    }
    QString authorityFile() const { return path("ca.pem"); }

    void serve(const QString& urlPath, const QByteArray& body) { m_answers[urlPath] = {body}; }
    void serveCut(const QString& urlPath, const QByteArray& body, qint64 bytesSent) {
        m_answers[urlPath] = {body, bytesSent};
    }
    void serveNothing(const QString& urlPath) { m_answers[urlPath] = {{}, -1, true}; }
    void remove(const QString& urlPath) { m_answers.remove(urlPath); }

    // Called with the path of each request before it is answered.
    std::function<void(const QString&)> onRequest;

    // How many requests asked for `urlPath`.
    int requests(const QString& urlPath) const { return m_requests.value(urlPath); }

private:
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    bool openssl(const QStringList& arguments) const {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral("openssl"), arguments);
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    bool makeCertificates() const {
        QFile extensions(path("server.ext"));
        if (!extensions.open(QIODevice::WriteOnly)) {
            return false;
        }
        extensions.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n"
                         "extendedKeyUsage=serverAuth\n");
        extensions.close();
        const QStringList ecKey = {
            QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
            QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
        return openssl(QStringList{"req", "-x509", "-days", "2", "-subj", "/CN=Korvanta test CA",
                                   "-addext", "basicConstraints=critical,CA:TRUE", "-addext",
                                   "keyUsage=critical,keyCertSign,cRLSign", "-keyout", "ca.key",
                                   "-out", "ca.pem"} +
                       ecKey) &&
               openssl(QStringList{"req", "-subj", "/CN=127.0.0.1", "-keyout", "server.key", "-out",
                                   "server.csr"} +
                       ecKey) &&
               openssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                        "-CAcreateserial", "-days", "2", "-extfile", "server.ext", "-out",
                        "server.pem"});
    }

    void acceptPending() {
        while (m_server.hasPendingConnections()) {
            auto* socket = static_cast<QSslSocket*>(m_server.nextPendingConnection());
            QObject::connect(socket, &QSslSocket::readyRead, socket,
                             [this, socket] { answer(*socket); });
            QObject::connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void answer(QSslSocket& socket) {
        QByteArray& request = m_pending[&socket];
        request += socket.readAll();
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        const QString urlPath = QString::fromLatin1(request.split(' ').value(1));
        m_pending.remove(&socket);
        ++m_requests[urlPath];
        if (onRequest) {
            onRequest(urlPath);
        }
        const auto found = m_answers.constFind(urlPath);
        if (found == m_answers.constEnd()) {
            socket.write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\n"
                         "Not found");
        } else if (found->silent) {
            return;
        } else {
            socket.write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                         "Connection: close\r\nContent-Length: " +
                         QByteArray::number(found->body.size()) + "\r\n\r\n");
            socket.write(found->bytesSent < 0 ? found->body : found->body.left(found->bytesSent));
        }
        socket.disconnectFromHost();
    }

    QTemporaryDir m_dir;
    QSslServer m_server;
    QHash<QString, Answer> m_answers;
    QHash<QString, int> m_requests;
    QHash<QSslSocket*, QByteArray> m_pending;
};

} // namespace korvanta::testing
