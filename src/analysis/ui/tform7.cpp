#include "analysis/ui/tform7.h"

#include <QGridLayout>
#include <QLabel>

namespace korvanta::analysis::ui {

TForm7::TForm7(QWidget* parent)
    : QDialog(parent), Edit1(new QLineEdit(QStringLiteral("0"), this)),
      Edit2(new QLineEdit(QStringLiteral("0"), this)),
      BitBtn1(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("Rectangular window"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Set the frequency range:"), this), 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("from"), this), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("to"), this), 1, 2);
    grid->addWidget(Edit2, 1, 3);
    grid->addWidget(BitBtn1, 2, 0, 1, 4, Qt::AlignCenter);
}

} // namespace korvanta::analysis::ui
