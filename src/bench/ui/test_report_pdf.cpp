#include "bench/ui/test_report_pdf.h"

#include "bench/axis_ticks.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QSaveFile>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace korvanta::bench::ui {
namespace {

constexpr int kResolution = 300;
constexpr double kMarginMm = 15;
constexpr double kFooterMm = 8;
constexpr double kChartHeightMm = 105;
constexpr double kCellPaddingMm = 1.2;
constexpr int kHorizontalIntervals = 8;
constexpr int kVerticalIntervals = 6;

constexpr QRgb kForceColour = qRgb(0x1f, 0x4e, 0xa8);
constexpr QRgb kDisplacementColour = qRgb(0x2e, 0x8b, 0x3a);
constexpr QRgb kAlarmColour = qRgb(0xc8, 0x10, 0x10);
constexpr QRgb kAlarmFill = qRgb(0xff, 0xe4, 0xe4);
constexpr QRgb kRuleColour = qRgb(0x99, 0x99, 0x99);
constexpr QRgb kGridColour = qRgb(0xdd, 0xdd, 0xdd);

using TextPairs = std::vector<std::pair<QString, QString>>;

// Where the next block goes on the current page, and which page that is.
struct Sheet {
    QPdfWriter& writer;
    QPainter& painter;
    int pageNumber = 1;
    double top = 0;
};

struct Series {
    QPolygonF points; // in axis values
    QRgb colour = kForceColour;
    bool onRightAxis = false;
    QString name;
};

struct ChartLayout {
    QString caption;
    QString xTitle;
    AxisTicks x;
    QString leftTitle;
    AxisTicks left;
    QString rightTitle; // empty when the chart has no right axis
    AxisTicks right;
    std::vector<Series> series;
};

double mm(double millimetres) {
    return millimetres * kResolution / 25.4;
}

QFont textFont(double points, bool bold = false) {
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont monospaceFont() {
    QFont font(QStringLiteral("monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(8.5);
    return font;
}

QPen linePen(QRgb colour, double widthMm) {
    QPen pen{QColor(colour)};
    pen.setWidthF(mm(widthMm));
    return pen;
}

// Measured on the PDF device, whose 300 dots per inch differ from the screen's.
QFontMetricsF metricsOf(const QPainter& painter) {
    return QFontMetricsF(painter.font(), painter.device());
}

double bodyWidth(const Sheet& sheet) {
    return sheet.writer.width();
}

double bodyBottom(const Sheet& sheet) {
    return sheet.writer.height() - mm(kFooterMm);
}

double lineHeight(const Sheet& sheet, const QFont& font) {
    return QFontMetricsF(font, &sheet.writer).lineSpacing();
}

void drawPageNumber(Sheet& sheet) {
    QPainter& painter = sheet.painter;
    painter.save();
    painter.setFont(textFont(8));
    painter.setPen(Qt::black);
    const QRectF footer(0, bodyBottom(sheet), bodyWidth(sheet), mm(kFooterMm));
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("Strona %1").arg(sheet.pageNumber));
    painter.restore();
}

void nextPage(Sheet& sheet) {
    drawPageNumber(sheet);
    sheet.writer.newPage();
    ++sheet.pageNumber;
    sheet.top = 0;
}

// A block taller than a whole page still starts at the top of one.
void makeRoom(Sheet& sheet, double height) {
    if (sheet.top > 0 && sheet.top + height > bodyBottom(sheet)) {
        nextPage(sheet);
    }
}

QTextOption wrapping() {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// The height the text takes in the painter's font when wrapped to this width.
double wrappedHeight(QPainter& painter, double width, const QString& text) {
    const QRectF bounds = painter.boundingRect(QRectF(0, 0, width, 1e6), text, wrapping());
    return std::max(bounds.height(), metricsOf(painter).height());
}

// Draws a block of wrapped text across the body's width at the cursor and moves the cursor below.
void drawParagraph(Sheet& sheet, const QFont& font, const QString& text, double spaceAfterMm) {
    QPainter& painter = sheet.painter;
    painter.setFont(font);
    const double height = wrappedHeight(painter, bodyWidth(sheet), text);
    makeRoom(sheet, height);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, sheet.top, bodyWidth(sheet), height), text, wrapping());
    sheet.top += height + mm(spaceAfterMm);
}

void drawHeader(Sheet& sheet, const FinishedTest& test) {
    drawParagraph(sheet, textFont(18, true), QStringLiteral("Raport z badania"), 1);
    drawParagraph(sheet, textFont(13, true), test.reportName, 4);
    const QFont font = textFont(10);
    drawParagraph(sheet, font, QStringLiteral("Rodzaj próby: ") + test.testTypeText, 1);
    drawParagraph(sheet, font, QStringLiteral("Początek: ") + test.startText, 1);
    drawParagraph(sheet, font, QStringLiteral("Koniec: ") + test.endText, 6);
}

void drawCell(QPainter& painter, const QRectF& cell, const QString& text) {
    painter.setPen(linePen(kRuleColour, 0.2));
    painter.drawRect(cell);
    painter.setPen(Qt::black);
    const double padding = mm(kCellPaddingMm);
    painter.drawText(cell.adjusted(padding, padding, -padding, -padding), text, wrapping());
}

void drawTableRow(Sheet& sheet, const std::pair<QString, QString>& row) {
    QPainter& painter = sheet.painter;
    const double padding = mm(kCellPaddingMm);
    const double nameWidth = bodyWidth(sheet) * 0.45;
    const double valueWidth = bodyWidth(sheet) - nameWidth;
    const double textHeight =
        std::max(wrappedHeight(painter, nameWidth - 2 * padding, row.first),
                 wrappedHeight(painter, valueWidth - 2 * padding, row.second));
    const double height = textHeight + 2 * padding;
    makeRoom(sheet, height);
    drawCell(painter, QRectF(0, sheet.top, nameWidth, height), row.first);
    drawCell(painter, QRectF(nameWidth, sheet.top, valueWidth, height), row.second);
    sheet.top += height;
}

void drawTable(Sheet& sheet, const QString& caption, const TextPairs& rows) {
    const QFont captionFont = textFont(12, true);
    const QFont cellFont = textFont(10);
    // The caption does not stay alone at the foot of a page.
    makeRoom(sheet, lineHeight(sheet, captionFont) + 2 * lineHeight(sheet, cellFont));
    drawParagraph(sheet, captionFont, caption, 1.5);
    sheet.painter.setFont(cellFont);
    for (const auto& row : rows) {
        drawTableRow(sheet, row);
    }
    sheet.top += mm(6);
}

TextPairs recordRows(const FinishedTest& test) {
    TextPairs rows;
    for (qsizetype i = 0; i < test.itemNames.size(); ++i) {
        rows.emplace_back(test.itemNames[i], test.itemValues.value(i));
    }
    return rows;
}

void drawVerdict(Sheet& sheet, const FinishedTest& test) {
    QPainter& painter = sheet.painter;
    painter.setFont(textFont(12, true));
    const QString text = QStringLiteral("Wynik badania: ") + test.verdict;
    const double padding = mm(2.5);
    const double width = bodyWidth(sheet);
    const double height = wrappedHeight(painter, width - 2 * padding, text) + 2 * padding;
    makeRoom(sheet, height);
    const QRectF box(0, sheet.top, width, height);
    painter.setPen(test.alarm ? linePen(kAlarmColour, 0.7) : linePen(kRuleColour, 0.3));
    painter.setBrush(test.alarm ? QBrush(QColor(kAlarmFill)) : QBrush(Qt::NoBrush));
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(test.alarm ? QColor(kAlarmColour) : QColor(Qt::black));
    painter.drawText(box.adjusted(padding, padding, -padding, -padding), text, wrapping());
    sheet.top += height + mm(8);
}

std::vector<double> column(const std::vector<TestTracePoint>& trace,
                           double TestTracePoint::*member) {
    std::vector<double> values;
    values.reserve(trace.size());
    for (const TestTracePoint& point : trace) {
        values.push_back(point.*member);
    }
    return values;
}

// The trace as one line; steps with a value that is not a number are left out.
QPolygonF curve(const std::vector<TestTracePoint>& trace, double TestTracePoint::*x,
                double TestTracePoint::*y) {
    QPolygonF points;
    for (const TestTracePoint& point : trace) {
        if (std::isfinite(point.*x) && std::isfinite(point.*y)) {
            points.append(QPointF(point.*x, point.*y));
        }
    }
    return points;
}

ChartLayout loopChart(const std::vector<TestTracePoint>& trace) {
    ChartLayout layout;
    layout.caption = QStringLiteral("Siła w funkcji przesunięcia");
    layout.xTitle = QStringLiteral("Przesunięcie [mm]");
    layout.x = niceTicks(column(trace, &TestTracePoint::displacement), kHorizontalIntervals);
    layout.leftTitle = QStringLiteral("Siła [kN]");
    layout.left = niceTicks(column(trace, &TestTracePoint::force), kVerticalIntervals);
    layout.series.push_back({curve(trace, &TestTracePoint::displacement, &TestTracePoint::force),
                             kForceColour, false, QStringLiteral("Siła [kN]")});
    return layout;
}

ChartLayout timeChart(const std::vector<TestTracePoint>& trace) {
    ChartLayout layout;
    layout.caption = QStringLiteral("Siła i przesunięcie w czasie");
    layout.xTitle = QStringLiteral("Czas [s]");
    layout.x = niceTicks(column(trace, &TestTracePoint::seconds), kHorizontalIntervals);
    layout.leftTitle = QStringLiteral("Siła [kN]");
    layout.left = niceTicks(column(trace, &TestTracePoint::force), kVerticalIntervals);
    layout.rightTitle = QStringLiteral("Przesunięcie [mm]");
    layout.right = niceTicks(column(trace, &TestTracePoint::displacement), kVerticalIntervals);
    layout.series.push_back({curve(trace, &TestTracePoint::seconds, &TestTracePoint::force),
                             kForceColour, false, QStringLiteral("Siła [kN]")});
    layout.series.push_back({curve(trace, &TestTracePoint::seconds, &TestTracePoint::displacement),
                             kDisplacementColour, true, QStringLiteral("Przesunięcie [mm]")});
    return layout;
}

// Position of a value along an axis drawn from `from` to `to`; the limits always differ.
double along(const AxisTicks& ticks, double value, double from, double to) {
    return from + (value - ticks.lower) / (ticks.upper - ticks.lower) * (to - from);
}

QPointF onPlot(const QRectF& plot, const AxisTicks& x, const AxisTicks& y, const QPointF& value) {
    return {along(x, value.x(), plot.left(), plot.right()),
            along(y, value.y(), plot.bottom(), plot.top())};
}

double widestTickText(const QFontMetricsF& metrics, const AxisTicks& ticks) {
    double widest = 0;
    for (int i = 0; i < ticks.count(); ++i) {
        widest = std::max(widest, metrics.horizontalAdvance(tickText(ticks.at(i), ticks.step)));
    }
    return widest;
}

// The plot's frame inside the chart's area, leaving room for tick texts, titles and legend.
QRectF plotFrame(const QRectF& area, const ChartLayout& layout, const QFontMetricsF& tickMetrics,
                 double titleHeight) {
    const double gap = mm(1.5);
    const double tickLength = mm(1);
    const double legendHeight = layout.series.size() > 1 ? titleHeight + gap : 0;
    const double left = titleHeight + gap + widestTickText(tickMetrics, layout.left) + tickLength;
    const double right =
        layout.rightTitle.isEmpty()
            ? mm(5)
            : tickLength + widestTickText(tickMetrics, layout.right) + gap + titleHeight;
    const double bottom = tickLength + tickMetrics.height() + gap + titleHeight;
    const double top = legendHeight + tickMetrics.height() / 2;
    return area.adjusted(left + gap, top, -right - gap, -bottom);
}

void drawGrid(QPainter& painter, const QRectF& plot, const ChartLayout& layout) {
    painter.setPen(linePen(kGridColour, 0.15));
    for (int i = 0; i < layout.x.count(); ++i) {
        const double x = along(layout.x, layout.x.at(i), plot.left(), plot.right());
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    for (int i = 0; i < layout.left.count(); ++i) {
        const double y = along(layout.left, layout.left.at(i), plot.bottom(), plot.top());
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    painter.setPen(linePen(qRgb(0, 0, 0), 0.25));
    painter.drawRect(plot);
}

void drawHorizontalTicks(QPainter& painter, const QRectF& plot, const AxisTicks& ticks) {
    const double tickLength = mm(1);
    const double textHeight = metricsOf(painter).height();
    for (int i = 0; i < ticks.count(); ++i) {
        const double x = along(ticks, ticks.at(i), plot.left(), plot.right());
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tickLength));
        const QRectF label(x - mm(15), plot.bottom() + tickLength, mm(30), textHeight);
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, tickText(ticks.at(i), ticks.step));
    }
}

// Ticks and their texts on the left edge of the plot, or on the right one.
void drawVerticalTicks(QPainter& painter, const QRectF& plot, const AxisTicks& ticks,
                       bool onRight) {
    const double tickLength = mm(1);
    const double textHeight = metricsOf(painter).height();
    const double edge = onRight ? plot.right() : plot.left();
    const double outwards = onRight ? tickLength : -tickLength;
    for (int i = 0; i < ticks.count(); ++i) {
        const double y = along(ticks, ticks.at(i), plot.bottom(), plot.top());
        painter.drawLine(QPointF(edge, y), QPointF(edge + outwards, y));
        const double textEdge = edge + outwards * 1.5;
        const QRectF label =
            onRight ? QRectF(textEdge, y - textHeight / 2, mm(30), textHeight)
                    : QRectF(textEdge - mm(30), y - textHeight / 2, mm(30), textHeight);
        painter.drawText(label, (onRight ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                         tickText(ticks.at(i), ticks.step));
    }
}

// A title along a vertical edge of the area, read upwards on the left and downwards on the right.
void drawVerticalTitle(QPainter& painter, const QRectF& area, const QRectF& plot,
                       const QString& title, bool onRight) {
    const double height = metricsOf(painter).height();
    painter.save();
    painter.translate(onRight ? area.right() : area.left(), plot.center().y());
    painter.rotate(onRight ? 90 : -90);
    // Turned either way, this band lies along the edge on the inner side.
    const QRectF band(-plot.height() / 2, 0, plot.height(), height);
    painter.drawText(band, Qt::AlignCenter, title);
    painter.restore();
}

void drawAxes(QPainter& painter, const QRectF& area, const QRectF& plot,
              const ChartLayout& layout) {
    painter.setPen(Qt::black);
    painter.setFont(textFont(8));
    drawHorizontalTicks(painter, plot, layout.x);
    drawVerticalTicks(painter, plot, layout.left, false);
    if (!layout.rightTitle.isEmpty()) {
        drawVerticalTicks(painter, plot, layout.right, true);
    }
    painter.setFont(textFont(9));
    const double titleHeight = metricsOf(painter).height();
    painter.drawText(QRectF(plot.left(), area.bottom() - titleHeight, plot.width(), titleHeight),
                     Qt::AlignCenter, layout.xTitle);
    drawVerticalTitle(painter, area, plot, layout.leftTitle, false);
    if (!layout.rightTitle.isEmpty()) {
        drawVerticalTitle(painter, area, plot, layout.rightTitle, true);
    }
}

void drawSeries(QPainter& painter, const QRectF& plot, const ChartLayout& layout,
                const Series& series) {
    const AxisTicks& y = series.onRightAxis ? layout.right : layout.left;
    QPolygonF line;
    line.reserve(series.points.size());
    for (const QPointF& value : series.points) {
        line.append(onPlot(plot, layout.x, y, value));
    }
    painter.setPen(linePen(series.colour, 0.35));
    painter.setBrush(QColor(series.colour));
    if (line.size() == 1) {
        painter.drawEllipse(line.first(), mm(0.8), mm(0.8));
    } else {
        painter.drawPolyline(line);
    }
    painter.setBrush(Qt::NoBrush);
}

void drawLegend(QPainter& painter, const QRectF& area, const QRectF& plot,
                const ChartLayout& layout) {
    painter.setFont(textFont(9));
    const QFontMetricsF metrics = metricsOf(painter);
    const double sample = mm(8);
    double x = plot.right();
    for (auto it = layout.series.rbegin(); it != layout.series.rend(); ++it) {
        x -= metrics.horizontalAdvance(it->name);
        const double y = area.top() + metrics.height() / 2;
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x, area.top() + metrics.ascent()), it->name);
        x -= mm(1.5) + sample;
        painter.setPen(linePen(it->colour, 0.6));
        painter.drawLine(QPointF(x, y), QPointF(x + sample, y));
        x -= mm(6);
    }
}

