// The spreadsheet hand-off with the real programs: LibreOffice reads the copy of a data file as
// numbers, and the window's hand-off starts the configured spreadsheet command with the copy.

#include "app/ui/tform34.h"
#include "files/spreadsheet_copy.h"
#include "files/ui/file_browser_panel.h"
#include "platform/clock.h"
#include "support/fake_acquisition.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_messages.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace korvanta {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The ';'-separated fields of each line of a CSV file.
QList<QStringList> csvRows(const QString& path) {
    QFile file(path);
    QList<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return rows;
    }
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.isEmpty()) {
            rows << line.split(QLatin1Char(';'));
        }
    }
    return rows;
}

double number(const QStringList& row, int field) {
    bool ok = false;
    const double value = row.value(field).toDouble(&ok);
    EXPECT_TRUE(ok) << "not a number: " << row.value(field).toStdString();
    return value;
}

TEST(SpreadsheetHandOff, LibreOfficeReadsTheCopysDecimalCommasAsTheSameNumbers) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        GTEST_SKIP() << "soffice is not installed";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath(QStringLiteral("pomiar.dan")),
              "opis k1  k2  k3 \r\n"
              "2024-01-02 10:00:00  1.25  .5  -3.75\r\n"
              "2024-01-02 10:00:01  12345.6789   0.0001 7\r\n");
    const QString copy = dir.filePath(QStringLiteral("pomiar.dan.txt"));
    ASSERT_EQ(files::writeSpreadsheetCopy(dir.filePath(QStringLiteral("pomiar.dan")), copy),
              files::SpreadsheetCopyOutcome::Written);

    // A profile of its own, so runs side by side do not share LibreOffice's user directory.
    const QString home = dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    QProcess convert;
    convert.setProcessEnvironment(environment);
    convert.start(soffice,
                  {QStringLiteral("-env:UserInstallation=file://") + home + QStringLiteral("/lo"),
                   QStringLiteral("--headless"),
                   QStringLiteral("--infilter=Text - txt - csv (StarCalc):9,34,76,1,,1045"),
                   QStringLiteral("--convert-to"),
                   QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76,1,,1033"),
                   QStringLiteral("--outdir"), dir.filePath(QStringLiteral("out")), copy});
    ASSERT_TRUE(convert.waitForFinished(120000)) << "soffice did not finish in 120 s";
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();

    const QList<QStringList> rows = csvRows(dir.filePath(QStringLiteral("out/pomiar.dan.csv")));
    ASSERT_EQ(rows.size(), 3) << convert.readAllStandardOutput().toStdString();
    EXPECT_EQ(rows[0].mid(0, 4), (QStringList{"opis", "k1", "k2", "k3"}));
    EXPECT_DOUBLE_EQ(number(rows[1], 2), 1.25);
    EXPECT_DOUBLE_EQ(number(rows[1], 3), 0.5);
    EXPECT_DOUBLE_EQ(number(rows[1], 4), -3.75);
    EXPECT_DOUBLE_EQ(number(rows[2], 2), 12345.6789);
    EXPECT_DOUBLE_EQ(number(rows[2], 3), 0.0001);
    EXPECT_DOUBLE_EQ(number(rows[2], 4), 7);
}

TEST(SpreadsheetHandOff, WindowStartsTheConfiguredSpreadsheetCommandWithTheCopy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    qputenv("KORVANTA_SHM_PREFIX", testing::FakeAcquisition::uniquePrefix().toLatin1());
    // The stand-in program writes its directory and arguments, then moves the list into place.
    writeFile(dir.filePath(QStringLiteral("calc.sh")),
              "out=$1; shift; { pwd; printf '%s\\n' \"$@\"; } > \"$out.part\"; "
              "mv \"$out.part\" \"$out\"\n");
    const QString recorded = dir.filePath(QStringLiteral("opened.txt"));
    qputenv("KORVANTA_SPREADSHEET_COMMAND",
            QStringLiteral("/bin/sh \"%1\" \"%2\"")
                .arg(dir.filePath(QStringLiteral("calc.sh")), recorded)
                .toLocal8Bit());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dane")));
    writeFile(dir.filePath(QStringLiteral("dane/pomiar.dan")), "2024-01-02 10:00:00 1.5\r\n");

    testing::ScriptedMessages messages;
    testing::ScriptedDialogs dialogs;
    platform::ProcessLauncher launcher;
    platform::SystemClock clock;
    {
        app::ui::TForm34 window({&messages, &dialogs, &launcher, &clock,
                                 [] {
                                 }},
                                {}, QStringLiteral("korvanta"));
        auto* browser = window.findChild<files::ui::FileBrowserPanel*>(QStringLiteral("Panel1"));
        ASSERT_NE(browser, nullptr);
        browser->setDirectory(dir.filePath(QStringLiteral("dane")));
        browser->setFileName(QStringLiteral("pomiar.dan"));
        window.findChild<QAction*>(QStringLiteral("WstawdoOpenOffice1"))->trigger();
    }
    qunsetenv("KORVANTA_SPREADSHEET_COMMAND");
    qunsetenv("KORVANTA_SHM_PREFIX");
    QDir::setCurrent(previous);

    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(recorded); }, 10000));
    QFile list(recorded);
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLocal8Bit(list.readAll()),
              QDir(dir.filePath(QStringLiteral("dane"))).canonicalPath() +
                  QStringLiteral("\npomiar.dan.txt\n"));
    QFile copy(dir.filePath(QStringLiteral("dane/pomiar.dan.txt")));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("2024-01-02\t10:00:00\t1,5\n"));
}

} // namespace
} // namespace korvanta
