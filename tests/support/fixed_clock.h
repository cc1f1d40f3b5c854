#pragma once
// A clock for tests that shows a set day number.

#include "platform/clock.h"

namespace korvanta::testing {

class FixedClock : public platform::Clock {
public:
    explicit FixedClock(double now = 46215.5) : value(now) {}
    double now() const override { return value; }
    double value;
};

} // namespace korvanta::testing
