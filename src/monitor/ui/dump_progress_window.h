#pragma once
// The progress of a long buffer dump: the dump runs on the window's thread, so once it has taken
// half a second a progress window appears and the window keeps being drawn.

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;
class QWidget;

namespace korvanta::monitor::ui {

class DumpProgressWindow {
public:
    explicit DumpProgressWindow(QWidget* parent, int showAfterMs = 500);
    ~DumpProgressWindow();
    DumpProgressWindow(const DumpProgressWindow&) = delete;
    DumpProgressWindow& operator=(const DumpProgressWindow&) = delete;

    // The dump has written `done` of `total` records. Past the delay the window shows the count
    // and pending paint and timer events are handled; user input waits for the dump's end.
    void report(int done, int total);

private:
    QWidget* m_parent;
    int m_showAfterMs;
    QElapsedTimer m_elapsed;
    QElapsedTimer m_sinceEvents;
    QPointer<QProgressDialog> m_dialog;
};

} // namespace korvanta::monitor::ui
