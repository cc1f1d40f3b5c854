#pragma once
// The download of a new program file in place of the running one, with the old one kept.

#include "about/update_addresses.h"
#include "about/update_outcome.h"
#include "platform/download.h"

#include <QByteArray>
#include <optional>

namespace korvanta::about {

inline const QString kUpdateDoneCaption = QStringLiteral("Pobieranie zakończone: OK!");
inline const QString kUpdateFailedCaption = QStringLiteral("  Błąd pobierania !.");
inline const QString kNotWritableCaption =
    QStringLiteral("  Brak prawa zapisu w katalogu programu");

// The name the previous program keeps: the program's own with ".bak".
QString backupPathFor(const QString& programPath);

// The SHA-256 a hash file publishes, in lower-case hex: the first word of its first line, as
// "sha256sum" writes it ("hex  name") or bare. Nothing when that word is no SHA-256.
std::optional<QByteArray> publishedHash(const QByteArray& text);

// Downloads the program file beside `programPath` and, only when it arrived whole, is not empty
// and matches the hash the server publishes (when it publishes one), moves the program to its
// backup name and the new file into its place, executable. On any failure the program file stays
// as it was. Nothing is tried when the program's directory cannot be written (an installed
// package, which its package manager updates). The running program goes on from the file under
// its backup name; the new one runs from the next start.
UpdateOutcome downloadNewProgram(platform::Download& download, const UpdateAddresses& addresses,
                                 const QString& programPath);

} // namespace korvanta::about
