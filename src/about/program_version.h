#pragma once
// The program's version, as the build names it (the project's version in CMake).

#include <QString>

namespace korvanta::about {

QString programVersion();

} // namespace korvanta::about
