#pragma once
// Saving a chart as a picture from its tool bar: the file chosen in the save dialog, the size
// menu beside the button, and a failure told in a message box.

#include <QSize>
#include <QString>
#include <functional>

class QCustomPlot;
class QToolButton;

namespace korvanta::platform {
class Dialogs;
class Messages;
} // namespace korvanta::platform

namespace korvanta::chart::ui {

// Asks for a picture file (PNG, SVG or PDF; a name without one of those extensions gets ".png"),
// starting in `directory`, and draws the chart into it at `size` (its own size when empty).
void savePictureWithDialog(QCustomPlot& chart, QSize size, const QString& directory,
                           platform::Dialogs& dialogs, platform::Messages& messages);

// Gives `button` the picture size menu ("Rozmiar wykresu" and the fixed sizes); a click on the
// button or a menu item calls `save` with the size (empty for the chart's own).
void attachPictureMenu(QToolButton& button, const std::function<void(QSize)>& save);

} // namespace korvanta::chart::ui
