#include "app/cli/dump_command.h"

#include "acquisition/acquisition_link.h"
#include "acquisition/settings_file.h"
#include "acquisition/settings_location.h"
#include "app/cli/command_line.h"
#include "common/number_format.h"
#include "monitor/buffer_dump.h"
#include "platform/clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>

namespace korvanta::app::cli {
namespace {

// The dump folder the window starts with.
const QString kDefaultFolder = QStringLiteral("dynamic/");

// The window's settings, for the channel labels of the dump's header: the settings file of the
// program "korvanta" where the window keeps it; the window's defaults when there is none.
acquisition::SettingsRecord windowSettings() {
    acquisition::SettingsRecord settings;
    const QString directory = acquisition::settingsDirectoryFor(
        QCoreApplication::applicationDirPath(), QDir::currentPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const QString path =
        QDir(directory).filePath(acquisition::settingsFileNameFor(QStringLiteral("korvanta")));
    if (!acquisition::readSettingsDump(path, settings)) {
        settings.applyMissingFileDefaults();
    }
    return settings;
}

// The window builds the name by appending to the folder text, so a folder needs its separator.
QString folderText(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))
               ? folder
               : folder + QLatin1Char('/');
}

} // namespace

CommandEnd runDumpBuffer(const QStringList& arguments) {
    CommandLine line(QStringLiteral("dump-buffer"),
                     QStringLiteral("Attaches to the acquisition program's shared blocks and "
                                    "writes the data table as \"Save bufer..\" does; prints the "
                                    "file's path."),
                     false);
    line.addOption(QCommandLineOption(
        QStringLiteral("dir"),
        QStringLiteral("The folder of the dump, made when missing (default \"dynamic/\")."),
        QStringLiteral("DIR"), kDefaultFolder));
    if (auto end = line.parse(arguments)) {
        return *end;
    }
    acquisition::AcquisitionLink link;
    if (!link.attachControlBlock()) {
        return CommandEnd::badInput(
            QStringLiteral("dump-buffer: no shared block \"%1\": is the acquisition program "
                           "running?")
                .arg(QLatin1String(acquisition::AcquisitionLink::kControlBlockName)));
    }
    if (!link.attachDataTable() || !link.tick().hasData()) {
        return CommandEnd::badInput(
            QStringLiteral("dump-buffer: no data table \"%1\" with records")
                .arg(QLatin1String(acquisition::AcquisitionLink::kDataTableName)));
    }
    // The live steps write with '.'; the dump follows the same process-wide separator.
    common::setDecimalSeparator(QLatin1Char('.'));
    const platform::SystemClock clock;
    const monitor::BufferDumpResult dump = monitor::ZapiszBuforJakoPlikTekstowy(
        link.tick(), windowSettings(),
        {clock.now(), folderText(line.value(QStringLiteral("dir"))), '\0', 0, {}});
    if (dump.failed()) {
        return CommandEnd::writeFailed(dump.failure);
    }
    std::printf("%s\n", QDir::toNativeSeparators(dump.path).toLocal8Bit().constData());
    return CommandEnd::done();
}

} // namespace korvanta::app::cli
