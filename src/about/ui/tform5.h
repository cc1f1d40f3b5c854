#pragma once
// The about box: maker, program name and version, and the update and support buttons.

#include <QDialog>
#include <QPushButton>
#include <QToolButton>

namespace korvanta::about::ui {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    static inline const QString kVersion = QStringLiteral("2.8.8.9");

    explicit TForm5(QWidget* parent = nullptr);

    QToolButton* checkVersionButton() const { return SpeedButton1; }
    QToolButton* downloadButton() const { return SpeedButton3; }
    QToolButton* supportButton() const { return SpeedButton2; }

private:
    QToolButton* SpeedButton1; // show the newest published version
    QToolButton* SpeedButton3; // download the newest program file
    QToolButton* SpeedButton2; // open the support page
    QPushButton* m_ok;
};

} // namespace korvanta::about::ui
