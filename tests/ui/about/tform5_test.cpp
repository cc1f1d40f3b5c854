// The about box against a local HTTPS server: the version check, the download of a new program
// file in place of a scratch copy of the program, and the support page.
#include "about/ui/tform5.h"
#include "platform/network_download.h"
#include "support/environment_variable.h"
#include "support/https_test_server.h"
#include "support/read_only_directory.h"
#include "support/scripted_launcher.h"
#include "support/scripted_messages.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace korvanta::about::ui {
namespace {

using testing::EnvironmentVariable;
using testing::HttpsTestServer;

const QString kVersionPath = QStringLiteral("/client/korvp/nowawer.txt");
const QString kProgramPath = QStringLiteral("/client/korvp/Korvanta.ex_");
const QString kHashPath = QStringLiteral("/client/korvp/Korvanta.ex_.sha256");
const QByteArray kOldProgram = "#!/bin/sh\necho old\n";
const QByteArray kNewProgram = "#!/bin/sh\necho new version 2.9\n";

QByteArray sha256Hex(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A port on 127.0.0.1 where nothing listens.
quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

class TForm5Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("bin")));
        writeFile(program(), kOldProgram);
        QFile::setPermissions(program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_TRUE(server.start()) << "openssl or the TLS backend is missing";
        m_serverUrl.emplace("KORVANTA_UPDATE_URL", server.base().toLatin1());
        m_authorities.emplace("SSL_CERT_FILE", server.authorityFile().toLocal8Bit());
        services.messages = &messages;
        services.launcher = &launcher;
        services.download = &download;
        form = std::make_unique<TForm5>(services, program());
    }
    void TearDown() override {
        form.reset();
        m_authorities.reset();
        m_serverUrl.reset();
    }

    QString binDirectory() const { return m_dir.filePath(QStringLiteral("bin")); }
    QString program() const { return binDirectory() + QStringLiteral("/korvanta"); }
    QString backup() const { return program() + QStringLiteral(".bak"); }
    QStringList binFiles() const {
        return QDir(binDirectory()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void useServer(const QString& base) {
        m_serverUrl.emplace("KORVANTA_UPDATE_URL", base.toLatin1());
    }
    void distrustServer() { m_authorities.emplace("SSL_CERT_FILE", std::nullopt); }

    QString clickCheck() {
        QTest::mouseClick(form->checkVersionButton(), Qt::LeftButton);
        return form->checkVersionButton()->text();
    }
    QString clickDownload() {
        QTest::mouseClick(form->downloadButton(), Qt::LeftButton);
        return form->downloadButton()->text();
    }

    HttpsTestServer server;
    testing::ScriptedMessages messages;
    testing::ScriptedLauncher launcher;
    platform::NetworkDownload download{std::chrono::seconds(10)};
    platform::Services services;
    std::unique_ptr<TForm5> form;

private:
    QTemporaryDir m_dir;
    std::optional<EnvironmentVariable> m_serverUrl;
    std::optional<EnvironmentVariable> m_authorities;
};

TEST_F(TForm5Test, ShowsTheProgramItsVersionAndTheThreeButtons) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("O programie"));
    const auto label = [this](const char* name) {
        auto* found = form->findChild<QLabel*>(QLatin1String(name));
        return found != nullptr ? found->text() : QStringLiteral("<none>");
    };
    EXPECT_EQ(label("makerLabel"), QStringLiteral("ZARO"));
    EXPECT_EQ(label("programLabel"), QStringLiteral("Korvanta"));
    EXPECT_EQ(label("purposeLabel"), QStringLiteral("Program wizualizacji danych"));
    EXPECT_EQ(label("versionLabel"), QStringLiteral("wer. 2.8.8.9"));
    auto* picture = form->findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());

    const struct {
        QToolButton* button;
        const char* name;
        QString caption;
        QString hint;
    } buttons[] = {
        {form->checkVersionButton(), "SpeedButton1",
         QStringLiteral("-> Sprawdź nową wersję programu?"),
         QStringLiteral("Sprawdź czy jest nowsza wersja programu.")},
        {form->downloadButton(), "SpeedButton3", QStringLiteral(" ->Pobierz nową wersję programu."),
         QStringLiteral("Pobierz najnowszą wersję programu z internetu.")},
        {form->supportButton(), "SpeedButton2",
         QStringLiteral("Otwórz stronę  pomocy technicznej."),
         QStringLiteral("Internetowa pomoc techniczna.")},
    };
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button->objectName(), QLatin1String(b.name));
        EXPECT_EQ(b.button->text(), b.caption) << b.name;
        EXPECT_EQ(b.button->toolTip(), b.hint) << b.name;
    }
    auto* ok = form->findChild<QPushButton*>(QStringLiteral("okButton"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
}

TEST_F(TForm5Test, CheckShowsTheFirstLineEveryTimeCutTo39Characters) {
    writeFile(binDirectory() + QStringLiteral("/newver.txt"), "stale text\r\n");
    QString captionDuringDownload;
    server.onRequest = [&](const QString&) {
        captionDuringDownload = form->checkVersionButton()->text();
    };
    server.serve(kVersionPath, "2.9.0.1 z dnia 2024-05-01\r\nPoprawki wydruku\r\n");

    EXPECT_EQ(clickCheck(), QStringLiteral("2.9.0.1 z dnia 2024-05-01"));
    EXPECT_EQ(captionDuringDownload, QStringLiteral("  Wait !!"));
    EXPECT_EQ(binFiles(), QStringList{QStringLiteral("korvanta")});

    server.serve(kVersionPath, "Wersja 3.0.0.0: nowy wykres, nowe raporty i pomoc techniczna\n");
    EXPECT_EQ(clickCheck(), QStringLiteral("Wersja 3.0.0.0: nowy wykres, nowe rapor"));
    EXPECT_EQ(server.requests(kVersionPath), 2);
    EXPECT_EQ(binFiles(), QStringList{QStringLiteral("korvanta")});
}

TEST_F(TForm5Test, CheckWithoutAServerOrWithAnUntrustedOneFails) {
    server.serve(kVersionPath, "2.9.0.1\r\n");

    useServer(QStringLiteral("https://127.0.0.1:%1").arg(closedPort()));
    EXPECT_EQ(clickCheck(), QStringLiteral("  Błąd pobierania"));
    EXPECT_EQ(binFiles(), QStringList{QStringLiteral("korvanta")});

    useServer(server.base().replace(QStringLiteral("https:"), QStringLiteral("http:")));
    EXPECT_EQ(clickCheck(), QStringLiteral("  Błąd pobierania"));

    useServer(server.base());
    distrustServer();
    EXPECT_EQ(clickCheck(), QStringLiteral("  Błąd pobierania"));
    EXPECT_EQ(server.requests(kVersionPath), 0);
    EXPECT_EQ(binFiles(), QStringList{QStringLiteral("korvanta")});
}

TEST_F(TForm5Test, DownloadPutsTheNewProgramInPlaceAndKeepsTheOldOne) {
    writeFile(backup(), "older program");
    QString captionDuringDownload;
    server.onRequest = [&](const QString&) {
        captionDuringDownload = form->downloadButton()->text();
    };
    server.serve(kProgramPath, kNewProgram);
    server.serve(kHashPath, sha256Hex(kNewProgram) + "  Korvanta.ex_\n");

    EXPECT_EQ(clickDownload(), QStringLiteral("Pobieranie zakończone: OK!"));
    EXPECT_EQ(captionDuringDownload, QStringLiteral("  Wait!! "));
    EXPECT_EQ(contents(program()), kNewProgram);
    EXPECT_EQ(contents(backup()), kOldProgram);
    QProcess started;
    started.start(program(), {});
    ASSERT_TRUE(started.waitForFinished(10000)) << "the new program does not start";
    EXPECT_EQ(started.readAllStandardOutput(), QByteArray("new version 2.9\n"));
    EXPECT_EQ(binFiles(),
              (QStringList{QStringLiteral("korvanta"), QStringLiteral("korvanta.bak")}));

    // A bare hash, and then no hash at all, are as good.
    const QByteArray third = "#!/bin/sh\necho third\n";
    server.serve(kProgramPath, third);
    server.serve(kHashPath, sha256Hex(third).toUpper());
    EXPECT_EQ(clickDownload(), QStringLiteral("Pobieranie zakończone: OK!"));
    EXPECT_EQ(contents(program()), third);
    EXPECT_EQ(contents(backup()), kNewProgram);

    server.remove(kHashPath);
    server.serve(kProgramPath, kNewProgram);
    EXPECT_EQ(clickDownload(), QStringLiteral("Pobieranie zakończone: OK!"));
    EXPECT_EQ(contents(program()), kNewProgram);
    EXPECT_EQ(contents(backup()), third);
}

TEST_F(TForm5Test, AFailedDownloadLeavesTheProgramAsItWas) {
    writeFile(backup(), "older program");
    const QByteArray big(256 * 1024, 'x');
    const struct {
        const char* what;
        std::function<void()> prepare;
    } cases[] = {
        {"cut half-way",
         [&] {
             server.serveCut(kProgramPath, big, big.size() / 2);
         }},
        {"empty file",
         [&] {
             server.serve(kProgramPath, {});
         }},
        {"hash mismatch",
         [&] {
             server.serve(kProgramPath, kNewProgram);
             server.serve(kHashPath, sha256Hex("something else") + "  Korvanta.ex_\n");
         }},
        {"hash file without a hash",
         [&] {
             server.serve(kProgramPath, kNewProgram);
             server.serve(kHashPath, "<html>moved</html>\n");
         }},
        {"no program file",
         [&] {
             server.remove(kProgramPath);
             server.remove(kHashPath);
         }},
        {"no server",
         [&] {
             useServer(QStringLiteral("https://127.0.0.1:%1").arg(closedPort()));
         }},
    };
    for (const auto& c : cases) {
        c.prepare();
        EXPECT_EQ(clickDownload(), QStringLiteral("  Błąd pobierania !.")) << c.what;
        EXPECT_EQ(contents(program()), kOldProgram) << c.what;
        EXPECT_EQ(contents(backup()), QByteArray("older program")) << c.what;
        EXPECT_EQ(binFiles(),
                  (QStringList{QStringLiteral("korvanta"), QStringLiteral("korvanta.bak")}))
            << c.what;
    }
}

TEST_F(TForm5Test, AProgramDirectoryThatCannotBeWrittenIsLeftAlone) {
    server.serve(kProgramPath, kNewProgram);
    server.serve(kVersionPath, "2.9.0.1\r\n");
    testing::ReadOnlyDirectory readOnly(binDirectory());
    if (!readOnly.holds()) {
        GTEST_SKIP() << "this process can write any directory here";
    }

    EXPECT_EQ(clickDownload(), QStringLiteral("  Brak prawa zapisu w katalogu programu"));
    EXPECT_EQ(server.requests(kProgramPath), 0);
    EXPECT_EQ(contents(program()), kOldProgram);
    EXPECT_EQ(binFiles(), QStringList{QStringLiteral("korvanta")});
    // The version can still be checked: its text goes to the temporary directory.
    EXPECT_EQ(clickCheck(), QStringLiteral("2.9.0.1"));
}

TEST_F(TForm5Test, SupportPageOpensInTheBrowserOrSaysTheSystemFailed) {
    QTest::mouseClick(form->supportButton(), Qt::LeftButton);
    ASSERT_EQ(launcher.openedUrls.size(), 1U);
    EXPECT_EQ(launcher.openedUrls[0].toString(), server.base() + "/Support/korvanta.html");
    EXPECT_TRUE(messages.critical.empty());

    launcher.result = false;
    QTest::mouseClick(form->supportButton(), Qt::LeftButton);
    ASSERT_EQ(messages.critical.size(), 1U);
    EXPECT_EQ(messages.critical[0].text, QStringLiteral("System WINDOWS zgłosił bląd...."));
    EXPECT_EQ(messages.critical[0].caption, QStringLiteral("Błąd..."));
}

} // namespace
} // namespace korvanta::about::ui
