#pragma once
// Tick labels of the bottom axis: times of day for day-number X values, plain numbers otherwise.

#include <qcustomplot.h>

namespace korvanta::chart::ui {

class DayTimeTicker : public QCPAxisTicker {
public:
    bool dayTimes() const { return m_dayTimes; }
    void setDayTimes(bool on) { m_dayTimes = on; }

protected:
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;

private:
    bool m_dayTimes = true;
};

} // namespace korvanta::chart::ui
