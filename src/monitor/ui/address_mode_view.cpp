#include "monitor/ui/address_mode_view.h"

#include "chart/ui/channel_editor_page.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "monitor/ui/advanced_page.h"
#include "monitor/ui/log_memo.h"
#include "monitor/ui/monitoring_controller.h"
#include "monitor/ui/program_settings_page.h"
#include "monitor/ui/system_properties_page.h"

#include <QFileInfo>

namespace korvanta::monitor::ui {

AddressModeView::AddressModeView(const MonitoringPages& pages, QString startDirectory,
                                 QObject* parent)
    : QObject(parent), m_pages(pages), m_startDirectory(std::move(startDirectory)) {
    setObjectName(QStringLiteral("AddressModeView"));
}

AddressInputs AddressModeView::inputs(double now) const {
    const ProgramSettingsPage& program = m_pages.program;
    const AdvancedPage& advanced = m_pages.advanced;
    const chart::ui::ChannelEditorPage& channels = m_pages.channels;
    AddressInputs inputs;
    inputs.addressList = advanced.addressList()->text();
    AddressStepInputs& step = inputs.step;
    step.now = now;
    step.startDirectory = m_startDirectory;
    step.zeroChecked = channels.zeroChecked();
    step.vectorChannel = [&channels] {
        return channels.vectorChannel();
    };
    step.functionNames = channels.functionNames();
    step.extraReport = advanced.extraReport()->isChecked();
    step.extraNetFile = advanced.extraNetFile()->isChecked();
    step.saveEvery = program.saveEveryChecked();
    step.saveEveryText = program.saveEveryText();
    step.fileDescription = program.fileDescription();
    step.lineLimitText = program.lineLimitText();
    step.memoLineCount = lineCount(m_pages.log);
    step.partView = m_pages.chart.partViewCounter() % 2 == 1;
    step.partViewStepText = program.chartFactorText();
    inputs.dynamicSave = advanced.dynamicSave()->isChecked();
    inputs.dynamicIntervalText = advanced.dynamicInterval()->text();
    inputs.dynamicFolder = advanced.dynamicDirectory()->text();
    return inputs;
}

void AddressModeView::show(const AddressTickResult& result,
                           const std::function<void()>& addChartPoints) {
    const AddressStepResult& r = result.step;
    m_pages.system.systemLabel()->setText(r.label55);
    m_pages.advanced.measurementTimeLabel()->setText(r.label66);
    if (r.reached(AddressStage::Rates)) {
        emit ratesChanged(r.rates);
    }
    if (r.reached(AddressStage::Lines)) {
        showLines(r);
    }
    if (r.reached(AddressStage::Saved)) {
        addChartPoints();
    }
    if (r.reached(AddressStage::PartView)) {
        m_pages.chart.applyPartView(r.partViewStep);
    }
    if (r.reached(AddressStage::Limited)) {
        if (r.deleteFirstMemoLine) {
            removeFirstLine(m_pages.log);
        }
        m_pages.chart.chart()->setHoldsFile(false);
        m_pages.chart.applyAutoScaling();
    }
    showFiles(r);
    if (result.pass) {
        showPass(*result.pass);
    }
}

void AddressModeView::showLines(const AddressStepResult& r) {
    m_pages.advanced.reportMemo()->setPlainText(r.reportLines.join(QLatin1Char('\n')));
    for (const QString& line : r.memoLines) {
        m_pages.log.appendPlainText(line);
    }
    m_pages.advanced.addressFileName()->setText(r.fileBase);
    m_pages.logHeader.setText(r.label35);
}

// A .dan save is named either way, as in the Measurements mode; the .net and .rap files, which
// are written far more often, only when they fail.
void AddressModeView::showFiles(const AddressStepResult& r) {
    if (r.dan.attempted) {
        emit saveStatusChanged(
            (r.dan.failed() ? QStringLiteral("Save error: ") : QStringLiteral("Save file: ")) +
            QFileInfo(r.dan.path).fileName());
    }
    showFailure(r.net);
    showFailure(r.rap);
}

void AddressModeView::showFailure(const FileOutcome& file) {
    if (file.failed()) {
        emit saveStatusChanged(QStringLiteral("Save error: ") + QFileInfo(file.path).fileName());
    }
}

void AddressModeView::showPass(const DynamicPassResult& pass) {
    m_pages.advanced.dynamicFileLabel()->setText(pass.label64);
    if (pass.dump) {
        showDump(*pass.dump);
    }
}

void AddressModeView::showDump(const BufferDumpResult& dump) {
    m_pages.advanced.dynamicFileLabel()->setText(dump.label64());
    emit saveStatusChanged(dump.status());
}

} // namespace korvanta::monitor::ui
