#pragma once
// The progress of one file load: a window-modal dialog with a cancel button that appears only
// when the load runs longer than half a second.

#include "files/data_file_loader.h"

#include <QString>

class QProgressDialog;
class QWidget;

namespace korvanta::files::ui {

class LoadProgressDialog {
public:
    static constexpr int kShowAfterMs = 500;
    static constexpr int kSteps = 1000;

    LoadProgressDialog(QWidget* parent, const QString& fileName);
    ~LoadProgressDialog();
    LoadProgressDialog(const LoadProgressDialog&) = delete;
    LoadProgressDialog& operator=(const LoadProgressDialog&) = delete;

    // The callback for the loader: moves the bar and answers false once the user cancelled.
    LoadProgress callback();
    bool report(qint64 done, qint64 total);
    bool cancelled() const;
    QProgressDialog* dialog() const { return m_dialog; }

private:
    QProgressDialog* m_dialog;
    int m_step = 0;
};

} // namespace korvanta::files::ui
