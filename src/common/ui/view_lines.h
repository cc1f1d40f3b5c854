#pragma once
// The text of a text view as lines, the way the exports write them.

#include <QPlainTextEdit>
#include <QStringList>

namespace korvanta::common::ui {

// The lines of `view`; a final line end starts no further line.
QStringList viewLines(const QPlainTextEdit& view);

} // namespace korvanta::common::ui
