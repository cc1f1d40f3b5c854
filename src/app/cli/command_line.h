#pragma once
// The options and the FILE argument of one korvanta-cli command, with its --help.

#include "app/cli/command_end.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

namespace korvanta::app::cli {

class CommandLine {
public:
    // `takesFile`: the command reads one FILE named after its options.
    CommandLine(const QString& command, const QString& description, bool takesFile);

    void addOption(const QCommandLineOption& option);
    // Parses the command's arguments (those after its name). Nothing when the command is to run;
    // otherwise how it ends: its help printed, or a line naming the bad option or argument.
    std::optional<CommandEnd> parse(const QStringList& arguments);

    QString file() const { return m_file; }
    bool isSet(const QString& name) const { return m_parser.isSet(name); }
    QString value(const QString& name) const { return m_parser.value(name); }

private:
    QString helpText() const;

    QCommandLineParser m_parser;
    QString m_command;
    QString m_file;
    bool m_takesFile;
};

} // namespace korvanta::app::cli
