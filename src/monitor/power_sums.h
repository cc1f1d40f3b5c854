#pragma once
// What the zero-crossing walk of one voltage and current pair leaves behind, before Moc1fazy
// turns it into its power results.

namespace korvanta::monitor {

struct PowerSums {
    double tI = -1; // crossing-time registers, day numbers; -1 means none
    double tU = -1;
    double tUprev = -1;
    double meanPeriod = 0; // days
    int periodCount = 0;
    double delaySum = 0; // days
    int delayCount = 0;
    double sumU2 = 0;
    double sumI2 = 0;
    bool directionSeen = false; // a voltage crossing has set the direction
    float direction = 0;
};

} // namespace korvanta::monitor
