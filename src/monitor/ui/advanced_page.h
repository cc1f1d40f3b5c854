#pragma once
// The "Zaawansowane" tab: extra report and .net files, auto-restart, address check and dynamic
// recording of the whole buffer.

#include "common/ui/labeled_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace korvanta::monitor::ui {

class AdvancedPage : public QWidget {
    Q_OBJECT
public:
    explicit AdvancedPage(QWidget* parent = nullptr);

    QCheckBox* extraReport() const { return CheckBox6; }
    QCheckBox* extraNetFile() const { return CheckBox13; }
    common::ui::LabeledEdit* addressFileName() const { return LabeledEdit18; }
    QCheckBox* autoRestart() const { return CheckBox14; }
    QCheckBox* addressCheck() const { return CheckBox16; }
    QLineEdit* addressList() const { return Edit45; }
    QCheckBox* dynamicSave() const { return CheckBox17; }
    QLineEdit* dynamicInterval() const { return Edit46; }
    common::ui::LabeledEdit* dynamicDirectory() const { return LabeledEdit19; }
    QPushButton* saveBufferButton() const { return Button7; }
    QLabel* dynamicFileLabel() const { return Label64; }
    QLabel* measurementTimeLabel() const { return Label66; }
    QPlainTextEdit* reportMemo() const { return Memo4; }

private:
    QCheckBox* CheckBox6;                   // extra report file (.rap)
    QCheckBox* CheckBox13;                  // extra .net file
    common::ui::LabeledEdit* LabeledEdit18; // base name of the address-mode files
    QCheckBox* CheckBox14;                  // restart the acquisition program when it stalls
    QCheckBox* CheckBox16;                  // check the system address
    QLineEdit* Edit45;                      // addresses of the systems processed
    QCheckBox* CheckBox17;                  // dump the buffer every Edit46
    QLineEdit* Edit46;                      // dump interval hh:mm:ss
    common::ui::LabeledEdit* LabeledEdit19; // folder of the buffer dumps
    QPushButton* Button7;                   // dump the buffer now
    QLabel* Label64;                        // name of the last dump
    QLabel* Label66;                        // measurement time of the buffer
    QPlainTextEdit* Memo4;                  // report lines of the last address step
};

} // namespace korvanta::monitor::ui