void paintChart(QPainter& painter, const QRectF& area, const ChartLayout& layout) {
    const QFontMetricsF tickMetrics(textFont(8), painter.device());
    const double titleHeight = QFontMetricsF(textFont(9), painter.device()).height();
    const QRectF plot = plotFrame(area, layout, tickMetrics, titleHeight);
    drawGrid(painter, plot, layout);
    drawAxes(painter, area, plot, layout);
    painter.save();
    painter.setClipRect(plot.adjusted(-mm(1), -mm(1), mm(1), mm(1)));
    for (const Series& series : layout.series) {
        drawSeries(painter, plot, layout, series);
    }
    painter.restore();
    if (layout.series.size() > 1) {
        drawLegend(painter, area, plot, layout);
    }
}

void drawChart(Sheet& sheet, const ChartLayout& layout) {
    const QFont captionFont = textFont(12, true);
    const double height = mm(kChartHeightMm);
    makeRoom(sheet, lineHeight(sheet, captionFont) + mm(1.5) + height);
    drawParagraph(sheet, captionFont, layout.caption, 1.5);
    paintChart(sheet.painter, QRectF(0, sheet.top, bodyWidth(sheet), height), layout);
    sheet.top += height + mm(8);
}

// Log lines longer than a printed line continue on the next one.
QStringList printedLines(const QStringList& log, int columns) {
    QStringList lines;
    for (const QString& line : log) {
        qsizetype start = 0;
        do {
            lines.append(line.mid(start, columns));
            start += columns;
        } while (start < line.size());
    }
    return lines;
}

