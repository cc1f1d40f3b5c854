#pragma once
// What one step of a bench run did, for the window to carry out and show.

#include <QString>
#include <QStringList>
#include <optional>

namespace korvanta::bench {

struct RunnerEffects {
    QStringList commands;  // written into the control block's command field, in this order
    QStringList logLines;  // appended to the log, in this order
    bool clearLog = false; // before logLines
    std::optional<int> timerInterval; // the step timer's new interval [ms]
    bool plot = false;                // plot a point of every active channel, auto-scaling on
    bool forceAlarm = false;          // "F" over Max F
    bool displacementAlarm = false;   // "L" over Max L
    bool alarmEntered = false;        // the run stopped on an alarm in this step (state 7)
    QString alarmCause;               // with alarmEntered: the limit or cause, one line
    bool stopped = false;             // STOP ran: the step and preparation timers end
    bool finished = false;            // the test finished: reportLog goes to the report file
    QStringList reportLog;            // with finished
    bool preparationFinished = false; // the preparation ended (its timer stops)
};

} // namespace korvanta::bench
