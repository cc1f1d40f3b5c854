#include "about/update_addresses.h"

namespace korvanta::about {

UpdateAddresses UpdateAddresses::under(const QString& server) {
    QString base = server;
    while (base.endsWith(QLatin1Char('/'))) {
        base.chop(1);
    }
    return {QUrl(base + QStringLiteral("/client/korvp/nowawer.txt")),
            QUrl(base + QStringLiteral("/client/korvp/Korvanta.ex_")),
            QUrl(base + QStringLiteral("/client/korvp/Korvanta.ex_.sha256")),
            QUrl(base + QStringLiteral("/Support/korvanta.html"))};
}

UpdateAddresses UpdateAddresses::fromEnvironment() {
    const QString configured = qEnvironmentVariable("KORVANTA_UPDATE_URL");
    return under(configured.isEmpty() ? kDefaultUpdateServer : configured);
}

} // namespace korvanta::about
