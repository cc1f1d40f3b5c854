// The address mode on the main window against the real simulator serving three systems A, a
// and B, each with data of its own: the service user ticks "Sprawdzaj adres systemu" on the
// advanced tab and starts monitoring; every system's files hold its own values and each listed
// system is dumped once before the pass waits for its interval.

#include "app/ui/tform34.h"
#include "common/day_time.h"
#include "common/text_file.h"
#include "common/ui/labeled_edit.h"
#include "monitor/monitoring_session.h"
#include "platform/clock.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_launcher.h"
#include "support/scripted_messages.h"
#include "support/sim_process.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace korvanta {
namespace {

using common::ui::LabeledEdit;

// Input 1 holds 5, plus 100 for each place of the system in "AaB"; a new system every 2 s.
const QStringList kSystems = {
    "--channels",  "4",   "--records",        "500", "--rate",           "100", "--dc", "1:5",
    "--addresses", "AaB", "--address-offset", "100", "--address-period", "2"};

double systemValue(QChar system) {
    return 5.0 + 100.0 * QStringLiteral("AaB").indexOf(system);
}

class AddressModeOnSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_sim = std::make_unique<testing::SimProcess>(kSystems);
        ASSERT_TRUE(m_sim->started());
        m_sim->setEnvironmentPrefix();
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        platform::Services services{&m_messages, &m_dialogs, &m_launcher, &m_clock, [] {
                                    }};
        m_window =
            std::make_unique<app::ui::TForm34>(services, QStringList{}, QStringLiteral("korvanta"));
        ASSERT_FALSE(m_window->session().link().readOnlyMode());
    }
    void TearDown() override {
        m_window.reset();
        m_sim.reset();
        QDir::setCurrent(m_previous);
        qunsetenv("KORVANTA_SHM_PREFIX");
    }

    template <typename T> T* find(const char* name) const {
        T* widget = m_window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // What a service user sets: channel 1 the mean of input 1, saving every cycle with the
    // .net and .rap files, the address check with the simulator's systems, dynamic recording.
    void configure() {
        find<QPushButton>("Button11")->click(); // "Serwis"
        auto* pages = find<QTabWidget>("PageControl1");
        ASSERT_TRUE(pages->isTabVisible(pages->indexOf(find<QWidget>("TabSheet11"))));
        acquisition::SettingsRecord& s = m_window->session().settings();
        s.setActive(1, true);
        s.setChannelNumber(1, 1);
        s.setFunctionIndex(1, 0);
        s.setInputNumber(1, 1);
        s.setBufferLength(1, 0);
        s.setDecimalPlaces(1, 1);
        s.setDataDirectory(m_dir.filePath(QStringLiteral("dane")) + QLatin1Char('/'));
        find<LabeledEdit>("LabeledEdit9")->setText(QStringLiteral("00:00:00.200"));
        for (const char* box :
             {"CheckBox16", "CheckBox4", "CheckBox6", "CheckBox13", "CheckBox17"}) {
            find<QCheckBox>(box)->setChecked(true);
        }
        find<QLineEdit>("Edit45")->setText(QStringLiteral("AaB"));
        find<QLineEdit>("Edit9")->setText(QStringLiteral("1"));
    }
    QStringList dumps() const {
        return QDir(m_dir.filePath(QStringLiteral("dynamic"))).entryList(QDir::Files, QDir::Name);
    }
    QStringList lines(const QString& name) const {
        const auto read = common::readLines(m_dir.filePath(name));
        return read ? read.value() : QStringList();
    }
    // The last word of each line after the first `skip` lines, as numbers.
    std::vector<double> lastValues(const QString& name, int skip) const {
        std::vector<double> values;
        const QStringList all = lines(name);
        for (qsizetype i = skip; i < all.size(); ++i) {
            values.push_back(all[i].split(QLatin1Char(' ')).last().toDouble());
        }
        return values;
    }

    QTemporaryDir m_dir;
    QString m_previous;
    testing::ScriptedMessages m_messages;
    testing::ScriptedDialogs m_dialogs;
    testing::ScriptedLauncher m_launcher;
    platform::SystemClock m_clock;
    std::unique_ptr<testing::SimProcess> m_sim;
    std::unique_ptr<app::ui::TForm34> m_window;
};

