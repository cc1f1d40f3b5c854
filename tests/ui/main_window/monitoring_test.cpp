#include "common/ui/labeled_edit.h"
#include "monitor/ui/monitoring_controller.h"
#include "ui/main_window/main_window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

using namespace korvanta;
using korvanta::common::ui::LabeledEdit;
using korvanta::testing::MainWindowTest;

namespace {

void setPeriod(MainWindowTest*, app::ui::TForm34& w, const QString& text) {
    auto* edit = w.findChild<LabeledEdit*>(QStringLiteral("LabeledEdit9"));
    edit->edit()->setText(text);
}

} // namespace

TEST_F(MainWindowTest, PeriodTextSetsTheCycleInterval) {
    attachAcquisition();
    app::ui::TForm34& w = start();
    monitor::ui::MonitoringController& m = w.monitoring();
    setPeriod(this, w, QStringLiteral("00:00:01.000"));
    m.ToolButton2Click();
    EXPECT_TRUE(m.Timer1->isActive());
    EXPECT_EQ(m.Timer1->interval(), 1000);
    EXPECT_EQ(w.session().settings().periodText(), "00:00:01.000");
    setPeriod(this, w, QStringLiteral("00:00:00.300"));
    m.Button2Click();
    EXPECT_EQ(m.Timer1->interval(), 299);
    EXPECT_TRUE(m.Timer1->isActive());
    m.ToolButton4Click();
    EXPECT_FALSE(m.Timer1->isActive());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowTest, ZeroOrMalformedPeriodNeverRunsTheTimer) {
    attachAcquisition();
    app::ui::TForm34& w = start();
    monitor::ui::MonitoringController& m = w.monitoring();
    for (const QString& text : {QString(), QStringLiteral("00:00:00.000"), QStringLiteral("1 s")}) {
        messages.shown.clear();
        setPeriod(this, w, text);
        m.ToolButton2Click();
        EXPECT_FALSE(m.Timer1->isActive()) << text.toStdString();
        ASSERT_EQ(messages.shown.size(), 1U);
        EXPECT_EQ(messages.shown[0].text, "Ustaw częstość pomiarów");
        EXPECT_EQ(messages.shown[0].caption, "ERROR");
        EXPECT_TRUE(find<QToolButton>("ToolButton2")->isEnabled());
    }
    setPeriod(this, w, QStringLiteral("00:00:01.000"));
    m.ToolButton2Click();
    ASSERT_TRUE(m.Timer1->isActive());
    messages.shown.clear();
    setPeriod(this, w, QString());
    m.Button2Click();
    EXPECT_EQ(m.Timer1->interval(), 1000);
    EXPECT_EQ(messages.countShown("Ustaw częstość pomiarów"), 1);
}

TEST_F(MainWindowTest, SameFileNameAsksNewMeasurementBothWays) {
    attachAcquisition();
    app::ui::TForm34& w = start();
    monitor::ui::MonitoringController& m = w.monitoring();
    clock.value = 46000.25;
    m.ToolButton2Click();
    EXPECT_TRUE(messages.asked.empty()); // previous name empty, "plik" differs: no question
    EXPECT_DOUBLE_EQ(w.session().startTime(), 46000.25);
    m.ToolButton4Click();
    EXPECT_EQ(w.session().previousFileName(), "plik");

    find<QPlainTextEdit>("Memo1")->setPlainText(QStringLiteral("kept"));
    clock.value = 46000.5;
    messages.answers = {false};
    m.ToolButton2Click();
    ASSERT_EQ(messages.asked.size(), 1U);
    EXPECT_EQ(messages.asked[0].caption, "Nowy pomiar?");
    EXPECT_EQ(messages.asked[0].text, "Jeśli chcesz zacząć nowy pomiar wciśnij TAK, jeśli chcesz "
                                      "kontynuować poprzedni wciśnij NIE.");
    EXPECT_EQ(find<QPlainTextEdit>("Memo1")->toPlainText(), "kept");
    EXPECT_DOUBLE_EQ(w.session().startTime(), 46000.25);
    m.ToolButton4Click();

    messages.answers = {true};
    m.ToolButton2Click();
    EXPECT_EQ(messages.asked.size(), 2U);
    EXPECT_TRUE(find<QPlainTextEdit>("Memo1")->toPlainText().isEmpty());
    EXPECT_DOUBLE_EQ(w.session().startTime(), 46000.5);
}

