#pragma once
// Where the newest version text, program file and support page are published.

#include <QString>
#include <QUrl>

namespace korvanta::about {

// The maker's update server; KORVANTA_UPDATE_URL replaces it (a mirror, or a test's own server).
inline const QString kDefaultUpdateServer = QStringLiteral("https://aktualizacje.zaro.pl");

struct UpdateAddresses {
    QUrl versionText; // first line: the newest version, for the user to read
    QUrl programFile;
    QUrl programHash; // the program file's SHA-256, where the server publishes one
    QUrl supportPage;

    // The addresses under `server` (scheme and host, perhaps a path; a trailing "/" is ignored).
    static UpdateAddresses under(const QString& server);
    // The addresses under KORVANTA_UPDATE_URL when it is set, else under the maker's server.
    static UpdateAddresses fromEnvironment();
};

} // namespace korvanta::about
