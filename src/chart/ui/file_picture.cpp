#include "chart/ui/file_picture.h"

#include "chart/ui/chart_picture.h"
#include "chart/ui/monitor_chart.h"

namespace korvanta::chart::ui {

common::Result<> saveFilePicture(const files::LoadedFile& file,
                                 const acquisition::SettingsRecord& settings,
                                 const std::vector<int>& columns, const QString& path, QSize size) {
    MonitorChart chart;
    chart.resize(size);
    chart.setAxisTitles(settings.leftAxisTitle(), settings.rightAxisTitle());
    chart.showFileForPicture(file, settings, columns, size);
    return savePicture(chart, path, size);
}

} // namespace korvanta::chart::ui
