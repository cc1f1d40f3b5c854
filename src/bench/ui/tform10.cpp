#include "bench/ui/tform10.h"

#include <QGridLayout>
#include <QLabel>

namespace korvanta::bench::ui {

const QStringList& TForm10::itemNames() {
    static const QStringList names = {
        QStringLiteral("Górny zakres obciążenia [kN]"),
        QStringLiteral("Krok siły [kN]"),
        QStringLiteral("Górny zakres przesunięcia [mm]"),
        QStringLiteral("Czas To [min]"),
        QStringLiteral("Czas Tpo [min]"),
        QStringLiteral("Data początku badań"),
        QStringLiteral("Data zakończenia badań"),
        QStringLiteral("Przedmiot badań"),
        QStringLiteral("Materiał ramy"),
        QStringLiteral("-dostawca"),
        QStringLiteral("-atest materiałowy"),
        QStringLiteral("-świadectwo jakości"),
        QStringLiteral("Wymiar ramy A"),
        QStringLiteral("Wymiar ramy B"),
        QStringLiteral("Wymiar ramy C"),
        QStringLiteral("Wymiar ramy D"),
        QStringLiteral("Wymiar E"),
        QStringLiteral("Wymiar G"),
        QStringLiteral("Wymiar H"),
        QStringLiteral("Wymiar I"),
    };
    return names;
}

TForm10::TForm10(QWidget* parent)
    : QDialog(parent), Memo1(new QPlainTextEdit(this)), Memo2(new QPlainTextEdit(this)),
      Edit1(new QLineEdit(this)), Button1(new QPushButton(QStringLiteral("ZATWIERDŹ"), this)) {
    setObjectName(QStringLiteral("TForm10"));
    setWindowTitle(QStringLiteral("USTAWIENIA"));
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Memo1->setPlainText(itemNames().join(QLatin1Char('\n')));
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
