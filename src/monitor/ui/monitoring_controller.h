#pragma once
// The monitoring cycle of the main window: start and stop, one cycle per Timer1 tick with its mode
// dispatch, the stall watch with the auto-restart, the dynamic drawing timer and the automatic
// start after "START".

#include "monitor/address_dispatch.h"
#include "monitor/save_counter.h"

#include <QObject>
#include <QString>

class QTimer;

namespace korvanta::monitor::ui {

class TForm34;

class MonitoringController : public QObject {
    Q_OBJECT
public:
    explicit MonitoringController(TForm34& window);

    // "Monitorowanie", "Stop monitorowania", "Jeden pomiar", "Odśwież okres".
    void ToolButton2Click();
    void ToolButton4Click();
    void ToolButton6Click();
    void Button2Click();
    // The automatic start ten seconds after "START".
    void Timer8Timer();
    // The dynamic drawing step, every period in the dynamic mode.
    void Timer4Timer();

    // Monitoring steps run by the cycle (and by the bench tests later).
    void pomiaryN();
    void RaportyN();
    // Appends one point per active channel to the chart.
    void Action1Execute();
    // Shows the scaling state: scales when the auto-scaling flag is set.
    void applyAutoScaling();

    bool running() const;
    int saveCounter() const { return m_saveCounter.value(); }
    void resetSaveCounter() { m_saveCounter.reset(); }
    double startTime() const { return m_startTime; }
    const QString& previousFileName() const { return m_previousFileName; }
    const AddressDispatchState& addressState() const { return m_address; }

    QTimer* Timer1 = nullptr; // monitoring cycle, the measurement period
    QTimer* Timer4 = nullptr; // dynamic drawing, the measurement period
    QTimer* Timer8 = nullptr; // automatic start, 10 s, once

private:
    void clearForNewMeasurement();
    void askOrClearForNewMeasurement();
    void runModeStep();
    void stallWatch();
    void autoRestart();
    void ensureDataTable();
    bool periodIntervalOrWarn(int& interval);
    bool guard(const std::function<void()>& handler);
    void showSaveFailure(bool failed, const QString& path);

    TForm34& m_window;
    SaveCounter m_saveCounter;
    double m_startTime = 0;
    QString m_previousFileName;
    AddressDispatchState m_address;
};

} // namespace korvanta::monitor::ui
