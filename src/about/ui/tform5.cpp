#include "about/ui/tform5.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace korvanta::about::ui {
namespace {

QToolButton* makeLinkButton(const QString& name, const QString& caption, const QString& hint,
                            QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

QLabel* makeLabel(const QString& name, const QString& text, int pointSizeStep, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + pointSizeStep);
    font.setBold(pointSizeStep > 0);
    label->setFont(font);
    return label;
}

} // namespace

TForm5::TForm5(QWidget* parent)
    : QDialog(parent),
      SpeedButton1(makeLinkButton(
          QStringLiteral("SpeedButton1"), QStringLiteral("-> Sprawdź nową wersję programu?"),
          QStringLiteral("Sprawdź czy jest nowsza wersja programu."), this)),
      SpeedButton3(makeLinkButton(
          QStringLiteral("SpeedButton3"), QStringLiteral(" ->Pobierz nową wersję programu."),
          QStringLiteral("Pobierz najnowszą wersję programu z internetu."), this)),
      SpeedButton2(makeLinkButton(QStringLiteral("SpeedButton2"),
                                  QStringLiteral("Otwórz stronę  pomocy technicznej."),
                                  QStringLiteral("Internetowa pomoc techniczna."), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("O programie"));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeLabel(QStringLiteral("makerLabel"), QStringLiteral("ZARO"), 6, this));
    layout->addWidget(
        makeLabel(QStringLiteral("programLabel"), QStringLiteral("Korvanta"), 4, this));
    layout->addWidget(makeLabel(QStringLiteral("purposeLabel"),
                                QStringLiteral("Program wizualizacji danych"), 0, this));
    layout->addWidget(
        makeLabel(QStringLiteral("versionLabel"), QStringLiteral("wer. ") + kVersion, 0, this));
    layout->addSpacing(8);
    layout->addWidget(SpeedButton1);
    layout->addWidget(SpeedButton3);
    layout->addWidget(SpeedButton2);
    layout->addSpacing(8);
    layout->addWidget(m_ok, 0, Qt::AlignCenter);
}

} // namespace korvanta::about::ui
