#include "files/ui/chart_printing.h"

#include "platform/dialogs.h"
#include "platform/messages.h"

#include <QPrinter>
#include <qcustomplot.h>

namespace korvanta::files::ui {
namespace {

// The part of a page of `pageSize` inside the margins.
QRectF printArea(const QSizeF& pageSize, const ChartPrintMargins& margins) {
    const double left = pageSize.width() * margins.left / 100;
    const double top = pageSize.height() * margins.top / 100;
    const double right = pageSize.width() * (1 - margins.right / 100);
    const double bottom = pageSize.height() * (1 - margins.bottom / 100);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// The chart is laid out at the size it has on the screen, so the page shows what the user sees.
// A chart that was never shown (one on a tab not yet opened) has no useful size of its own and
// is laid out at a window-like size instead.
QSize layoutSize(const QCustomPlot& chart) {
    const QSize least(200, 100);
    const QSize unshown(800, 600);
    const QSize shown = chart.size();
    return shown.width() >= least.width() && shown.height() >= least.height() ? shown : unshown;
}

} // namespace

bool printChart(QCustomPlot& chart, QPrinter& printer, const ChartPrintMargins& margins) {
    // The margins are measured from the paper's edge, not from the printable area's.
    printer.setFullPage(true);
    QCPPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    painter.setMode(QCPPainter::pmVectorized);
    const QRectF area = printArea(printer.paperRect(QPrinter::DevicePixel).size(), margins);
    const QSize size = layoutSize(chart);
    painter.translate(area.topLeft());
    painter.scale(area.width() / size.width(), area.height() / size.height());
    chart.toPainter(&painter, size.width(), size.height());
    return painter.end();
}

void printChartWithDialog(QCustomPlot& chart, platform::Dialogs& dialogs,
                          platform::Messages& messages) {
    QPrinter printer;
    if (!dialogs.choosePrinter(printer,
                               {.pageNumbers = true, .selection = true, .warning = true})) {
        return;
    }
    if (!printChart(chart, printer)) {
        messages.showError(QStringLiteral("Nie można drukować na drukarce %1.")
                               .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                                       : printer.outputFileName()));
    }
}

} // namespace korvanta::files::ui