TEST_F(MainWindowTest, MonitoringStateDisablesModeButtonsAndEditor) {
    attachAcquisition();
    app::ui::TForm34& w = start();
    w.monitoring().ToolButton2Click();
    EXPECT_FALSE(find<QToolButton>("ToolButton2")->isEnabled());
    EXPECT_TRUE(find<QToolButton>("ToolButton2")->isChecked());
    EXPECT_FALSE(find<QWidget>("RadioButton1")->isEnabled());
    EXPECT_FALSE(find<QWidget>("ComboBox1")->isEnabled());
    EXPECT_FALSE(find<QWidget>("Button3")->isEnabled());
    w.monitoring().ToolButton4Click();
    EXPECT_TRUE(find<QToolButton>("ToolButton2")->isEnabled());
    EXPECT_FALSE(find<QToolButton>("ToolButton2")->isChecked());
    EXPECT_TRUE(find<QWidget>("RadioButton1")->isEnabled());
    EXPECT_TRUE(find<QWidget>("ComboBox1")->isEnabled());
}

TEST_F(MainWindowTest, OneCycleShowsTheChannelCount) {
    korvanta::testing::FakeAcquisition& shm = attachAcquisition(1000, 12);
    app::ui::TForm34& w = start();
    w.monitoring().ToolButton6Click();
    EXPECT_EQ(find<QLabel>("Label67")->text(), "Counter chanel: 12");
    shm.control().setChannelCount(3);
    w.monitoring().ToolButton6Click();
    EXPECT_EQ(find<QLabel>("Label67")->text(), "Counter chanel: 3");
}

