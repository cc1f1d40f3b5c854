#pragma once
// Everything the finished-test document shows: the test record, the parameters, the verdict, the
// force and displacement of every test step, and the log.

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace korvanta::bench {

// One test step: seconds since START, zero-corrected force [kN] and displacement [mm].
struct TestTracePoint {
    double seconds = 0;
    double force = 0;
    double displacement = 0;
};

struct FinishedTest {
    QString reportName;     // the report file's name without ".txt"
    QString testTypeText;   // "Próba zgodności z normą ZUAT-15/" or "Próba odkształcenia"
    QString startText;      // START as "yyyy-mm-dd hh:mm:ss"
    QString endText;        // the end as "yyyy-mm-dd hh:mm:ss"
    QStringList itemNames;  // the twenty item names of the test record
    QStringList itemValues; // their values, as confirmed (may be shorter after RAPORT)
    std::vector<std::pair<QString, QString>> parameters; // caption and value text
    bool alarm = false; // ended by an alarm stop rather than finished
    QString verdict;    // one line: finished, or the limit or cause that stopped it
    std::vector<TestTracePoint> trace;
    QStringList log; // every log line of the test
};

} // namespace korvanta::bench
