#pragma once
// The calibration dialog: the factor applied to the chosen series of the monitoring chart.

#include "common/ui/labeled_edit.h"

#include <QDialog>
#include <QPushButton>

namespace korvanta::analysis::ui {

class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    common::ui::LabeledEdit* labeledEdit1() const { return LabeledEdit1; }
    QPushButton* bitBtn1() const { return BitBtn1; }

private:
    common::ui::LabeledEdit* LabeledEdit1; // calibration factor
    QPushButton* BitBtn1;                  // apply the factor
};

} // namespace korvanta::analysis::ui
