#include "about/program_version.h"

namespace korvanta::about {

QString programVersion() {
    return QStringLiteral(KORVANTA_VERSION);
}

} // namespace korvanta::about
