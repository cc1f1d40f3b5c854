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

    // The callback for the loader: moves the bar and answers false once the user cancelled. A
    // load done in steps gives each step its part of the bar, from `start` to `stop` (0 … 1).
    LoadProgress callback(double start = 0, double stop = 1);
    bool report(double fraction);
    bool cancelled() const;
    QProgressDialog* dialog() const { return m_dialog; }

private:
    QProgressDialog* m_dialog;
    int m_step = 0;
};

} // namespace korvanta::files::ui
