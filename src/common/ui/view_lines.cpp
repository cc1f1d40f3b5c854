#include "common/ui/view_lines.h"

namespace korvanta::common::ui {

QStringList viewLines(const QPlainTextEdit& view) {
    const QString text = view.toPlainText();
    if (text.isEmpty()) {
        return {};
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

} // namespace korvanta::common::ui
