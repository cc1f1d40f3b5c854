// The test record on its controls: USTAWIENIA, ZATWIERDŹ, RAPORT and OTWÓRZ SZABLON.
#include "acquisition/settings_record.h"
#include "bench/ui/bench_settings_page.h"
#include "bench/ui/test_record_controller.h"
#include "bench/ui/tform10.h"
#include "common/number_format.h"
#include "support/scripted_launcher.h"
#include "support/scripted_messages.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvanta::bench::ui {
namespace {

QString twentyValuesText() {
    QStringList values;
    for (int i = 0; i < 20; ++i) {
        values << QStringLiteral("w%1").arg(i);
    }
    return values.join(QLatin1Char('\n'));
}

class TestRecordControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        record.setDataDirectory(dataDirectory());
        services.messages = &messages;
        services.launcher = &launcher;
    }
    void TearDown() override {
        QDir::setCurrent(m_previousDirectory);
        common::setDecimalSeparator(QLatin1Char('.'));
    }

    QString dataDirectory() const { return m_dir.filePath(QStringLiteral("dane")); }
    QByteArray bytesOf(const QString& name) const {
        QFile file(QDir(dataDirectory()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }
    void click(const QWidget& window, const char* button) {
        auto* found = window.findChild<QPushButton*>(QLatin1String(button));
        ASSERT_NE(found, nullptr) << button;
        found->click();
    }
    void setParameter(const char* edit, const QString& text) {
        auto* found = page.findChild<QLineEdit*>(QLatin1String(edit));
        ASSERT_NE(found, nullptr) << edit;
        found->setText(text);
    }

    QString m_previousDirectory = QDir::currentPath();
    QTemporaryDir m_dir;
    acquisition::SettingsRecord record;
    testing::ScriptedMessages messages;
    testing::ScriptedLauncher launcher;
    platform::Services services;
    QStringList log;
    BenchSettingsPage page{record, messages};
    TForm10 form;
};

TEST_F(TestRecordControllerTest, FillConfirmReportAndOpenTheTemplate) {
    TestRecordController controller(page, form, record, services, [this] { return log; });
    QSignalSpy confirmedChanges(&controller, &TestRecordController::confirmedChanged);
    EXPECT_FALSE(controller.confirmed());

    // USTAWIENIA: upper displacement is empty, so its line keeps the old value.
    form.memo2()->setPlainText(QStringLiteral("a\nb\nstary"));
    setParameter("LabeledEdit24Edit", QStringLiteral("10"));
    setParameter("LabeledEdit25Edit", QStringLiteral("2"));
    setParameter("LabeledEdit28Edit", QStringLiteral("15"));
    setParameter("LabeledEdit29Edit", QStringLiteral("3"));
    click(page, "Button17");
    EXPECT_EQ(form.memo2()->toPlainText(), QStringLiteral("10\n2\nstary\n15\n3"));
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Ustaw górny zakres przesunięcia"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Błąd"));
    EXPECT_TRUE(form.isVisible());

    // ZATWIERDŹ with five lines: refused, the window stays open.
    form.edit1()->setText(QStringLiteral("rama1"));
    click(form, "Button1");
    EXPECT_EQ(messages.countShown(QStringLiteral("Brak wymaganych ustawień")), 1);
    EXPECT_EQ(messages.shown.back().caption, QStringLiteral("Błąd"));
    EXPECT_FALSE(controller.confirmed());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(QFile::exists(QDir(dataDirectory()).filePath(QStringLiteral("rama1.txt"))));

    // Twenty values and a trailing line break make a 21st, empty line: still refused.
    form.memo2()->setPlainText(twentyValuesText() + QLatin1Char('\n'));
    click(form, "Button1");
    EXPECT_EQ(messages.countShown(QStringLiteral("Brak wymaganych ustawień")), 2);
    EXPECT_FALSE(controller.confirmed());

    // Twenty values: confirmed, the record goes to the report file and the window closes.
    form.memo2()->setPlainText(twentyValuesText());
    click(form, "Button1");
    EXPECT_TRUE(controller.confirmed());
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(confirmedChanges.size(), 1);
    EXPECT_TRUE(confirmedChanges[0][0].toBool());
    EXPECT_EQ(controller.reportName(), QStringLiteral("rama1"));
    EXPECT_EQ(controller.itemValues().size(), 20);
    EXPECT_EQ(controller.itemValues()[19], QStringLiteral("w19"));
    EXPECT_TRUE(
        bytesOf(QStringLiteral("rama1.txt")).endsWith("Wymiar I w19\r\nWYNIKI BADA\xD1:\r\n"));

    // RAPORT: the values and the log into the template data file; the flag stays set.
    log = QStringList{"00:00:01.000 2.00", "STOP"};
    click(page, "Button18");
    const QByteArray data = bytesOf(QStringLiteral("PlikRaportu.ods"));
    EXPECT_TRUE(data.startsWith("w0\r\nw1\r\n"));
    EXPECT_TRUE(data.endsWith("w19\r\n00:00:01.000 2.00\r\nSTOP\r\n"));
    EXPECT_EQ(data.count("\r\n"), 22);
    EXPECT_TRUE(form.memo2()->toPlainText().isEmpty());
    EXPECT_TRUE(controller.confirmed());
    EXPECT_EQ(confirmedChanges.size(), 1);

    // OTWÓRZ SZABLON: the data file, then the template, from the data directory.
    click(page, "Button20");
    ASSERT_EQ(launcher.spreadsheetOpens.size(), 2U);
    EXPECT_EQ(launcher.spreadsheetOpens[0].document, QStringLiteral("PlikRaportu.ods"));
    EXPECT_EQ(launcher.spreadsheetOpens[1].document, QStringLiteral("Szablon.ods"));
    for (const auto& open : launcher.spreadsheetOpens) {
        EXPECT_EQ(QDir(open.workingDirectory).canonicalPath(),
                  QDir(dataDirectory()).canonicalPath());
    }

    // The emptied record no longer confirms: the flag clears and START is refused again.
    form.show();
    click(form, "Button1");
    EXPECT_FALSE(controller.confirmed());
    ASSERT_EQ(confirmedChanges.size(), 2);
    EXPECT_FALSE(confirmedChanges[1][0].toBool());
    EXPECT_TRUE(controller.reportName().isEmpty());
    EXPECT_EQ(messages.countShown(QStringLiteral("Brak wymaganych ustawień")), 3);
}

TEST_F(TestRecordControllerTest, UnwritableFilesAreNamedAndNothingTypedIsLost) {
    QFile blocker(m_dir.filePath(QStringLiteral("plik")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    record.setDataDirectory(m_dir.filePath(QStringLiteral("plik/dane")));
    TestRecordController controller(page, form, record, services, [this] { return log; });

    form.show();
    form.memo2()->setPlainText(twentyValuesText());
    form.edit1()->setText(QStringLiteral("rama1"));
    click(form, "Button1");
    // The record is complete and confirmed; the operator learns that its file failed.
    EXPECT_TRUE(controller.confirmed());
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("rama1.txt")))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Błąd"));
    EXPECT_TRUE(form.isVisible());

    click(page, "Button18");
    ASSERT_EQ(messages.shown.size(), 2U);
    EXPECT_TRUE(messages.shown[1].text.contains(QStringLiteral("PlikRaportu.ods")))
        << messages.shown[1].text.toStdString();
    EXPECT_EQ(form.memo2()->toPlainText(), twentyValuesText());
}

} // namespace
} // namespace korvanta::bench::ui
