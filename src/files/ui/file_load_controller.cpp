#include "files/ui/file_load_controller.h"

#include "acquisition/settings_file.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "files/raw_text.h"
#include "files/text_export.h"
#include "files/ui/file_browser_panel.h"
#include "files/ui/load_progress_dialog.h"
#include "files/ui/text_view_fill.h"
#include "monitor/data_directory.h"
#include "platform/handler_guard.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace korvanta::files::ui {
namespace {

const QString kTextViewFont = QStringLiteral("Courier New");
// Reading the file takes about a fifth of the raw-text load, filling the text view the rest.
constexpr double kReadShare = 0.2;

QString bareName(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

FileLoadController::FileLoadController(acquisition::SettingsRecord& settings,
                                       const platform::Services& services, FileLoadPages pages,
                                       QObject* parent)
    : QObject(parent), m_settings(settings), m_services(services), m_pages(pages) {
    if (QFontDatabase::hasFamily(kTextViewFont)) {
        QFont font = m_pages.text.font();
        font.setFamily(kTextViewFont);
        m_pages.text.setFont(font);
    }
    connect(&m_pages.browser, &FileBrowserPanel::fileDoubleClicked, this,
            [this] { guard([this] { FileListBox1DblClick(); }); });
    connect(&m_pages.browser, &FileBrowserPanel::openAccordingWithSettingsClicked, this,
            [this] { guard([this] { Openaccordingwithsets1Click(); }); });
    // The series options reset draws a loaded file again.
    connect(&m_pages.chart, &chart::ui::ChartPanel::redrawFileRequested, this,
            [this] { guard([this] { wczytajWykres(); }); });
}

bool FileLoadController::guard(const std::function<void()>& handler) {
    return platform::runGuarded(*m_services.messages, handler);
}

void FileLoadController::Open1Click() {
    platform::FileDialogRequest request;
    request.caption = QStringLiteral("Otwórz");
    monitor::enterDataDirectory(m_settings.dataDirectory(), QString());
    request.initialDirectory = QDir::currentPath();
    request.fileName = QStringLiteral("*.dan");
    request.filter = QStringLiteral("*.dan file|*.dan|*.txt file|*.txt|*.* file|*.*");
    const auto chosen = m_services.dialogs->openFile(request);
    if (!chosen) {
        return;
    }
    m_pages.browser.setFileName(*chosen);
    // Only the exact lower-case extension marks a LabVIEW file, which is not read.
    if (QFileInfo(*chosen).suffix() != QLatin1String("lvm")) {
        wczytajWykres();
        wczytajWykresDoMemo();
    }
    m_pages.chart.toggleAutoScaling();
    followChosenFile(*chosen);
}

void FileLoadController::followChosenFile(const QString& path) {
    const QFileInfo info(path);
    // Without a trailing separator, except the root, which is one.
    const QString directory = info.absolutePath();
    m_settings.setFileListDirectory(directory);
    m_settings.setDataDirectory(
        directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/'));
    if (QFileInfo(directory).isDir()) {
        m_pages.browser.setDirectory(directory);
    }
    m_pages.browser.refresh();
    m_pages.browser.setFileName(info.fileName());
}

void FileLoadController::FileListBox1DblClick() {
    wczytajWykresDoMemo();
    wczytajWykres();
    if (m_pages.refreshChart.isChecked()) {
        m_pages.chart.applyFixedLimits();
    } else {
        m_pages.chart.toggleAutoScaling();
    }
    m_pages.chart.setAutoScaling(false);
}

void FileLoadController::Openaccordingwithsets1Click() {
    loadPlot(QDir::current().absoluteFilePath(m_pages.browser.fileName()),
             chart::ui::FileSeries::Plotted, false);
}

void FileLoadController::wczytajWykres() {
    loadPlot(monitor::enterDataDirectory(m_settings.dataDirectory(), m_pages.browser.fileName()),
             chart::ui::FileSeries::All, true);
}

void FileLoadController::loadPlot(const QString& path, chart::ui::FileSeries shown, bool bars) {
    LoadedFile file = loadOrReport(path);
    const int channels = file.lastValueCount;
    const int dataLines = file.dataLines;
    chart::ui::MonitorChart* chart = m_pages.chart.chart();
    chart->showFile(std::move(file), m_settings, shown);
    if (bars && m_settings.barChart()) {
        m_pages.chart.showFileSnapshot(channels, dataLines);
    }
    chart->setHoldsFile(true);
    chart->replot(QCustomPlot::rpQueuedReplot);
}

LoadedFile FileLoadController::loadOrReport(const QString& path) {
    LoadProgressDialog progress(&m_pages.window, bareName(path));
    auto loaded = loadDataFile(path, progress.callback());
    if (!loaded) {
        // A file that cannot be opened gives no data lines: the chart is left empty.
        emit statusChanged(QStringLiteral("Nie można wczytać wykresu: ") + loaded.reason());
        return {};
    }
    reportLoad(path, loaded.value());
    return std::move(loaded.value());
}

void FileLoadController::reportLoad(const QString& path, const LoadedFile& file) {
    if (file.cancelled) {
        emit statusChanged(QStringLiteral("Wczytywanie przerwane: %1 - wczytano %2 wierszy danych")
                               .arg(bareName(path))
                               .arg(file.dataLines));
    } else if (file.longLine > 0) {
        emit statusChanged(
            QStringLiteral("%1: wiersz %2 dłuższy niż %3 znaków: dalsza część pliku pominięta")
                .arg(bareName(path))
                .arg(file.longLine)
                .arg(Linia1RQ::kMaxLineLength));
    }
}

void FileLoadController::wczytajWykresDoMemo() {
    m_pages.text.clear();
    const QString path =
        monitor::enterDataDirectory(m_settings.dataDirectory(), m_pages.browser.fileName());
    loadCompanionSettings(path);
    LoadProgressDialog progress(&m_pages.window, bareName(path));
    const auto raw = readRawText(path, progress.callback(0, kReadShare));
    if (!raw) {
        m_services.messages->show(QStringLiteral("Nie można odczytać pliku ") + raw.reason(),
                                  QStringLiteral("Błąd"));
        return;
    }
    // What was read before a cancel is shown whole; otherwise the filling can be cancelled too.
    const bool readWhole = !raw.value().cancelled;
    const bool filled = fillTextView(m_pages.text, raw.value().text,
                                     readWhole ? progress.callback(kReadShare, 1) : LoadProgress());
    if (!readWhole || !filled) {
        const QTextDocument* document = m_pages.text.document();
        emit statusChanged(QStringLiteral("Wczytywanie przerwane: %1 - wczytano %2 wierszy")
                               .arg(bareName(path))
                               .arg(document->isEmpty() ? 0 : document->blockCount()));
    }
}

void FileLoadController::loadCompanionSettings(const QString& dataFilePath) {
    // A missing companion changes nothing.
    if (acquisition::readSettingsDump(companionSettingsName(dataFilePath), m_settings)) {
        emit companionSettingsLoaded();
    }
}

} // namespace korvanta::files::ui
