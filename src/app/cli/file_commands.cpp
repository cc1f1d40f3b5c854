#include "app/cli/file_commands.h"

#include "app/cli/command_line.h"
#include "app/cli/input_file.h"
#include "app/cli/text_output.h"
#include "files/csv_export.h"
#include "files/file_summary.h"
#include "files/spreadsheet_copy.h"

#include <QDir>

namespace korvanta::app::cli {
namespace {

QCommandLineOption outputOption(const QString& description) {
    return QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")}, description,
                              QStringLiteral("OUT"));
}

} // namespace

CommandEnd runInfo(const QStringList& arguments) {
    CommandLine line(QStringLiteral("info"),
                     QStringLiteral("Prints what the file holds, one \"name: value\" line per "
                                    "item: description, columns, lines, values, first, last."),
                     true);
    if (auto end = line.parse(arguments)) {
        return *end;
    }
    const auto loaded = loadInputFile(line.file());
    if (!loaded) {
        return CommandEnd::badInput(loaded.reason());
    }
    const QByteArray text =
        (files::fileSummary(loaded.value()).join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    return writeResult({}, [&text](QIODevice& out) { return out.write(text) == text.size(); });
}

CommandEnd runSpreadsheet(const QStringList& arguments) {
    CommandLine line(QStringLiteral("spreadsheet"),
                     QStringLiteral("Writes the copy of the file a spreadsheet with Polish number "
                                    "settings reads (runs of spaces as one TAB, '.' as ',', LF "
                                    "line ends), as \"Wstaw do OpenOffice\" does."),
                     true);
    line.addOption(outputOption(
        QStringLiteral("The copy's name; without it the bare file name followed by \".txt\", in "
                       "the current directory.")));
    if (auto end = line.parse(arguments)) {
        return *end;
    }
    const QString source = line.file();
    if (auto readable = checkInputFile(source); !readable) {
        return CommandEnd::badInput(readable.reason());
    }
    const QString copy = line.isSet(QStringLiteral("o"))
                             ? line.value(QStringLiteral("o"))
                             : QDir::current().filePath(files::spreadsheetCopyName(source));
    switch (files::writeSpreadsheetCopy(source, copy)) {
    case files::SpreadsheetCopyOutcome::Written:
        return CommandEnd::done();
    case files::SpreadsheetCopyOutcome::SourceMissing:
        return CommandEnd::badInput(source + QStringLiteral(": cannot be read"));
    case files::SpreadsheetCopyOutcome::CopyFailed:
        break;
    }
    return CommandEnd::writeFailed(copy + QStringLiteral(": cannot be written"));
}

CommandEnd runCsv(const QStringList& arguments) {
    CommandLine line(QStringLiteral("csv"),
                     QStringLiteral("Writes the file as RFC 4180 CSV: a row \"label\" and the "
                                    "column names, then one row per data line."),
                     true);
    line.addOption(outputOption(QStringLiteral("The CSV file; standard output without it.")));
    if (auto end = line.parse(arguments)) {
        return *end;
    }
    const auto loaded = loadInputFile(line.file());
    if (!loaded) {
        return CommandEnd::badInput(loaded.reason());
    }
    return writeResult(line.value(QStringLiteral("o")),
                       [&loaded](QIODevice& out) { return files::writeCsv(loaded.value(), out); });
}

} // namespace korvanta::app::cli
