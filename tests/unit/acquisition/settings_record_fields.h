#pragma once
// Every field of the settings record with its offset and byte image, tabulated by hand from the
// record's layout table, for the layout and file tests.

#include "acquisition/settings_record.h"
#include "unit/acquisition/raw_bytes.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace korvanta::testing {

struct SettingsField {
    std::string name;
    std::size_t offset;
    QByteArray bytes; // what the field's bytes hold after the write
    std::function<void(acquisition::SettingsRecord&)> write;
    std::function<bool(const acquisition::SettingsRecord&)> holds;
};

// The fields, with values chosen so that no two fields share a value.
std::vector<SettingsField> settingsFields();

// The record image that holds every field of settingsFields() and zero elsewhere.
QByteArray settingsImage();

} // namespace korvanta::testing
