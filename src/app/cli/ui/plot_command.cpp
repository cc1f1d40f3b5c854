#include "app/cli/ui/plot_command.h"

#include "acquisition/settings_file.h"
#include "app/cli/command_line.h"
#include "app/cli/input_file.h"
#include "app/cli/plot_options.h"
#include "chart/ui/chart_picture.h"
#include "chart/ui/file_picture.h"
#include "chart/ui/monitor_chart.h"
#include "files/text_export.h"

#include <QApplication>
#include <QColor>
#include <QFileInfo>
#include <array>

namespace korvanta::app::cli::ui {
namespace {

const QSize kDefaultSize(1600, 900);

// Without a companion settings file every series would take the record's empty colour, black;
// a picture on its own is easier to read with distinct colours.
constexpr std::array<QRgb, 16> kPalette = {
    0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd, 0x8c564b, 0xe377c2, 0x7f7f7f,
    0xbcbd22, 0x17becf, 0x000080, 0x800000, 0x008000, 0x808000, 0x800080, 0x008080,
};

acquisition::SettingsRecord paletteSettings() {
    acquisition::SettingsRecord settings;
    for (int k = 1; k <= acquisition::SettingsRecord::kChannelCount; ++k) {
        const QColor color(kPalette[static_cast<std::size_t>(k - 1) % kPalette.size()]);
        settings.setSeriesColor(k, chart::ui::MonitorChart::colorToRecord(color));
    }
    return settings;
}

// The companion ".sett" file's settings when it is there, as the window takes them.
acquisition::SettingsRecord plotSettings(const QString& dataFile) {
    const QString companion = files::companionSettingsName(dataFile);
    if (!QFileInfo::exists(companion)) {
        return paletteSettings();
    }
    acquisition::SettingsRecord settings;
    if (auto read = acquisition::readSettingsDump(companion, settings); !read) {
        warn(read.reason() + QStringLiteral(" (drawn without the companion settings)"));
        return paletteSettings();
    }
    return settings;
}

CommandEnd checkColumns(const std::vector<int>& columns, const files::LoadedFile& file) {
    const auto available = static_cast<int>(file.columns.size());
    for (const int column : columns) {
        if (column > available) {
            return CommandEnd::badInput(
                QStringLiteral("plot: --columns: column %1 is not in the file, "
                               "which has %2")
                    .arg(column)
                    .arg(available));
        }
    }
    return CommandEnd::done();
}

void keepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        warn(message);
    }
}

CommandEnd plot(const QStringList& arguments) {
    CommandLine line(QStringLiteral("plot"),
                     QStringLiteral("Draws the file as the main chart shows it (series titles, "
                                    "colours from the companion \".sett\" file, legend, axes) "
                                    "and saves it as a PNG, SVG or PDF picture."),
                     true);
    line.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                    QStringLiteral("The picture: a name ending in .png, .svg or .pdf."),
                    QStringLiteral("OUT")});
    line.addOption({QStringLiteral("columns"),
                    QStringLiteral("The columns to show, 1-based as the chart numbers them "
                                   "(default: all)."),
                    QStringLiteral("1,3,...")});
    line.addOption({QStringLiteral("size"),
                    QStringLiteral("The picture's size in pixels (default 1600x900)."),
                    QStringLiteral("WxH")});
    if (auto end = line.parse(arguments)) {
        return *end;
    }
    const QString out = line.value(QStringLiteral("o"));
    if (out.isEmpty()) {
        return CommandEnd::badInput(
            QStringLiteral("plot: no picture named (-o OUT.png|.svg|.pdf)"));
    }
    if (!chart::ui::pictureTypeOf(out)) {
        return CommandEnd::badInput(
            QStringLiteral("plot: %1 is no picture type: use .png, .svg or .pdf").arg(out));
    }
    QSize size = kDefaultSize;
    if (line.isSet(QStringLiteral("size"))) {
        const auto parsed = parsePictureSize(line.value(QStringLiteral("size")));
        if (!parsed) {
            return CommandEnd::badInput(QStringLiteral("plot: ") + parsed.reason());
        }
        size = parsed.value();
    }
    std::vector<int> columns;
    if (line.isSet(QStringLiteral("columns"))) {
        const auto parsed = parseColumns(line.value(QStringLiteral("columns")));
        if (!parsed) {
            return CommandEnd::badInput(QStringLiteral("plot: ") + parsed.reason());
        }
        columns = parsed.value();
    }
    auto loaded = loadInputFile(line.file());
    if (!loaded) {
        return CommandEnd::badInput(loaded.reason());
    }
    if (auto end = checkColumns(columns, loaded.value()); end.status != ExitStatus::Done) {
        return end;
    }
    const acquisition::SettingsRecord settings = plotSettings(line.file());
    const auto saved = chart::ui::saveFilePicture(loaded.value(), settings, columns, out, size);
    return saved ? CommandEnd::done() : CommandEnd::writeFailed(saved.reason());
}

} // namespace

int runPlot(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A failure is one line of the tool's own; the toolkit's notes about the session (such as
    // the offscreen platform's missing runtime directory) would only crowd it.
    qInstallMessageHandler(keepSeriousMessages);
    QApplication app(argc, argv);
    return finish(plot(QApplication::arguments().mid(2)));
}

} // namespace korvanta::app::cli::ui
