#include "files/ui/export_controller.h"

#include "acquisition/settings_file.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "common/local_directory.h"
#include "common/ui/view_lines.h"
#include "files/spreadsheet_copy.h"
#include "files/text_export.h"
#include "files/ui/chart_printing.h"
#include "files/ui/file_browser_panel.h"
#include "monitor/ui/program_settings_page.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextCursor>
#include <vector>

namespace korvanta::files::ui {
namespace {

using common::localDirectory;
using common::ui::viewLines;

const QString kTextFileName = QStringLiteral("txtFile.txt");

void insertFirstLine(QPlainTextEdit& view, const QString& line) {
    if (view.document()->isEmpty()) {
        view.setPlainText(line);
        return;
    }
    QTextCursor cursor(view.document());
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(line + QLatin1Char('\n'));
}

// The points of `series` inside the visible part of the bottom axis.
void setVisibleRange(const QCPGraph& series, ExportSeries& exported) {
    const QCPRange shown = series.keyAxis()->range();
    const auto data = series.data();
    exported.firstVisible =
        static_cast<int>(data->findBegin(shown.lower, false) - data->constBegin());
    exported.lastVisible =
        static_cast<int>(data->findEnd(shown.upper, false) - data->constBegin()) - 1;
}

} // namespace

ExportController::ExportController(acquisition::SettingsRecord& settings,
                                   const platform::Services& services, ExportPages pages,
                                   QObject* parent)
    : QObject(parent), m_settings(settings), m_services(services), m_pages(pages) {
    connect(&m_pages.chart, &chart::ui::ChartPanel::saveAsTextRequested, this,
            &ExportController::ToolButton8Click);
    connect(&m_pages.chart, &chart::ui::ChartPanel::printRequested, this,
            &ExportController::Printchart1Click);
    connect(&m_pages.files, &FileBrowserPanel::insertIntoMsExcelClicked, this,
            &ExportController::WstawdoMSExcel1Click);
    connect(&m_pages.files, &FileBrowserPanel::insertIntoOpenOfficeClicked, this,
            &ExportController::WstawdoOpenOffice1Click);
    connect(&m_pages.files, &FileBrowserPanel::msExplorerClicked, this,
            &ExportController::MSExplorer1Click);
}

QString ExportController::fileDescription() const {
    return m_pages.programSettings.fileDescription();
}

std::optional<QString> ExportController::askTextFile() {
    platform::FileDialogRequest request;
    request.initialDirectory = localDirectory(m_settings.dataDirectory());
    request.fileName = kTextFileName;
    const auto chosen = m_services.dialogs->saveFile(request);
    if (chosen) {
        m_settings.setDataDirectory(QFileInfo(*chosen).absolutePath() + QLatin1Char('/'));
    }
    return chosen;
}

bool ExportController::writeLines(const QString& path, const QStringList& lines) {
    const auto written = writeTextFile(path, lines);
    if (!written) {
        m_services.messages->showError(written.reason());
    }
    return written.ok();
}

bool ExportController::writeWithCompanion(const QString& path, const QStringList& lines) {
    if (!writeLines(path, lines)) {
        return false;
    }
    if (!acquisition::writeSettingsDump(companionSettingsName(path), m_settings)) {
        m_services.messages->show(QStringLiteral("Save error "), QStringLiteral("DIM"));
    }
    return true;
}

QStringList ExportController::chartLines() const {
    const chart::ui::MonitorChart& chart = *m_pages.chart.chart();
    std::vector<ExportSeries> series(chart::ui::MonitorChart::kSeriesCount);
    for (int i = 0; i < chart::ui::MonitorChart::kSeriesCount; ++i) {
        const chart::ui::ChartSeries* graph = chart.series(i);
        ExportSeries& exported = series[static_cast<std::size_t>(i)];
        exported.exported = m_settings.active(i + 1) && m_settings.addGraph(i + 1);
        exported.size = graph->data()->size();
        setVisibleRange(*graph, exported);
        exported.value = [graph](int index) {
            return graph->data()->at(index)->value;
        };
        exported.label = [graph](int index) {
            return graph->pointLabel(index);
        };
    }
    return chartTextLines(series);
}

void ExportController::ToolButton8Click() {
    const QString header = exportHeader(fileDescription(), m_settings, [this](int k) {
        return m_settings.active(k) && m_settings.addGraph(k);
    });
    const auto path = askTextFile();
    if (!path) {
        return;
    }
    QStringList lines = chartLines();
    lines.prepend(header);
    if (writeWithCompanion(*path, lines)) {
        m_pages.files.refresh();
    }
}

void ExportController::ToolButton20Click() {
    const QString header =
        exportHeader(fileDescription(), m_settings, [this](int k) { return m_settings.active(k); });
    const auto path = askTextFile();
    if (!path) {
        return;
    }
    // The header stays in the text view, so a second save carries both.
    insertFirstLine(m_pages.log, header);
    if (writeWithCompanion(*path, viewLines(m_pages.log))) {
        m_pages.files.refresh();
    }
}

void ExportController::Saveas1Click() {
    QDir::setCurrent(localDirectory(m_settings.dataDirectory()));
    const auto path = askTextFile();
    if (path) {
        writeLines(*path, viewLines(m_pages.log));
    }
}

void ExportController::Copyall1Click() {
    QWidget& panel = m_pages.files;
    QStatusBar& status = *m_pages.window.statusBar();
    const bool panelShown = !panel.isHidden();
    const bool statusShown = !status.isHidden();
    panel.hide();
    status.hide();
    // The window is laid out anew without them before its picture is taken.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::clipboard()->setPixmap(m_pages.window.grab());
    panel.setVisible(panelShown);
    status.setVisible(statusShown);
}

void ExportController::handOff(bool openOffice) {
    // Edit1 names a file of the directory the list shows.
    const QDir directory(m_pages.files.directory());
    const QString name = m_pages.files.fileName();
    if (!convertsForSpreadsheet(name, openOffice)) {
        m_services.launcher->openInSpreadsheet(name, directory.path());
        m_pages.files.refresh();
        return;
    }
    const QString copy = spreadsheetCopyName(name);
    switch (writeSpreadsheetCopy(directory.filePath(name), directory.filePath(copy))) {
    case SpreadsheetCopyOutcome::Written:
        m_services.launcher->openInSpreadsheet(copy, directory.path());
        break;
    case SpreadsheetCopyOutcome::SourceMissing:
        m_services.messages->show(QStringLiteral("Błąd otwarcia pliku.."), QStringLiteral("Błąd"));
        break;
    case SpreadsheetCopyOutcome::CopyFailed:
        m_services.messages->show(
            QStringLiteral("Błąd konwersji, Zmiń nazwę lub zamknij plik w Excelu"),
            QStringLiteral("Błąd"));
        break;
    }
    m_pages.files.refresh();
}

void ExportController::WstawdoMSExcel1Click() {
    handOff(false);
}

void ExportController::WstawdoOpenOffice1Click() {
    handOff(true);
}

void ExportController::MSExplorer1Click() {
    if (!m_services.launcher->openFolder(localDirectory(m_settings.dataDirectory()))) {
        m_services.messages->show(QStringLiteral("Dostęp zabroniony!"), QStringLiteral("Uwaga!"));
    }
}

void ExportController::Printchart1Click() {
    printChartWithDialog(*m_pages.chart.chart(), *m_services.dialogs, *m_services.messages);
}

} // namespace korvanta::files::ui
