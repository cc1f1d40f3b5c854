#pragma once
// The bench-test "Ustawienia" tab: the test parameters, the test type and the report buttons.

#include "acquisition/settings_record.h"
#include "common/ui/labeled_edit.h"
#include "platform/messages.h"

#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>
#include <array>

namespace korvanta::bench::ui {

class BenchSettingsPage : public QWidget {
    Q_OBJECT
public:
    BenchSettingsPage(acquisition::SettingsRecord& record, platform::Messages& messages,
                      QWidget* parent = nullptr);

    // Start-up: the three loads and lengths, To, Tpo, the four cadences and the test type.
    void loadFromRecord();

    // Texts of upper load, force step, upper displacement, To and Tpo, in that order.
    QStringList testParameterTexts() const;

signals:
    void settingsClicked();     // Button17
    void reportClicked();       // Button18
    void openTemplateClicked(); // Button20

private:
    using Edit = common::ui::LabeledEdit;

    QWidget* buildParameters();
    QWidget* buildTestTypeAndButtons();
    void bindEdits(platform::Messages& messages);

    acquisition::SettingsRecord& m_record;
    Edit* LabeledEdit24;                 // upper load Fmax [kN]
    Edit* LabeledEdit25;                 // force step [kN]
    Edit* LabeledEdit27;                 // upper displacement Dmax [mm]
    Edit* LabeledEdit28;                 // hold time To [min]
    Edit* LabeledEdit29;                 // hold time Tpo [min]
    std::array<Edit*, 4> m_cadenceEdits; // LabeledEdit30 … LabeledEdit33, seconds per point
    QRadioButton* RadioButton9;          // load test after ZUAT-15
    QRadioButton* RadioButton10;         // deformation test
    QPushButton* Button17;               // test record window
    QPushButton* Button18;               // template data file
    QPushButton* Button20;               // open the spreadsheet template
};

} // namespace korvanta::bench::ui
