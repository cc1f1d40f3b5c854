#pragma once
// A loaded measurement file drawn as the monitoring chart shows it (series titles, colours, axis
// titles, legend, both axes fitted) and saved as a picture.

#include "acquisition/settings_record.h"
#include "common/result.h"
#include "files/data_file_loader.h"

#include <QSize>
#include <QString>
#include <vector>

namespace korvanta::chart::ui {

// `columns` are 1-based as the chart shows them; empty shows every column of the file, and a
// column the file lacks shows nothing. The settings give the colours and the axis titles. Needs
// the application object of a widget program.
common::Result<> saveFilePicture(const files::LoadedFile& file,
                                 const acquisition::SettingsRecord& settings,
                                 const std::vector<int>& columns, const QString& path, QSize size);

} // namespace korvanta::chart::ui
