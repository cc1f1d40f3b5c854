#pragma once
// The names of the restart files and the test whether a restart can be started.

#include <QString>

namespace korvanta::monitor {

inline constexpr const char* kRestartMarkerFile = "VistraHaldenKV.exe";
inline constexpr const char* kRestartProgram = "ExecHaldenKV.exe";

// True when the marker file exists in the start directory.
bool restartAvailable(const QString& startDirectory);

} // namespace korvanta::monitor
