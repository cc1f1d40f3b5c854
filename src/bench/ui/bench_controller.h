#pragma once
// The bench tests on the window: START, STOP, PRZYGOTUJ, the emergency and RESET buttons, the
// command buttons of the parameters window, and the four timers (test step, preparation, idle
// refresh of "F" and "L", elapsed test time). The run itself is the core BenchRun; this class
// gathers the texts, runs its steps and shows what they did.

#include "bench/bench_run.h"
#include "platform/services.h"

#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QTimer;

namespace korvanta::chart::ui {
class ChartPanel;
}
namespace korvanta::monitor {
class MonitoringSession;
}
namespace korvanta::monitor::ui {
class MonitoringController;
}

namespace korvanta::bench::ui {

class BenchSettingsPage;
class BenchTestsPage;
class TForm9;

struct BenchPages {
    BenchSettingsPage& settings;                // "Ustawienia"
    BenchTestsPage& tests;                      // "Badania"
    chart::ui::ChartPanel& chart;               // the chart panel
    QPlainTextEdit& log;                        // Memo1, the test log
    QLabel& logHeader;                          // Label35, the log's column header
    monitor::ui::MonitoringController& reading; // the Measurements step's texts and display
};

// What the runner needs of the test record window.
struct TestRecordAccess {
    std::function<bool()> confirmed;
    std::function<TestRecordCopy()> record;
};

class BenchController : public QObject {
    Q_OBJECT
public:
    BenchController(monitor::MonitoringSession& session, const platform::Services& services,
                    BenchPages pages, QObject* parent);

    // The parameters window, created after the main window: its command buttons and its copies
    // into the control block.
    void setParametersWindow(TForm9* window);
    void setTestRecord(TestRecordAccess access);

    void Button10Click(); // START
    void Button12Click(); // STOP
    void Button16Click(); // PRZYGOTUJ
    void Timer9Timer();   // one test step
    void Timer10Timer();  // one preparation step
    void Timer11Timer();  // idle refresh of "F" and "L"
    void Timer12Timer();  // "Czas badania:"

    // A closing path: the timers end and, when the press may be moving, the stop text goes out
    // (a preparation gives its buffer length back before the settings are written).
    void stopForClosing();
    // The control block's copies of the parameters (at start-up and on every change).
    void publishParameters();

    const BenchRun& run() const { return m_run; }

    QTimer* Timer9 = nullptr;  // test step, the phase period
    QTimer* Timer10 = nullptr; // preparation, 100 ms
    QTimer* Timer11 = nullptr; // idle refresh, 200 ms, while no test runs
    QTimer* Timer12 = nullptr; // elapsed test time, 1 s

signals:
    // A line for the status bar: why the press was stopped, or a typed number a step could not
    // read.
    void statusChanged(const QString& text);

private:
    QTimer* makeTimer(const char* name, int interval, void (BenchController::*slot)());
    void connectButtons();
    BenchStepInputs inputs() const;
    // Shows a step's reading; a typed number that ended the reading goes to the status bar,
    // since a message box every step would stop nothing and bury the window.
    void showReading(const BenchStepResult& result);
    void showTestReading(const BenchStepResult& result);
    void showLiveValues(const BenchStepResult& result);
    void apply(const RunnerEffects& effects);
    void refuseOverLimit(const RunnerEffects& effects);
    void appendLog(const RunnerEffects& effects);
    void plot();
    void endRun();
    QString finishTest(const RunnerEffects& effects);
    QString writeDocument();
    void setRunControlsEnabled(bool idle);
    void send(int command);
    bool guard(const std::function<void()>& handler);

    monitor::MonitoringSession& m_session;
    platform::Services m_services;
    BenchPages m_pages;
    BenchRun m_run;
    TForm9* m_parameters = nullptr;
    TestRecordAccess m_record;
    QElapsedTimer m_monotonic;
};

} // namespace korvanta::bench::ui