TEST_F(AddressModeOnSimulator, EachSystemKeepsItsOwnFilesAndEachIsDumpedOncePerInterval) {
    configure();
    const double started = m_clock.now();
    find<QToolButton>("ToolButton2")->click(); // "Monitorowanie"
    const QString month = common::formatDayTime(QStringLiteral("yyyymm"), started);
    const QString danA = "dane/A" + month + ".dan";
    const QString danB = "dane/B" + month + ".dan";
    QElapsedTimer elapsed;
    elapsed.start();
    // Two whole rounds of the three systems: every file has lines from each of its systems.
    while (elapsed.elapsed() < 30000 &&
           (lines(danA).size() < 4 || lines(danB).size() < 3 || dumps().size() < 3)) {
        QTest::qWait(100);
    }
    QTest::qWait(6500);                        // one more round: the pass waits for its 30 minutes
    find<QToolButton>("ToolButton4")->click(); // "Stop monitorowania"
    const double stopped = m_clock.now();
    EXPECT_TRUE(m_messages.errors.isEmpty()) << m_messages.errors.join('\n').toStdString();

    // The .dan and .net files of B hold B's values only; A's hold those of A and a, which
    // share the upper-case name.
    EXPECT_EQ(lines(danB).value(0), "opis_pliku k1 ");
    for (const QString& file : {danB, QStringLiteral("B.net")}) {
        const std::vector<double> values = lastValues(file, file == danB ? 1 : 0);
        ASSERT_GE(values.size(), 1U) << file.toStdString();
        for (const double v : values) {
            EXPECT_NEAR(v, systemValue('B'), 0.05) << file.toStdString();
        }
    }
    for (const QString& file : {danA, QStringLiteral("A.net")}) {
        std::set<long> seen;
        for (const double v : lastValues(file, file == danA ? 1 : 0)) {
            seen.insert(std::lround(v));
        }
        EXPECT_EQ(seen, (std::set<long>{5, 105})) << file.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("a.net")));

    // The .rap files: the period number, the report number of the system's turn (it rises at
    // every change, from 0 at A) and the file's letter, then the report, written anew.
    for (const QChar base : {QChar('A'), QChar('B')}) {
        const QStringList rap = lines(QString(base) + ".rap");
        ASSERT_EQ(rap.size(), 4) << rap.join('\n').toStdString();
        const QStringList head = rap[0].split(QStringLiteral("   "));
        ASSERT_EQ(head.size(), 2) << rap[0].toStdString();
        const long long period = head[0].toLongLong();
        EXPECT_GE(period, static_cast<long long>(std::trunc(started * 8640)));
        EXPECT_LE(period, static_cast<long long>(std::trunc(stopped * 8640)));
        ASSERT_TRUE(head[1].endsWith(base));
        const int reportNumber = head[1].chopped(1).toInt();
        const QChar system = QStringLiteral("AaB").at(reportNumber % 3);
        EXPECT_EQ(system.toUpper(), base) << rap[0].toStdString();
        EXPECT_TRUE(rap[1].startsWith("REPORT "));
        ASSERT_TRUE(rap[2].startsWith("k1 ŚREDNIA ")) << rap[2].toStdString();
        EXPECT_NEAR(rap[2].split(' ', Qt::SkipEmptyParts).value(2).toDouble(), systemValue(system),
                    0.05);
        EXPECT_TRUE(rap[3].isEmpty());
    }

    // One dump per listed system, then none in the further round.
    const QStringList names = dumps();
    ASSERT_EQ(names.size(), 3) << names.join(' ').toStdString();
    std::set<QChar> systems;
    for (const QString& name : names) {
        const QChar system = name.front();
        systems.insert(system);
        const QStringList dump = lines("dynamic/" + name);
        ASSERT_EQ(dump.size(), 1 + 500) << name.toStdString();
        EXPECT_TRUE(dump[0].startsWith(QString(system) + '_')) << dump[0].toStdString();
        EXPECT_EQ(dump[0].count('_'), 2 + 4);
        EXPECT_TRUE(dump[1].startsWith("00:00.000 "));
        for (qsizetype i = 1; i < dump.size(); ++i) {
            const QStringList fields = dump[i].split(' ');
            ASSERT_EQ(fields.size(), 5) << dump[i].toStdString();
            ASSERT_NEAR(fields[1].toDouble(), systemValue(system), 0.001)
                << name.toStdString() << ": " << dump[i].toStdString();
        }
    }
    EXPECT_EQ(systems, (std::set<QChar>{'A', 'a', 'B'}));
    EXPECT_GT(m_window->session().dynamicRecording().nextSaveTime(), stopped + 29.0 / 1440);
}

} // namespace
} // namespace korvanta
