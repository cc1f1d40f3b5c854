#pragma once
// What an update step leaves on its button, and why it failed.

#include <QString>

namespace korvanta::about {

struct UpdateOutcome {
    QString caption; // the text of the button that was pressed
    QString reason;  // why it failed; empty when it did not

    bool ok() const { return reason.isEmpty(); }
};

} // namespace korvanta::about
