#pragma once
// How a command of korvanta-cli ends: its exit status and, for a failure, the one line it leaves
// on standard error.

#include <QString>

namespace korvanta::app::cli {

enum class ExitStatus {
    Done = 0,
    WriteFailed = 1, // the input was good, the result could not be written
    BadInput = 2,    // a missing or unreadable file, a bad option or value, no shared blocks
};

struct CommandEnd {
    ExitStatus status = ExitStatus::Done;
    QString message; // empty when nothing is to be said

    static CommandEnd done() { return {}; }
    static CommandEnd badInput(const QString& message) { return {ExitStatus::BadInput, message}; }
    static CommandEnd writeFailed(const QString& message) {
        return {ExitStatus::WriteFailed, message};
    }
};

// Prints the message, if any, as one line on standard error and gives the exit status.
int finish(const CommandEnd& end);

// A line on standard error that does not end the command.
void warn(const QString& message);

} // namespace korvanta::app::cli
