#pragma once
// A launcher for tests: records the programs it was asked to start.

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
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override {
        starts.push_back({program, arguments, workingDirectory});
        return result;
    }
    std::vector<Start> starts;
    bool result = true;
};

} // namespace korvanta::testing
