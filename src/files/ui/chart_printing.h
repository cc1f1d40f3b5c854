#pragma once
// Printing a chart on one page: stretched to the page inside fixed margins, and through the
// print dialog.

class QCustomPlot;
class QPrinter;

namespace korvanta::platform {
class Dialogs;
class Messages;
} // namespace korvanta::platform

namespace korvanta::files::ui {

// The page margins of a printed chart, in percent of the page.
struct ChartPrintMargins {
    double left = 0;
    double top = 4;
    double right = 0;
    double bottom = 2;
};

// Prints `chart` on one page of `printer`, stretched (not proportional) to the page inside the
// margins. False when the printer cannot be painted on.
bool printChart(QCustomPlot& chart, QPrinter& printer, const ChartPrintMargins& margins = {});

// Shows the print dialog (page numbers, selection, warning) and prints `chart` when the user
// confirms; a printer that fails is reported by the standard error message.
void printChartWithDialog(QCustomPlot& chart, platform::Dialogs& dialogs,
                          platform::Messages& messages);

} // namespace korvanta::files::ui
