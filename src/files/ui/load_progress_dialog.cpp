#include "files/ui/load_progress_dialog.h"

#include <QProgressDialog>
#include <algorithm>

namespace korvanta::files::ui {

LoadProgressDialog::LoadProgressDialog(QWidget* parent, const QString& fileName)
    : m_dialog(new QProgressDialog(QStringLiteral("Wczytywanie pliku %1").arg(fileName),
                                   QStringLiteral("Przerwij"), 0, kSteps, parent)) {
    m_dialog->setObjectName(QStringLiteral("LoadProgressDialog"));
    m_dialog->setWindowTitle(QStringLiteral("Wczytywanie"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

LoadProgressDialog::~LoadProgressDialog() {
    delete m_dialog;
}

LoadProgress LoadProgressDialog::callback(double start, double stop) {
    return [this, start, stop](qint64 done, qint64 total) {
        const double part =
            total > 0 ? std::clamp(static_cast<double>(done) / static_cast<double>(total), 0.0, 1.0)
                      : 0.0;
        return report(start + part * (stop - start));
    };
}

bool LoadProgressDialog::report(double fraction) {
    const int step = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kSteps);
    // Only a visible change touches the dialog: a shown dialog handles the pending events on
    // every value, which is what lets the cancel button be pressed during the load.
    if (step != m_step) {
        m_step = step;
        m_dialog->setValue(step);
    }
    return !m_dialog->wasCanceled();
}

bool LoadProgressDialog::cancelled() const {
    return m_dialog->wasCanceled();
}

} // namespace korvanta::files::ui
