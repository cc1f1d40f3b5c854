#pragma once
// The values of the plot command's options: the columns to show and the picture's size.

#include "common/result.h"

#include <QSize>
#include <QString>
#include <vector>

namespace korvanta::app::cli {

// "1,3,5": 1-based column numbers separated by commas, each 1 to 32.
common::Result<std::vector<int>> parseColumns(const QString& text);

// "1600x900" (or with 'X'): width and height in pixels, each 1 to the largest picture side.
common::Result<QSize> parsePictureSize(const QString& text);

} // namespace korvanta::app::cli
