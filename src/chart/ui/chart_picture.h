#pragma once
// A chart saved as a picture file (PNG, SVG or PDF, told by the file's extension) at a given size:
// the one drawing path of the chart tool bar and of `korvanta-cli plot`.

#include "common/result.h"

#include <QSize>
#include <QString>
#include <optional>

class QCustomPlot;

namespace korvanta::chart::ui {

enum class PictureType { Png, Svg, Pdf };

// The largest side of a picture, in pixels: a PNG of this square already takes a gigabyte.
inline constexpr int kMaxPictureSide = 16384;

// The type named by the file's extension, in any case; nothing for another extension or none.
std::optional<PictureType> pictureTypeOf(const QString& path);

// Draws the chart at `size` pixels (its own size when `size` is empty) into the file, written
// whole: a failed save leaves an earlier file as it was. Fails with a reason that names the file
// when the type is unknown, the size is out of range or the file cannot be written.
common::Result<> savePicture(QCustomPlot& plot, const QString& path, QSize size = {});

} // namespace korvanta::chart::ui
