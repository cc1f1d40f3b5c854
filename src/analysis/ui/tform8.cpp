#include "analysis/ui/tform8.h"

#include <QVBoxLayout>

namespace korvanta::analysis::ui {

TForm8::TForm8(QWidget* parent)
    : QDialog(parent),
      LabeledEdit1(new common::ui::LabeledEdit(QStringLiteral("LabeledEdit1"),
                                               QStringLiteral("Calibration value:"), this)),
      BitBtn1(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QStringLiteral("Calibration"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabeledEdit1);
    layout->addWidget(BitBtn1, 0, Qt::AlignCenter);
}

} // namespace korvanta::analysis::ui
