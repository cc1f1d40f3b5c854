// The launcher opens documents in the spreadsheet program given by KORVANTA_SPREADSHEET_COMMAND
// and shows only folders that exist; addresses open through xdg-open.
#include "platform/launcher.h"
#include "support/environment_variable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace korvanta::platform {
namespace {

// Waits for a detached process to write `path`; empty when it never does.
QByteArray waitForFile(const QString& path) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            return file.readAll();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

TEST(Launcher, OpensTheDocumentWithTheConfiguredSpreadsheetCommand) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dane")));
    // The stand-in program writes its directory and arguments, then moves the list into place
    // in one step, so the test never reads half of it.
    const QString script = dir.filePath(QStringLiteral("calc.sh"));
    QFile scriptFile(script);
    ASSERT_TRUE(scriptFile.open(QIODevice::WriteOnly));
    scriptFile.write("out=$1; shift; { pwd; printf '%s\\n' \"$@\"; } > \"$out.part\"; "
                     "mv \"$out.part\" \"$out\"\n");
    scriptFile.close();
    const QString out = dir.filePath(QStringLiteral("opened.txt"));
    const bool wasSet = qEnvironmentVariableIsSet("KORVANTA_SPREADSHEET_COMMAND");
    const QByteArray previous = qgetenv("KORVANTA_SPREADSHEET_COMMAND");
    qputenv("KORVANTA_SPREADSHEET_COMMAND",
            QStringLiteral("/bin/sh \"%1\" \"%2\" --calc").arg(script, out).toLocal8Bit());

    ProcessLauncher launcher;
    const bool started =
        launcher.openInSpreadsheet(QStringLiteral("PlikRaportu.ods"), dir.filePath("dane"));
    if (wasSet) {
        qputenv("KORVANTA_SPREADSHEET_COMMAND", previous);
    } else {
        qunsetenv("KORVANTA_SPREADSHEET_COMMAND");
    }

    ASSERT_TRUE(started);
    const QString expected =
        QDir(dir.filePath("dane")).canonicalPath() + QStringLiteral("\n--calc\nPlikRaportu.ods\n");
    EXPECT_EQ(QString::fromLocal8Bit(waitForFile(out)), expected);
}

TEST(Launcher, OpensAnAddressWithXdgOpenAndSaysWhenItCannot) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("opened.txt"));
    const QString script = dir.filePath(QStringLiteral("xdg-open"));
    QFile scriptFile(script);
    ASSERT_TRUE(scriptFile.open(QIODevice::WriteOnly));
    scriptFile.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"%1.part\"; "
                                    "/bin/mv \"%1.part\" \"%1\"\n")
                         .arg(out)
                         .toLocal8Bit());
    scriptFile.close();
    ASSERT_TRUE(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));
    ProcessLauncher launcher;
    const QUrl page(QStringLiteral("https://example.test/Support/korvanta.html?a=b c"));

    {
        testing::EnvironmentVariable path("PATH", dir.path().toLocal8Bit());
        EXPECT_TRUE(launcher.openUrl(page));
    }
    EXPECT_EQ(QString::fromLocal8Bit(waitForFile(out)),
              QStringLiteral("https://example.test/Support/korvanta.html?a=b%20c\n"));

    testing::EnvironmentVariable path("PATH",
                                      dir.filePath(QStringLiteral("nothing")).toLocal8Bit());
    EXPECT_FALSE(launcher.openUrl(page));
}

TEST(Launcher, RefusesToShowAFolderThatIsNotThere) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("plik.dan")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ProcessLauncher launcher;
    EXPECT_FALSE(launcher.openFolder(dir.filePath(QStringLiteral("brak"))));
    EXPECT_FALSE(launcher.openFolder(file.fileName()));
}

} // namespace
} // namespace korvanta::platform
