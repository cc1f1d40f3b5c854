// The address mode on the main window: one cycle per new system with "Sprawdzaj adres systemu"
// ticked shows the step and writes the system's files; the part view, the status line and
// "Save bufer..".

#include "chart/ui/monitor_chart.h"
#include "common/day_time.h"
#include "common/ui/labeled_edit.h"
#include "monitor/ui/dump_progress_window.h"
#include "monitor/ui/monitoring_controller.h"
#include "ui/main_window/main_window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QToolButton>

using namespace korvanta;
using korvanta::common::ui::LabeledEdit;
using korvanta::testing::MainWindowTest;

namespace {

// 100 records 10 ms apart holding 2.5 on input 1; channel 1 is their mean.
class AddressMode : public MainWindowTest {
protected:
    app::ui::TForm34& startAddressMode() {
        korvanta::testing::FakeAcquisition& shm = attachAcquisition(100, 4);
        shm.fill(46215.25, [](int k, int) { return k == 1 ? 2.5 : 0.0; });
        app::ui::TForm34& w = start();
        acquisition::SettingsRecord& s = w.session().settings();
        s.setActive(1, true);
        s.setChannelNumber(1, 1);
        s.setFunctionIndex(1, 0);
        s.setInputNumber(1, 1);
        s.setDecimalPlaces(1, 1);
        s.setDataDirectory(path(QStringLiteral("dane/")));
        for (const char* box : {"CheckBox16", "CheckBox4", "CheckBox6", "CheckBox13"}) {
            find<QCheckBox>(box)->setChecked(true);
        }
        find<QLineEdit>("Edit9")->setText(QStringLiteral("1"));
        return w;
    }
    void cycle(char address) {
        acquisition->control().setSystemAddress(address);
        window->monitoring().ToolButton6Click();
    }
    QStringList memo(const char* name) const {
        return find<QPlainTextEdit>(name)->toPlainText().split(QLatin1Char('\n'));
    }
    chart::ui::MonitorChart* chart() const { return find<chart::ui::MonitorChart>("Chart1"); }
};

TEST_F(AddressMode, ACycleForANewSystemShowsItsStepAndWritesItsFiles) {
    app::ui::TForm34& w = startAddressMode();
    cycle('a');
    const QString now =
        common::formatDayTime(QStringLiteral("yyyy-mm-dd hh:mm:ss.zzz"), clock.now());
    EXPECT_EQ(find<QLabel>("Label55")->text(), "Current system: a");
    EXPECT_EQ(find<QLabel>("Label66")->text(), "01.000");
    EXPECT_EQ(memo("Memo1"), (QStringList{"Record: a", now + " 2.5"}));
    EXPECT_EQ(memo("Memo4"), (QStringList{"REPORT " + now, "k1 ŚREDNIA 2.5    "}));
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit18")->text(), "A");
    EXPECT_EQ(find<QLabel>("Label35")->text(), "time         k1 ");
    EXPECT_EQ(find<QLabel>("Label64")->text(), "Dynamic file name..");
    EXPECT_EQ(w.statusPanelText(1), "Save file: A202607.dan");
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("dane/A202607.dan"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("A.net"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("A.rap"))));
    EXPECT_EQ(chart()->series(0)->data()->size(), 1) << "the chart gets its point";

    cycle('a'); // the same system again: the median, no step
    EXPECT_EQ(memo("Memo1").size(), 2);

    // A .net file that cannot be written is named in the status line.
    ASSERT_TRUE(QDir().mkdir(path(QStringLiteral("B.net"))));
    cycle('B');
    EXPECT_EQ(memo("Memo1").size(), 4);
    EXPECT_EQ(w.statusPanelText(1), "Save error: B.net");

    // "Save bufer.." dumps the table for the system last processed.
    find<QPushButton>("Button7")->click();
    const QString name = "dynamic/B" +
                         common::formatDayTime(QStringLiteral("yyyymmdd_hhnnss"), clock.now()) +
                         "0.txt";
    EXPECT_EQ(find<QLabel>("Label64")->text(), "Dynamic file name: " + name);
    EXPECT_EQ(w.statusPanelText(1), "Save file: " + name);
    QFile dump(path(name));
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    EXPECT_EQ(dump.readAll().count('\n'), 101);

    // With dynamic recording on, the next new system is dumped in the cycle.
    find<QCheckBox>("CheckBox17")->setChecked(true);
    clock.value += 2.0 / 86400;
    cycle('A');
    EXPECT_TRUE(find<QLabel>("Label64")->text().startsWith("Dynamic file name: dynamic/A"));
}

TEST_F(AddressMode, PartViewMovesTheAxisStartLeftAtEachStepAndBackToZero) {
    startAddressMode();
    find<LabeledEdit>("LabeledEdit10")->setText(QStringLiteral("5"));
    auto* button = find<QToolButton>("ToolButton17");
    button->click();
    cycle('A');
    EXPECT_EQ(chart()->bottomAxisStart(), -5);
    EXPECT_TRUE(button->isChecked());
    cycle('B');
    EXPECT_EQ(chart()->bottomAxisStart(), -10);
    button->click();
    cycle('A');
    EXPECT_EQ(chart()->bottomAxisStart(), 0);
    EXPECT_FALSE(button->isChecked());

    // A step that does not convert ends the cycle with the standard message, the chart as it was.
    button->click();
    find<LabeledEdit>("LabeledEdit10")->setText(QStringLiteral("pięć"));
    cycle('B');
    EXPECT_EQ(messages.errors, QStringList{"'pięć' is not a valid floating point value"});
    EXPECT_EQ(chart()->bottomAxisStart(), 0);
}

TEST_F(MainWindowTest, ALongDumpShowsItsProgress) {
    QWidget parent;
    {
        monitor::ui::DumpProgressWindow progress(&parent, 0);
        progress.report(10, 100);
        auto* dialog = parent.findChild<QProgressDialog*>(QStringLiteral("DumpProgress"));
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->value(), 10);
        progress.report(60, 100);
        EXPECT_EQ(dialog->value(), 60);
    }
    EXPECT_EQ(parent.findChild<QProgressDialog*>(QStringLiteral("DumpProgress")), nullptr);

    monitor::ui::DumpProgressWindow quick(&parent);
    quick.report(10, 100);
    EXPECT_EQ(parent.findChild<QProgressDialog*>(QStringLiteral("DumpProgress")), nullptr)
        << "a dump shorter than half a second shows nothing";
}

} // namespace
