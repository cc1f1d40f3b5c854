#pragma once
// The check for a new version: fetches the newest published version text for the user to read.

#include "about/update_outcome.h"
#include "platform/download.h"

#include <QByteArray>
#include <QUrl>

namespace korvanta::about {

inline const QString kVersionFileName = QStringLiteral("newver.txt");
inline constexpr int kVersionCaptionLength = 39;
inline const QString kCheckFailedCaption = QStringLiteral("  Błąd pobierania");
inline const QString kVersionFileFailedCaption = QStringLiteral("Błąd pliku!!");

// The first line of a version text, at most 39 characters: UTF-8 when it is valid UTF-8, else
// code page 1250 as the maker's older servers write it.
QString versionCaption(const QByteArray& text);

// Downloads the version text into "newver.txt" in `directory` (an old one is deleted first) and
// gives its first line as the caption; "newver.txt" is gone again afterwards, whatever happened.
// The text is not compared with this program's version: the user reads it on the button.
UpdateOutcome checkNewVersion(platform::Download& download, const QUrl& versionText,
                              const QString& directory);

} // namespace korvanta::about
