#pragma once
// Turns SIGTERM and SIGINT into a Qt signal on the event loop, so the program can close through
// its normal window-closing path.

#include <QObject>

class QSocketNotifier;

namespace korvanta::platform::ui {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // True once a termination has reached the event loop, even when nobody could act on it yet
    // (the main window was still starting up).
    bool requested() const { return m_requested; }

signals:
    void terminationRequested();

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
    bool m_requested = false;
};

} // namespace korvanta::platform::ui
