// korvanta-cli: the measurement-file functions of the window and its buffer dump, from a shell.

#include "app/cli/analysis_commands.h"
#include "app/cli/command_end.h"
#include "app/cli/dump_command.h"
#include "app/cli/file_commands.h"
#include "app/cli/ui/plot_command.h"

#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <map>

using namespace korvanta::app::cli;

namespace {

const char* const kUsage =
    "Usage: korvanta-cli COMMAND [options] [FILE]\n"
    "\n"
    "Commands:\n"
    "  info FILE                 what the file holds, one \"name: value\" line per item\n"
    "  spreadsheet FILE [-o OUT] the copy \"Wstaw do OpenOffice\" makes (TABs, decimal commas)\n"
    "  csv FILE [-o OUT]         the file as RFC 4180 CSV\n"
    "  plot FILE [--columns 1,3,...] [--size WxH] -o OUT.png|.svg|.pdf\n"
    "                            the chart of the file as a picture\n"
    "  spectrum FILE --column N --rate HZ [--window hanning|hamming|triangular|flattop]\n"
    "           [--pad SIZE] [--from HZ] [--to HZ] [--integrate 1|2] [-o OUT]\n"
    "                            the spectrum file of one column, and its peak\n"
    "  histogram FILE --column N --bins B [-o OUT]\n"
    "                            the histogram file of one column\n"
    "  dump-buffer [--dir DIR]   the acquisition program's data table, as \"Save bufer..\"\n"
    "\n"
    "Without -o, text results go to standard output. `korvanta-cli COMMAND --help` describes a\n"
    "command. Exit status: 0 done, 1 the result could not be written, 2 bad input.\n";

using Command = std::function<CommandEnd(const QStringList&)>;

int runCommand(const QString& name, const QStringList& arguments) {
    static const std::map<QString, Command> commands = {
        {QStringLiteral("info"), runInfo},
        {QStringLiteral("spreadsheet"), runSpreadsheet},
        {QStringLiteral("csv"), runCsv},
        {QStringLiteral("spectrum"), runSpectrum},
        {QStringLiteral("histogram"), runHistogram},
        {QStringLiteral("dump-buffer"), runDumpBuffer},
    };
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        std::fputs(kUsage, stdout);
        return finish(CommandEnd::done());
    }
    if (name.isEmpty()) {
        std::fputs(kUsage, stderr);
        return finish(CommandEnd::badInput(QStringLiteral("no command given")));
    }
    const auto command = commands.find(name);
    if (command == commands.end()) {
        return finish(CommandEnd::badInput(
            QStringLiteral("unknown command '%1' (see korvanta-cli --help)").arg(name)));
    }
    return finish(command->second(arguments));
}

} // namespace

int main(int argc, char** argv) {
    // Only the chart needs the widget application; the other commands run without a display.
    if (argc > 1 && QByteArray(argv[1]) == "plot") {
        return ui::runPlot(argc, argv);
    }
    QCoreApplication app(argc, argv);
    // The window's name, so the window's settings directory is found.
    QCoreApplication::setApplicationName(QStringLiteral("Korvanta"));
    const QStringList arguments = QCoreApplication::arguments();
    return runCommand(arguments.value(1), arguments.mid(2));
}
