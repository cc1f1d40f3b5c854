#pragma once
// A launcher for tests: records the programs it was asked to start, the documents it was asked to
// open in the spreadsheet program, the addresses it was asked to open and the folders it was asked
// to show.

#include "platform/launcher.h"

#include <vector>

namespace korvanta::testing {

class ScriptedLauncher : public platform::Launcher {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };
    struct Open {
        QString document;
        QString workingDirectory;
    };
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override {
        starts.push_back({program, arguments, workingDirectory});
        return result;
    }
    bool openInSpreadsheet(const QString& document, const QString& workingDirectory) override {
        spreadsheetOpens.push_back({document, workingDirectory});
        return result;
    }
    bool openUrl(const QUrl& url) override {
        openedUrls.push_back(url);
        return result;
    }
    bool openFolder(const QString& directory) override {
        folderOpens << directory;
        return result;
    }
    std::vector<Start> starts;
    std::vector<Open> spreadsheetOpens;
    std::vector<QUrl> openedUrls;
    QStringList folderOpens;
    bool result = true;
};

} // namespace korvanta::testing