void drawLog(Sheet& sheet, const QStringList& log) {
    const QFont captionFont = textFont(12, true);
    const QFont font = monospaceFont();
    const QFontMetricsF metrics(font, &sheet.writer);
    makeRoom(sheet, lineHeight(sheet, captionFont) + 3 * metrics.lineSpacing());
    drawParagraph(sheet, captionFont, QStringLiteral("Dziennik badania"), 1.5);
    const int columns = std::max(
        1, static_cast<int>(bodyWidth(sheet) / metrics.horizontalAdvance(QLatin1Char('M'))));
    sheet.painter.setFont(font);
    sheet.painter.setPen(Qt::black);
    for (const QString& line : printedLines(log, columns)) {
        makeRoom(sheet, metrics.lineSpacing());
        sheet.painter.drawText(QPointF(0, sheet.top + metrics.ascent()), line);
        sheet.top += metrics.lineSpacing();
    }
}

void setUpPages(QPdfWriter& writer, const FinishedTest& test) {
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("Raport z badania ") + test.reportName);
    writer.setCreator(QStringLiteral("Korvanta"));
}

bool paintDocument(QIODevice& device, const FinishedTest& test) {
    QPdfWriter writer(&device);
    setUpPages(writer, test);
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    Sheet sheet{writer, painter};
    drawHeader(sheet, test);
    drawTable(sheet, QStringLiteral("Dane badania"), recordRows(test));
    drawTable(sheet, QStringLiteral("Parametry badania"), test.parameters);
    drawVerdict(sheet, test);
    drawChart(sheet, loopChart(test.trace));
    drawChart(sheet, timeChart(test.trace));
    drawLog(sheet, test.log);
    drawPageNumber(sheet);
    return painter.end();
}

} // namespace

common::Result<> writeTestReportPdf(const QString& path, const FinishedTest& test) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return common::Result<>::failure(common::fileFailure(path, file.errorString()));
    }
    if (!paintDocument(file, test)) {
        file.cancelWriting();
        return common::Result<>::failure(
            common::fileFailure(path, QStringLiteral("the PDF document could not be drawn")));
    }
    if (!file.commit()) {
        return common::Result<>::failure(common::fileFailure(path, file.errorString()));
    }
    return {};
}

} // namespace korvanta::bench::ui
