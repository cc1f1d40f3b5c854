#pragma once
// Directories as the settings record names them, turned into paths on this system.

#include <QString>

namespace korvanta::common {

// `directory` as an absolute path: '/' for '\', relative to the current directory, the current
// directory itself when empty.
QString localDirectory(const QString& directory);

} // namespace korvanta::common
