#pragma once
// Starting other programs and asking the system to open documents.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace korvanta::platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts a command line without waiting for it, in `workingDirectory`. False on failure.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingDirectory) = 0;
    // Opens `document` (relative to `workingDirectory`) in the spreadsheet program, the one the
    // system's "Excel.exe" and "scalc.exe" stand for; does not wait. False when it cannot start.
    virtual bool openInSpreadsheet(const QString& document, const QString& workingDirectory) = 0;
    // Asks the system to open `url` in the user's default program for it; does not wait. False
    // when the system cannot be asked.
    virtual bool openUrl(const QUrl& url) = 0;
    // Shows `directory` in the system's file manager; does not wait. False when the directory
    // does not exist or the file manager cannot start.
    virtual bool openFolder(const QString& directory) = 0;
};

// Runs programs with QProcess::startDetached. The spreadsheet program is LibreOffice Calc
// ("libreoffice --calc"), or the command line in KORVANTA_SPREADSHEET_COMMAND when that is set
// (split at blanks; double quotes group words). Addresses and folders open through xdg-open.
class ProcessLauncher : public Launcher {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override;
    bool openInSpreadsheet(const QString& document, const QString& workingDirectory) override;
    bool openUrl(const QUrl& url) override;
    bool openFolder(const QString& directory) override;
};

} // namespace korvanta::platform
