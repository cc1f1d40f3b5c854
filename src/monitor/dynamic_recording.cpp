#include "monitor/dynamic_recording.h"

#include "common/conversion_error.h"
#include "common/cp1250.h"
#include "common/day_time.h"

#include <QStringList>

namespace korvanta::monitor {
namespace {

QChar addressChar(char address) {
    return common::fromCp1250(QByteArray(1, address)).front();
}

QString notATimeMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid time").arg(text);
}

int timeField(const QString& text, const QString& field, int limit) {
    const QString digits = field.trimmed();
    bool ok = !digits.isEmpty();
    for (const QChar c : digits) {
        ok = ok && c.isDigit();
    }
    const int value = ok ? digits.toInt(&ok) : -1;
    if (!ok || value >= limit) {
        throw common::ConversionError(notATimeMessage(text));
    }
    return value;
}

} // namespace

bool DynamicRecording::take(char address, const QString& addressList) {
    const QChar c = addressChar(address);
    if (address == '\0' || c.isSpace() || !addressList.contains(c) || m_savedSystems.contains(c)) {
        return false;
    }
    m_savedSystems += c;
    return true;
}

bool DynamicRecording::complete(const QString& addressList) const {
    for (const QChar c : addressList) {
        if (!c.isSpace() && !m_savedSystems.contains(c)) {
            return false;
        }
    }
    return true;
}

void DynamicRecording::startNext(double nextSaveTime) {
    m_nextSaveTime = nextSaveTime;
    m_savedSystems.clear();
}

double parseDynamicInterval(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(':'));
    if (fields.size() < 2 || fields.size() > 3) {
        throw common::ConversionError(notATimeMessage(text));
    }
    const int hours = timeField(text, fields[0], 24);
    const int minutes = timeField(text, fields[1], 60);
    const int seconds = fields.size() == 3 ? timeField(text, fields[2], 60) : 0;
    return (hours * 3600 + minutes * 60 + seconds) / common::kSecondsPerDay;
}

} // namespace korvanta::monitor
