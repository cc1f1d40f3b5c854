#pragma once
// The address mode on the window's pages: the texts an address tick reads from the controls,
// and what its step, its dynamic-recording pass and a buffer dump show.

#include "monitor/address_tick.h"
#include "monitor/rates.h"

#include <QObject>
#include <QString>
#include <functional>

namespace korvanta::monitor::ui {

struct MonitoringPages;

class AddressModeView : public QObject {
    Q_OBJECT
public:
    // `pages` must outlive the view.
    AddressModeView(const MonitoringPages& pages, QString startDirectory, QObject* parent);

    // The controls' texts and states for a tick at `now`; the vector channel is read when the
    // step comes to it.
    AddressInputs inputs(double now) const;
    // Shows what a tick that ran the address step did, as far as the step got;
    // `addChartPoints` is the chart-point step, run when the step reached it.
    void show(const AddressTickResult& result, const std::function<void()>& addChartPoints);
    // Label64 and the status line after a buffer dump.
    void showDump(const BufferDumpResult& dump);

signals:
    void ratesChanged(const korvanta::monitor::Rates& rates);
    // "Save file: " or "Save error: " and the file's name, for status panel 1.
    void saveStatusChanged(const QString& text);

private:
    void showLines(const AddressStepResult& r);
    void showFiles(const AddressStepResult& r);
    void showFailure(const FileOutcome& file);
    void showPass(const DynamicPassResult& pass);

    const MonitoringPages& m_pages;
    QString m_startDirectory;
};

} // namespace korvanta::monitor::ui
