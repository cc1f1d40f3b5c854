#include "bench/ui/bench_tests_page.h"

#include "common/ui/named_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPalette>
#include <QVBoxLayout>

namespace korvanta::bench::ui {
namespace {

using common::ui::makeButton;

const QColor kNormal(192, 220, 192);
const QColor kAlarm(255, 0, 0);

void setBackground(common::ui::LabeledEdit* edit, const QColor& colour) {
    QPalette palette = edit->edit()->palette();
    palette.setColor(QPalette::Base, colour);
    edit->edit()->setPalette(palette);
}

common::ui::LabeledEdit* makeLiveValue(const QString& name, const QString& caption,
                                       QWidget* parent) {
    auto* edit = new common::ui::LabeledEdit(name, caption, parent);
    edit->edit()->setReadOnly(true);
    setBackground(edit, kNormal);
    return edit;
}

} // namespace

BenchTestsPage::BenchTestsPage(QWidget* parent)
    : QWidget(parent),
      Button10(makeButton(QStringLiteral("Button10"), QStringLiteral("START"), this)),
      Button12(makeButton(QStringLiteral("Button12"), QStringLiteral("STOP"), this)),
      Button16(makeButton(QStringLiteral("Button16"), QStringLiteral("PRZYGOTUJ"), this)),
      Button13(makeButton(QStringLiteral("Button13"), QStringLiteral("^"), this)),
      Button14(makeButton(QStringLiteral("Button14"), QStringLiteral("STOP"), this)),
      Button15(makeButton(QStringLiteral("Button15"), QStringLiteral("v"), this)),
      Button19(makeButton(QStringLiteral("Button19"), QStringLiteral("RESET"), this)),
      Button11(makeButton(QStringLiteral("Button11"), QStringLiteral("Serwis"), this)),
      LabeledEdit45(makeLiveValue(QStringLiteral("LabeledEdit45"), QStringLiteral("L"), this)),
      LabeledEdit46(makeLiveValue(QStringLiteral("LabeledEdit46"), QStringLiteral("F"), this)),
      Label82(new QLabel(this)) {
    setObjectName(QStringLiteral("TabSheet13"));
    setWindowTitle(QStringLiteral("Badania"));
    Button16->setToolTip(
        QStringLiteral("Przygotowanie do badania, mające na celu szybsze opuszczenie popychacza."));
    Label82->setObjectName(QStringLiteral("Label82"));

    auto* emergency = new QGroupBox(QStringLiteral(" Awaria: "), this);
    auto* emergencyLayout = new QHBoxLayout(emergency);
    for (QPushButton* button : {Button13, Button14, Button15, Button19}) {
        button->setParent(emergency);
        emergencyLayout->addWidget(button);
    }

    auto* test = new QHBoxLayout;
    test->addWidget(Button10);
    test->addWidget(Button12);
    test->addWidget(Button16);
    auto* live = new QHBoxLayout;
    live->addWidget(LabeledEdit45);
    live->addWidget(LabeledEdit46);
    auto* elapsed = new QHBoxLayout;
    elapsed->addWidget(new QLabel(QStringLiteral("Czas badania:  "), this));
    elapsed->addWidget(Label82, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(test);
    layout->addWidget(emergency);
    layout->addLayout(live);
    layout->addLayout(elapsed);
    layout->addWidget(Button11, 0, Qt::AlignLeft);
    layout->addStretch();

    connect(Button11, &QPushButton::clicked, this, &BenchTestsPage::serviceClicked);
}

void BenchTestsPage::setDisplacementAlarm(bool alarm) {
    setBackground(LabeledEdit45, alarm ? kAlarm : kNormal);
}

void BenchTestsPage::setForceAlarm(bool alarm) {
    setBackground(LabeledEdit46, alarm ? kAlarm : kNormal);
}

} // namespace korvanta::bench::ui
