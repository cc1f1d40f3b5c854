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

signals:
    void terminationRequested();

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace korvanta::platform::ui
