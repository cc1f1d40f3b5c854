#include "app/cli/analysis_commands.h"

#include "analysis/analysis_text_export.h"
#include "analysis/fftrq.h"
#include "analysis/frequency_analysis.h"
#include "analysis/frequency_tools.h"
#include "analysis/histogram.h"
#include "analysis/time_window.h"
#include "app/cli/command_line.h"
#include "app/cli/input_file.h"
#include "app/cli/text_output.h"
#include "common/cp1250.h"

#include <cstdio>
#include <map>
#include <optional>
#include <vector>

namespace korvanta::app::cli {
namespace {

QCommandLineOption valueOption(const QString& name, const QString& description,
                               const QString& valueName) {
    return QCommandLineOption(name, description, valueName);
}

QCommandLineOption outputOption() {
    return QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("The text file; standard output without it."),
                              QStringLiteral("OUT"));
}

QCommandLineOption columnOption() {
    return valueOption(QStringLiteral("column"),
                       QStringLiteral("The column to analyse, 1-based as the chart numbers it."),
                       QStringLiteral("N"));
}

// A number typed on the command line; nothing when the text is not one.
std::optional<double> numberOf(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> integerOf(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

CommandEnd badNumber(const QString& option, const QString& text) {
    return CommandEnd::badInput(
        QStringLiteral("--%1: '%2' is not a number it can take").arg(option, text));
}

// The values of column `text` (1-based) of the loaded file, as the analysis page takes them.
std::optional<std::vector<double>> columnValues(const files::LoadedFile& file, const QString& text,
                                                CommandEnd& end) {
    const std::optional<int> column = integerOf(text);
    if (!column) {
        end = badNumber(QStringLiteral("column"), text);
        return std::nullopt;
    }
    if (*column < 1 || static_cast<std::size_t>(*column) > file.columns.size()) {
        end = CommandEnd::badInput(QStringLiteral("--column %1: the file has %2 column(s)")
                                       .arg(*column)
                                       .arg(file.columns.size()));
        return std::nullopt;
    }
    const std::vector<float>& values = file.columns[static_cast<std::size_t>(*column - 1)].values;
    return std::vector<double>(values.begin(), values.end());
}

QByteArray textBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += common::toCp1250(line);
        bytes += "\r\n";
    }
    return bytes;
}

CommandEnd writeText(const QString& outPath, const QStringList& lines) {
    const QByteArray bytes = textBytes(lines);
    return writeResult(outPath,
                       [&bytes](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}

std::optional<analysis::TimeWindow> windowNamed(const QString& name) {
    static const std::map<QString, analysis::TimeWindow> windows = {
        {QStringLiteral("hanning"), analysis::TimeWindow::Hanning},
        {QStringLiteral("hamming"), analysis::TimeWindow::Hamming},
        {QStringLiteral("triangular"), analysis::TimeWindow::Triangular},
        {QStringLiteral("flattop"), analysis::TimeWindow::FlatTop}};
    const auto window = windows.find(name);
    return window == windows.end() ? std::nullopt
                                   : std::optional<analysis::TimeWindow>(window->second);
}

// The spectrum's settings from the options, as the page's edits give them.
std::optional<analysis::SpectrumParameters> spectrumParameters(const CommandLine& line,
                                                               CommandEnd& end) {
    analysis::SpectrumParameters parameters;
    const QString rate = line.value(QStringLiteral("rate"));
    const std::optional<double> fs = numberOf(rate);
    if (!fs || !(*fs > 0)) {
        end = CommandEnd::badInput(
            QStringLiteral("--rate: the sampling rate must be a number above 0, not '%1'")
                .arg(rate));
        return std::nullopt;
    }
    parameters.samplingRate = *fs;
    for (const QString& bound : {QStringLiteral("from"), QStringLiteral("to")}) {
        if (!line.isSet(bound)) {
            continue;
        }
        const std::optional<double> hz = numberOf(line.value(bound));
        if (!hz) {
            end = badNumber(bound, line.value(bound));
            return std::nullopt;
        }
        parameters.showFrequencies = true;
        (bound == QLatin1String("from") ? parameters.from : parameters.to) = *hz;
    }
    if (line.isSet(QStringLiteral("pad"))) {
        const std::optional<int> size = integerOf(line.value(QStringLiteral("pad")));
        if (!size || *size < 1) {
            end = badNumber(QStringLiteral("pad"), line.value(QStringLiteral("pad")));
            return std::nullopt;
        }
        parameters.zeroPadding = true;
        parameters.paddingSize = *size;
    }
    return parameters;
}

// The report's two peak lines ("Max amplitude:", " for f="), the last of the transform's report.
void printPeak(const QStringList& reportLines, bool onStandardOutput) {
    const QByteArray text =
        (reportLines.mid(reportLines.size() - 2).join(QLatin1Char('\n')) + QLatin1Char('\n'))
            .toUtf8();
    std::fputs(text.constData(), onStandardOutput ? stdout : stderr);
}

} // namespace

CommandEnd runSpectrum(const QStringList& arguments) {
    CommandLine line(QStringLiteral("spectrum"),
                     QStringLiteral("Writes the spectrum of one column as the analysis page's "
                                    "spectrum file with \"Real\", \"Imag\" and \"XY\", and prints "
                                    "its peak."),
                     true);
    line.addOption(columnOption());
    line.addOption(valueOption(QStringLiteral("rate"), QStringLiteral("Sampling rate in Hz."),
                               QStringLiteral("HZ")));
    line.addOption(valueOption(QStringLiteral("window"),
                               QStringLiteral("hanning, hamming, triangular or flattop."),
                               QStringLiteral("NAME")));
    line.addOption(valueOption(QStringLiteral("pad"),
                               QStringLiteral("Zero padding to this size (a power of two)."),
                               QStringLiteral("SIZE")));
    line.addOption(valueOption(QStringLiteral("from"), QStringLiteral("Lowest frequency shown."),
                               QStringLiteral("HZ")));
    line.addOption(valueOption(QStringLiteral("to"), QStringLiteral("Highest frequency shown."),
                               QStringLiteral("HZ")));
    line.addOption(valueOption(QStringLiteral("integrate"),
                               QStringLiteral("1 or 2: integrate the spectrum once or twice."),
                               QStringLiteral("1|2")));
    line.addOption(outputOption());
    if (auto end = line.parse(arguments)) {
        return *end;
    }
    if (!line.isSet(QStringLiteral("column")) || !line.isSet(QStringLiteral("rate"))) {
        return CommandEnd::badInput(QStringLiteral("spectrum needs --column and --rate"));
    }
    std::optional<analysis::TimeWindow> window;
    if (line.isSet(QStringLiteral("window"))) {
        window = windowNamed(line.value(QStringLiteral("window")));
        if (!window) {
            return CommandEnd::badInput(QStringLiteral("--window: unknown window '%1'")
                                            .arg(line.value(QStringLiteral("window"))));
        }
    }
    int integrations = 0;
    if (line.isSet(QStringLiteral("integrate"))) {
        const std::optional<int> times = integerOf(line.value(QStringLiteral("integrate")));
        if (!times || (*times != 1 && *times != 2)) {
            return CommandEnd::badInput(QStringLiteral("--integrate: 1 or 2, not '%1'")
                                            .arg(line.value(QStringLiteral("integrate"))));
        }
        integrations = *times;
    }
    CommandEnd end;
    const std::optional<analysis::SpectrumParameters> parameters = spectrumParameters(line, end);
    if (!parameters) {
        return end;
    }
    const auto loaded = loadInputFile(line.file());
    if (!loaded) {
        return CommandEnd::badInput(loaded.reason());
    }
    std::optional<std::vector<double>> values =
        columnValues(loaded.value(), line.value(QStringLiteral("column")), end);
    if (!values) {
        return end;
    }
    if (window && !values->empty()) {
        analysis::applyWindow(*window, *values, {0, values->size() - 1});
    }
    analysis::FFTRQ fft;
    auto spectrum = analysis::forwardSpectrum(fft, *values, *parameters);
    if (!spectrum) {
        return CommandEnd::badInput(spectrum.reason());
    }
    std::vector<analysis::SpectrumPoint>& points = spectrum.value().points;
    for (int k = 0; k < integrations; ++k) {
        analysis::integrate(points);
    }
    const QString outPath = line.value(QStringLiteral("o"));
    printPeak(spectrum.value().reportLines, !outPath.isEmpty());
    return writeText(outPath, analysis::spectrumTextLines(points, {}));
}

CommandEnd runHistogram(const QStringList& arguments) {
    CommandLine line(QStringLiteral("histogram"),
                     QStringLiteral("Writes the histogram of one column as the analysis page's "
                                    "histogram file."),
                     true);
    line.addOption(columnOption());
    line.addOption(valueOption(QStringLiteral("bins"), QStringLiteral("Number of bins."),
                               QStringLiteral("B")));
    line.addOption(outputOption());
    if (auto end = line.parse(arguments)) {
        return *end;
    }
    if (!line.isSet(QStringLiteral("column")) || !line.isSet(QStringLiteral("bins"))) {
        return CommandEnd::badInput(QStringLiteral("histogram needs --column and --bins"));
    }
    const std::optional<int> bins = integerOf(line.value(QStringLiteral("bins")));
    if (!bins) {
        return badNumber(QStringLiteral("bins"), line.value(QStringLiteral("bins")));
    }
    const auto loaded = loadInputFile(line.file());
    if (!loaded) {
        return CommandEnd::badInput(loaded.reason());
    }
    CommandEnd end;
    const std::optional<std::vector<double>> values =
        columnValues(loaded.value(), line.value(QStringLiteral("column")), end);
    if (!values) {
        return end;
    }
    const auto result = analysis::histogram(*values, *values, *bins);
    if (!result) {
        return CommandEnd::badInput(result.reason());
    }
    QStringList labels;
    std::vector<double> heights;
    for (const analysis::HistogramBar& bar : result.value().bars) {
        labels << bar.label;
        heights.push_back(bar.count);
    }
    return writeText(line.value(QStringLiteral("o")),
                     analysis::histogramTextLines(labels, heights));
}

} // namespace korvanta::app::cli
