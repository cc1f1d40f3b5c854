#include "monitor/ui/advanced_page.h"

#include "common/ui/named_widgets.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace korvanta::monitor::ui {
namespace {

using common::ui::makeCheckBox;
using common::ui::makeLabel;

QLineEdit* makeEdit(const QString& name, const QString& text, int maxLength, const QString& hint,
                    QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setToolTip(hint);
    return edit;
}

} // namespace

AdvancedPage::AdvancedPage(QWidget* parent)
    : QWidget(parent), CheckBox6(makeCheckBox(QStringLiteral("CheckBox6"),
                                              QStringLiteral("Zapisz dodatkowy raport"), this)),
      CheckBox13(makeCheckBox(QStringLiteral("CheckBox13"),
                              QStringLiteral("Zapisz dodatkowy plik .net"), this)),
      LabeledEdit18(new common::ui::LabeledEdit(QStringLiteral("LabeledEdit18"),
                                                QStringLiteral("Nazwa pliku"), this)),
      CheckBox14(makeCheckBox(QStringLiteral("CheckBox14"),
                              QStringLiteral("Automatyczny restart Halden"), this)),
      CheckBox16(makeCheckBox(QStringLiteral("CheckBox16"),
                              QStringLiteral("Sprawdzaj adres systemu"), this)),
      Edit45(makeEdit(QStringLiteral("Edit45"), QStringLiteral("AaBbCcDd"), 80,
                      QStringLiteral("Format  AaBbCc.."), this)),
      CheckBox17(makeCheckBox(QStringLiteral("CheckBox17"),
                              QStringLiteral("Save dynamic measurement every:"), this)),
      Edit46(makeEdit(QStringLiteral("Edit46"), QStringLiteral("00:30:00"), 10,
                      QStringLiteral("Format  hh:mm:ss"), this)),
      LabeledEdit19(new common::ui::LabeledEdit(QStringLiteral("LabeledEdit19"),
                                                QStringLiteral("Dynamic dir name[d:\\dynamic\\]:"),
                                                this)),
      Button7(new QPushButton(QStringLiteral("Save bufer.."), this)),
      Label64(makeLabel(QStringLiteral("Label64"), QString(), this)),
      Label66(makeLabel(QStringLiteral("Label66"), QString(), this)),
      Memo4(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("TabSheet11"));
    setWindowTitle(QStringLiteral("Zaawansowane"));
    LabeledEdit18->hide();
    // Folders end in '/' on this system.
    LabeledEdit19->setText(QStringLiteral("dynamic/"));
    LabeledEdit19->edit()->setMaxLength(699);
    Button7->setObjectName(QStringLiteral("Button7"));
    Memo4->setObjectName(QStringLiteral("Memo4"));
    Memo4->hide();

    auto* dynamic = new QGridLayout;
    dynamic->addWidget(CheckBox17, 0, 0);
    dynamic->addWidget(Edit46, 0, 1);
    dynamic->addWidget(LabeledEdit19, 1, 0, 1, 2);
    dynamic->addWidget(Button7, 2, 0);
    dynamic->addWidget(Label64, 3, 0, 1, 2);
    dynamic->addWidget(
        makeLabel(QStringLiteral("Label65"), QStringLiteral("Measurement time[sec]:"), this), 4, 0);
    dynamic->addWidget(Label66, 4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CheckBox6);
    layout->addWidget(CheckBox13);
    layout->addWidget(LabeledEdit18);
    layout->addWidget(CheckBox14);
    layout->addWidget(CheckBox16);
    layout->addWidget(Edit45);
    layout->addLayout(dynamic);
    layout->addWidget(Memo4);
    layout->addStretch();
}

} // namespace korvanta::monitor::ui