TEST_F(MainWindowTest, StallWithAutoRestartStartsTheRestartProgramAndCloses) {
    korvanta::testing::FakeAcquisition& shm = attachAcquisition(100, 4);
    shm.fill(46000.0, [](int, int) { return 0.0; });
    shm.control().setCurrentIndex(5);
    shm.control().setAcquisitionActive(1);
    app::ui::TForm34& w = start();
    find<QCheckBox>("CheckBox14")->setChecked(true);

    w.monitoring().ToolButton6Click(); // first sight of the record: new
    EXPECT_EQ(endRequests, 0);
    w.monitoring().ToolButton6Click(); // nothing new, but no marker file: end request only
    EXPECT_EQ(shm.control().closeRequest(), 1);
    EXPECT_TRUE(launcher.starts.empty());
    EXPECT_EQ(endRequests, 0);
    // Monitoring goes on, and the stall watch holds the current time stamp again, so the
    // next stalled tick is acted on at once.
    EXPECT_EQ(w.session().link().lastTimeStamp(), 46000.0 + 5 * shm.control().samplePeriod());

    QFile marker(path(QStringLiteral("VistraHaldenKV.exe")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    w.monitoring().ToolButton6Click();
    ASSERT_EQ(launcher.starts.size(), 1U);
    EXPECT_EQ(launcher.starts[0].program, "ExecHaldenKV.exe");
    EXPECT_EQ(QDir(launcher.starts[0].workingDirectory), QDir(path(".")));
    EXPECT_EQ(endRequests, 1);
    EXPECT_EQ(shm.control().commandText(), "#1 x0;0 y0;0 &");
    EXPECT_TRUE(QFile::exists(settingsPath()));
}

TEST_F(MainWindowTest, AutomaticStartChecksTheThreeSavingOptions) {
    attachAcquisition();
    app::ui::TForm34& w = start({QStringLiteral("START")});
    w.monitoring().Timer8Timer();
    EXPECT_TRUE(w.monitoring().Timer1->isActive());
    EXPECT_FALSE(w.monitoring().Timer8->isActive());
    EXPECT_TRUE(find<QCheckBox>("CheckBox4")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CheckBox6")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CheckBox13")->isChecked());
    EXPECT_TRUE(w.session().settings().saveEvery());
}

TEST_F(MainWindowTest, LiveValueSlotsShowChosenChannels) {
    app::ui::TForm34& w = start();
    w.session().settings().setChannelName(3, QStringLiteral("Prąd A"));
    w.session().settings().setDecimalPlaces(3, 2);
    w.session().settings().setDecimalPlaces(5, 4);
    w.session().currentValues()[2] = 1.256;
    w.session().currentValues()[4] = 9.0;
    find<QLineEdit>("Edit6")->setText(QStringLiteral("3"));
    find<QLineEdit>("Edit7")->setText(QStringLiteral("5"));
    find<QLineEdit>("Edit16")->setText(QStringLiteral("unchanged"));
    w.Timer3Timer();
    EXPECT_EQ(find<QLabel>("Label37")->text(), "Prąd A");
    EXPECT_EQ(find<QLineEdit>("Edit15")->text(), "1.26");
    EXPECT_EQ(find<QLineEdit>("Edit16")->text(), "unchanged");
    find<QLineEdit>("Edit8")->setText(QStringLiteral("x"));
    w.Timer3Timer();
    EXPECT_EQ(messages.errors.size(), 1);
}

TEST_F(MainWindowTest, StatusBarShowsTheRunningCycleAndTheLastSave) {
    attachAcquisition();
    app::ui::TForm34& w = start();
    QFile blocker(path(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    w.session().settings().setDataDirectory(path(QStringLiteral("blocker/dane/")));
    find<QCheckBox>("CheckBox4")->setChecked(true);
    find<QLineEdit>("Edit9")->setText(QStringLiteral("1"));
    find<LabeledEdit>("LabeledEdit8")->setText(QStringLiteral("plik"));

    w.monitoring().ToolButton2Click();
    EXPECT_EQ(w.statusPanelText(0), "Monitorowanie");
    w.monitoring().ToolButton6Click();
    EXPECT_EQ(w.statusPanelText(0), "Monitorowanie: 1");
    EXPECT_EQ(w.statusPanelText(1), "Save error: plik.dan");

    w.session().settings().setDataDirectory(path(QStringLiteral("dane/")));
    w.monitoring().ToolButton6Click();
    EXPECT_EQ(w.statusPanelText(0), "Monitorowanie: 2");
    EXPECT_EQ(w.statusPanelText(1), "Save file: plik.dan");
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("dane/plik.dan"))));

    w.monitoring().ToolButton4Click();
    EXPECT_EQ(w.statusPanelText(0), QString());
}

TEST_F(MainWindowTest, AFullDiskUnderTheDanFileIsShownAndMonitoringGoesOn) {
    attachAcquisition();
    app::ui::TForm34& w = start();
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("dane"))));
    const QString dan = path(QStringLiteral("dane/plik.dan"));
    // Every write to it fails with "no space left on the device".
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), dan));
    w.session().settings().setDataDirectory(path(QStringLiteral("dane/")));
    find<QCheckBox>("CheckBox4")->setChecked(true);
    find<QLineEdit>("Edit9")->setText(QStringLiteral("1"));
    find<LabeledEdit>("LabeledEdit8")->setText(QStringLiteral("plik"));

    w.monitoring().ToolButton2Click();
    w.monitoring().ToolButton6Click();
    EXPECT_EQ(w.statusPanelText(1), "Save error: plik.dan");
    w.monitoring().ToolButton6Click();
    EXPECT_EQ(w.statusPanelText(0), "Monitorowanie: 2");
    EXPECT_EQ(w.statusPanelText(1), "Save error: plik.dan");

    ASSERT_TRUE(QFile::remove(dan)); // room again
    w.monitoring().ToolButton6Click();
    EXPECT_EQ(w.statusPanelText(0), "Monitorowanie: 3");
    EXPECT_EQ(w.statusPanelText(1), "Save file: plik.dan");
    QFile written(dan);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = written.readAll().split('\n');
    EXPECT_TRUE(lines.value(0).startsWith("opis_pliku")) << lines.value(0).toStdString();
    EXPECT_GE(lines.size(), 3);
    w.monitoring().ToolButton4Click();
}
