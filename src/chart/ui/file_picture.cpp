#include "chart/ui/file_picture.h"

#include "chart/ui/chart_picture.h"
#include "chart/ui/monitor_chart.h"

#include <algorithm>

namespace korvanta::chart::ui {
namespace {

void showOnly(MonitorChart& chart, const std::vector<int>& columns) {
    for (int p = 0; p < MonitorChart::kSeriesCount; ++p) {
        const bool chosen = std::find(columns.begin(), columns.end(), p + 1) != columns.end();
        chart.setSeriesVisible(p, chart.seriesVisible(p) && chosen);
    }
}

} // namespace

common::Result<> saveFilePicture(files::LoadedFile file,
                                 const acquisition::SettingsRecord& settings,
                                 const std::vector<int>& columns, const QString& path, QSize size) {
    MonitorChart chart;
    chart.resize(size);
    chart.setAxisTitles(settings.leftAxisTitle(), settings.rightAxisTitle());
    chart.showFile(std::move(file), settings, FileSeries::All);
    if (!columns.empty()) {
        showOnly(chart, columns);
    }
    chart.scaleToData(settings, false);
    chart.rescaleKeyAxis();
    // Lists the visible series now: a picture is drawn without the replot that refreshes it.
    chart.setLegendVisible(true);
    return savePicture(chart, path, size);
}

} // namespace korvanta::chart::ui
