#pragma once
// Reading and writing the raw 61640-byte dump of the settings record.

#include "acquisition/settings_record.h"
#include "common/result.h"

#include <QString>

namespace korvanta::acquisition {

// The most 61640-byte chunks a settings file may hold. A real dump is one chunk, and a file that
// was appended to by mistake holds a few; 64 chunks (about 3.9 MB) are far beyond any of them and
// still read at once, while a longer file is no dump this program wrote.
inline constexpr int kMaxSettingsChunks = 64;

// Reads the file in chunks of 61640 bytes into the record from its first byte: a short file
// replaces only its own length, every further chunk of a long file overwrites from the start.
// Fails with the reason when the file cannot be opened (the record is then unchanged).
common::Result<> readSettingsDump(const QString& path, SettingsRecord& record);

// Writes all 61640 bytes through a save file, so a failed write never leaves a truncated file
// where a good one stood. Fails with the reason when the file cannot be written.
common::Result<> writeSettingsDump(const QString& path, const SettingsRecord& record);

// The settings file name for a program file: its name without directory and without its last
// four characters when it ends in ".exe", then ".bupas" ("korvanta" gives "korvanta.bupas").
QString settingsFileNameFor(const QString& programPath);

// The name of a configuration file chosen in the save dialog: ".bupas" is appended unless the
// name already ends in it.
QString configFileName(const QString& chosenPath);

// The companion settings file of a data file: its name without the last three characters,
// followed by "sett" ("pomiar.dan" gives "pomiar.sett").
QString companionFileName(const QString& dataFilePath);

} // namespace korvanta::acquisition
