#include "platform/clock.h"

#include "common/day_time.h"

#include <QDateTime>

namespace korvanta::platform {

double SystemClock::now() const {
    return common::toDayNumber(QDateTime::currentDateTime());
}

} // namespace korvanta::platform
