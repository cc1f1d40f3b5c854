#include "bench/ui/tform10.h"

#include "bench/test_record.h"

#include <QGridLayout>
#include <QLabel>

namespace korvanta::bench::ui {

TForm10::TForm10(QWidget* parent)
    : QDialog(parent), Memo1(new QPlainTextEdit(this)), Memo2(new QPlainTextEdit(this)),
      Edit1(new QLineEdit(this)), Button1(new QPushButton(QStringLiteral("ZATWIERDŹ"), this)) {
    setObjectName(QStringLiteral("TForm10"));
    setWindowTitle(QStringLiteral("USTAWIENIA"));
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Memo1->setPlainText(memoText(testRecordItemNames()));
    Memo1->setReadOnly(true);
    for (QPlainTextEdit* memo : {Memo1, Memo2}) {
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    }

    auto* grid = new QGridLayout(this);
    grid->addWidget(Memo1, 0, 0);
    grid->addWidget(Memo2, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Nazwa pliku"), this), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(Button1, 2, 0, 1, 2, Qt::AlignCenter);
    grid->setRowStretch(0, 1);
    resize(600, 480);
}

} // namespace korvanta::bench::ui
