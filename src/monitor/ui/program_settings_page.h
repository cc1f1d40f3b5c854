#pragma once
// The "Ustawienia programu" tab: data file, measurement period, saving, chart look and mode.

#include "acquisition/settings_record.h"
#include "common/ui/labeled_edit.h"
#include "common/ui/up_down.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace korvanta::monitor::ui {

class ProgramSettingsPage : public QWidget {
    Q_OBJECT
public:
    ProgramSettingsPage(acquisition::SettingsRecord& record, QWidget* parent = nullptr);

    // Start-up: period, saving, limits, axis titles, mode, chart type, dynamic mode, time
    // stamps and automatic limits from the record. Nothing is written back and no signal is
    // emitted: the window applies titles, bar mode and limits itself.
    void loadFromRecord();
    // "Otwórz konfig.": only the fields that command puts back (period, saving, limits, axis
    // titles, automatic limits, measurements or reports).
    void loadConfigurationFields();

    // RadioButton1 … RadioButton6, disabled while monitoring runs.
    void setModeButtonsEnabled(bool enabled);
    // Timer8 ticks "Zapisz do pliku co" as the user would (the record follows).
    void setSaveEveryChecked(bool checked);

    QString fileName() const;          // LabeledEdit8
    QString fileDescription() const;   // LabeledEdit7
    QString periodText() const;        // LabeledEdit9
    QString saveEveryText() const;     // Edit9
    bool saveEveryChecked() const;     // CheckBox4
    QString lineLimitText() const;     // LabeledEdit4
    QString lowerLimitText() const;    // Edit10
    QString upperLimitText() const;    // Edit11
    QString chartFactorText() const;   // LabeledEdit10
    QString subtitle() const;          // LabeledEdit11
    int lineWidth() const;             // UpDown14
    bool measurementsSelected() const; // RadioButton1
    bool reportsSelected() const;      // RadioButton2
    bool staticMode() const;           // RadioButton5
    bool dynamicMode() const;          // RadioButton6

signals:
    void subtitleChanged(const QString& text);
    void axisTitlesChanged(const QString& left, const QString& right);
    void lineWidthChanged(int width);
    void barModeChanged(bool bar);
    void autoLimitsChecked();
    void refreshPeriodClicked();
    void saveConfigClicked();
    void openConfigClicked();

private:
    QWidget* buildFileGroup();
    QWidget* buildChartGroup();
    QWidget* buildModeGroups();
    void connectRecordWrites();
    void RadioButton1Click();
    void RadioButton2Click();
    void emitAxisTitles();
    void loadPeriodAndSaving();
    void loadLimitsAndTitles();
    void loadAutoLimits();
    void loadReportsMode();

    acquisition::SettingsRecord& m_record;
    common::ui::LabeledEdit* LabeledEdit8;  // data file name
    common::ui::LabeledEdit* LabeledEdit7;  // file description, first line of the file
    QCheckBox* CheckBox4;                   // save to file every Edit9 cycles
    QLineEdit* Edit9;                       // cycles between saves
    common::ui::LabeledEdit* LabeledEdit9;  // measurement period hh:mm:ss.zzz
    QPushButton* Button2;                   // apply a changed period
    common::ui::LabeledEdit* LabeledEdit4;  // line limit of the text view
    QPushButton* Button5;                   // save configuration
    QPushButton* Button4;                   // open configuration
    QLineEdit* Edit10;                      // lower chart limit
    QLineEdit* Edit11;                      // upper chart limit
    QLineEdit* Edit21;                      // line width
    common::ui::UpDown* UpDown14;           // line width 1..20
    common::ui::LabeledEdit* LabeledEdit10; // chart factor, step of the part view
    common::ui::LabeledEdit* LabeledEdit11; // chart subtitle
    common::ui::LabeledEdit* LabeledEdit13; // left axis title
    common::ui::LabeledEdit* LabeledEdit14; // right axis title
    QGroupBox* RadioGroup1;                 // measurements or reports
    QRadioButton* RadioButton1;             // measurements
    QRadioButton* RadioButton2;             // reports
    QGroupBox* RadioGroup2;                 // chart type
    QRadioButton* RadioButton3;             // line chart
    QRadioButton* RadioButton4;             // bar view
    QGroupBox* RadioGroup3;                 // static or dynamic drawing
    QRadioButton* RadioButton5;             // static
    QRadioButton* RadioButton6;             // dynamic
    QCheckBox* CheckBox20;                  // real time stamps instead of elapsed time
    QCheckBox* CheckBox21;                  // automatic limits
};

} // namespace korvanta::monitor::ui
