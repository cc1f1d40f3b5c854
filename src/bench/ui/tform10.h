#pragma once
// The test record window: the twenty item names, their values and the report name.

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace korvanta::bench::ui {

class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);

    QPlainTextEdit* memo1() const { return Memo1; }
    QPlainTextEdit* memo2() const { return Memo2; }
    QLineEdit* edit1() const { return Edit1; }
    QPushButton* button1() const { return Button1; }

private:
    QPlainTextEdit* Memo1; // item names, one per line
    QPlainTextEdit* Memo2; // item values typed by the operator
    QLineEdit* Edit1;      // report name
    QPushButton* Button1;  // confirm the record
};

} // namespace korvanta::bench::ui
