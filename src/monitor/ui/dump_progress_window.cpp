#include "monitor/ui/dump_progress_window.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace korvanta::monitor::ui {
namespace {

constexpr int kEventsEveryMs = 100;

} // namespace

DumpProgressWindow::DumpProgressWindow(QWidget* parent, int showAfterMs)
    : m_parent(parent), m_showAfterMs(showAfterMs) {
    m_elapsed.start();
}

DumpProgressWindow::~DumpProgressWindow() {
    delete m_dialog;
}

void DumpProgressWindow::report(int done, int total) {
    if (m_elapsed.elapsed() < m_showAfterMs) {
        return;
    }
    if (m_dialog == nullptr) {
        m_dialog =
            new QProgressDialog(QStringLiteral("Zapis bufora..."), QString(), 0, total, m_parent);
        m_dialog->setObjectName(QStringLiteral("DumpProgress"));
        m_dialog->setWindowTitle(QStringLiteral("Save bufer.."));
        // Not modal: a modal progress window would hand every event, user input too, to the
        // window in the middle of the dump.
        m_dialog->setWindowModality(Qt::NonModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->show();
        m_sinceEvents.invalidate();
    }
    m_dialog->setMaximum(total);
    m_dialog->setValue(done);
    if (!m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= kEventsEveryMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_sinceEvents.start();
    }
}

} // namespace korvanta::monitor::ui
