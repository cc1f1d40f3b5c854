#pragma once
// The bench-test "Badania" tab: start, stop and preparation, the emergency buttons, the live
// force and displacement and the elapsed test time.

#include "common/ui/labeled_edit.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace korvanta::bench::ui {

class BenchTestsPage : public QWidget {
    Q_OBJECT
public:
    explicit BenchTestsPage(QWidget* parent = nullptr);

    QPushButton* startButton() const { return Button10; }
    QPushButton* stopButton() const { return Button12; }
    QPushButton* prepareButton() const { return Button16; }
    QPushButton* emergencyUpButton() const { return Button13; }
    QPushButton* emergencyStopButton() const { return Button14; }
    QPushButton* emergencyDownButton() const { return Button15; }
    QPushButton* resetButton() const { return Button19; }

    // "L" and "F": the values, and red while over their limit, light green otherwise.
    void setDisplacementText(const QString& text) { LabeledEdit45->setText(text); }
    void setForceText(const QString& text) { LabeledEdit46->setText(text); }
    void setDisplacementAlarm(bool alarm);
    void setForceAlarm(bool alarm);
    // Label82: time since START.
    void setElapsedText(const QString& text) { Label82->setText(text); }

signals:
    void serviceClicked(); // Button11

private:
    QPushButton* Button10;                  // start a test
    QPushButton* Button12;                  // stop a test or a preparation
    QPushButton* Button16;                  // preparation run
    QPushButton* Button13;                  // emergency up
    QPushButton* Button14;                  // emergency stop
    QPushButton* Button15;                  // emergency down
    QPushButton* Button19;                  // empty command
    QPushButton* Button11;                  // service mode on and off
    common::ui::LabeledEdit* LabeledEdit45; // live displacement
    common::ui::LabeledEdit* LabeledEdit46; // live force
    QLabel* Label82;                        // elapsed test time
};

} // namespace korvanta::bench::ui
