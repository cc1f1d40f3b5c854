#pragma once
// The local clock as a day number, behind a seam so tests can set the time.

namespace korvanta::platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
};

class SystemClock : public Clock {
public:
    double now() const override;
};

} // namespace korvanta::platform
