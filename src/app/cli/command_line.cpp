#include "app/cli/command_line.h"

#include <cstdio>

namespace korvanta::app::cli {

CommandLine::CommandLine(const QString& command, const QString& description, bool takesFile)
    : m_command(command), m_takesFile(takesFile) {
    m_parser.setApplicationDescription(description);
    m_parser.addHelpOption();
    if (takesFile) {
        m_parser.addPositionalArgument(QStringLiteral("FILE"),
                                       QStringLiteral("The measurement text file to read."));
    }
}

void CommandLine::addOption(const QCommandLineOption& option) {
    m_parser.addOption(option);
}

std::optional<CommandEnd> CommandLine::parse(const QStringList& arguments) {
    const QString prefix = m_command + QStringLiteral(": ");
    if (!m_parser.parse(QStringList{QStringLiteral("korvanta-cli")} + arguments)) {
        return CommandEnd::badInput(prefix + m_parser.errorText());
    }
    if (m_parser.isSet(QStringLiteral("help"))) {
        std::fputs(helpText().toLocal8Bit().constData(), stdout);
        return CommandEnd::done();
    }
    const QStringList positional = m_parser.positionalArguments();
    const qsizetype wanted = m_takesFile ? 1 : 0;
    if (positional.size() < wanted) {
        return CommandEnd::badInput(prefix + QStringLiteral("no FILE given"));
    }
    if (positional.size() > wanted) {
        return CommandEnd::badInput(
            prefix + QStringLiteral("unexpected argument '%1'").arg(positional.at(wanted)));
    }
    m_file = m_takesFile ? positional.first() : QString();
    return std::nullopt;
}

// The parser names the program alone in its usage line; the command belongs there too.
QString CommandLine::helpText() const {
    QString text = m_parser.helpText();
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString usage = QStringLiteral("Usage: korvanta-cli %1 [options]%2")
                              .arg(m_command, m_takesFile ? QStringLiteral(" FILE") : QString());
    return usage + text.mid(end);
}

} // namespace korvanta::app::cli
