#pragma once
// The monitoring cycle on the window's controls: start and stop, one cycle per Timer1 tick with
// its mode dispatch, the stall watch with the auto-restart, the dynamic drawing timer and the
// automatic start after "START". The live state and the steps belong to the session; this class
// gathers the controls' texts, runs the steps and shows their results.

#include "monitor/cycle_load.h"
#include "monitor/monitoring_session.h"
#include "monitor/rates.h"
#include "platform/services.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QTimer;
class QToolButton;

namespace korvanta::chart::ui {
class ChannelEditorPage;
class ChartPanel;
} // namespace korvanta::chart::ui

namespace korvanta::monitor::ui {

class AddressModeView;
class AdvancedPage;
class ProgramSettingsPage;
class SystemPropertiesPage;

// The controls the cycle reads and shows on.
struct MonitoringPages {
    ProgramSettingsPage& program;           // "Ustawienia programu"
    AdvancedPage& advanced;                 // "Zaawansowane"
    SystemPropertiesPage& system;           // "Właściwości systemu"
    chart::ui::ChannelEditorPage& channels; // "Ustawienia kanałów"
    chart::ui::ChartPanel& chart;           // the chart panel
    QPlainTextEdit& log;                    // Memo1
    QLabel& logHeader;                      // Label35
    QToolButton& startButton;               // ToolButton2 "Monitorowanie"
};

class MonitoringController : public QObject {
    Q_OBJECT
public:
    MonitoringController(MonitoringSession& session, const platform::Services& services,
                         MonitoringPages pages, QString startDirectory, QObject* parent);

    // "Monitorowanie", "Stop monitorowania", "Jeden pomiar", "Odśwież okres".
    void ToolButton2Click();
    void ToolButton4Click();
    void ToolButton6Click();
    void Button2Click();
    // The automatic start ten seconds after "START".
    void Timer8Timer();
    // The dynamic drawing step, every period in the dynamic mode.
    void Timer4Timer();
    // "Save bufer..": the data table dumped for the system last processed.
    void Button7Click();
    // Stops every timer of the cycle (the closing paths).
    void stopAll();

    bool running() const;

    // The texts and the clock a Measurements step reads from the window's controls.
    MeasurementInputs measurementInputs() const;
    // Shows what a Measurements step did: the rates, the system label, the save, the line limit
    // of the log and the scaling. A step a typed number ended shows only the first three.
    void showMeasurement(const MeasurementResult& result);

    QTimer* Timer1 = nullptr; // monitoring cycle, the measurement period
    QTimer* Timer4 = nullptr; // dynamic drawing, the measurement period
    QTimer* Timer8 = nullptr; // automatic start, 10 s, once

signals:
    // The rates read from the control block by a Measurements step.
    void ratesChanged(const korvanta::monitor::Rates& rates);
    // A text for status panel 1 about the last save ("Save file: " or "Save error: " + the
    // file's name).
    void saveStatusChanged(const QString& text);
    // A text for status panel 0 while the cycle runs: "Monitorowanie: " + the tick count, or
    // the overload while ticks take longer than the period or come late; empty when it stops.
    void cycleStatusChanged(const QString& text);
    // Monitoring stopped: the file list may show a new file.
    void stopped();
    // The acquisition stalled and the restart program was started: the program closes.
    void restartRequested();

private:
    void runCycle();
    void showCycleStatus();
    void pomiaryN();
    void adresPomiaryN();
    void RaportyN();
    void Action1Execute();
    void clearForNewMeasurement();
    void askOrClearForNewMeasurement();
    void runModeStep();
    void stallWatch();
    void autoRestart();
    bool periodIntervalOrWarn(int& interval);
    bool guard(const std::function<void()>& handler);
    void showSaveResult(bool saved, const QString& failure, const QString& path);

    MonitoringSession& m_session;
    platform::Services m_services;
    MonitoringPages m_pages;
    QString m_startDirectory;
    int m_tickCount = 0; // cycle ticks since monitoring started
    CycleLoad m_load;
    QElapsedTimer m_monotonic; // the clock of the cycle's load, from the start of monitoring
    // A buffer dump is running: it lets timers through to keep the window drawn, and a tick
    // or a dump that comes then is left out, as it would wait behind the dump.
    bool m_dumping = false;
    AddressModeView* m_address = nullptr; // the address mode's inputs and results on the pages
};

} // namespace korvanta::monitor::ui
