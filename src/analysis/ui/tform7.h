#pragma once
// The frequency-range dialog: the band of the spectrum to keep, in hertz.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace korvanta::analysis::ui {

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    QLineEdit* edit1() const { return Edit1; }
    QLineEdit* edit2() const { return Edit2; }
    QPushButton* bitBtn1() const { return BitBtn1; }

private:
    QLineEdit* Edit1;     // lowest frequency of the band
    QLineEdit* Edit2;     // highest frequency of the band
    QPushButton* BitBtn1; // apply the band
};

} // namespace korvanta::analysis::ui
