#pragma once
// TabSheet3: the channel editor; every control writes its field of the edited channel at once.

#include "chart/ui/chart_environment.h"
#include "chart/vector_channel.h"

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvanta::common::ui {
class LabeledEdit;
class UpDown;
} // namespace korvanta::common::ui

namespace korvanta::chart::ui {

class MonitorChart;

class ChannelEditorPage : public QWidget {
    Q_OBJECT
public:
    ChannelEditorPage(const ChartEnvironment& environment, MonitorChart* chart,
                      QWidget* parent = nullptr);

    // The channel the controls edit: the record's editedChannel, kept inside 1..64.
    int editedChannel() const;
    // UpDown1: channel c becomes the edited one and fills every control.
    void selectChannel(int c);
    // "Otwórz konfig.": the controls filled from the record for the edited channel.
    void loadFromRecord();
    // Monitoring started (true) or stopped (false): the controls a running cycle must not change.
    void setMonitoringState(bool running);
    // Button3 "Ustawienia domyślne".
    void applyDefaults();
    // Start-up: the function list cut to the 12 selectable functions with their Polish texts.
    void prepareFunctionList();
    QStringList functionNames() const;

    bool zeroChecked() const;
    // The vector channel when "wektor" is checked; throws ConversionError on a non-integer.
    std::optional<VectorChannel> vectorChannel() const;
    // Label68: folds or unfolds the advanced-channel panel.
    void toggleAdvancedPanel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildAdvancedPanel();
    void connectControls();
    void fillControls(bool keepInputWhenZero);
    void applyFunctionRules(bool functionChange);
    void showOperandControls(bool on);
    void setInputControlsEnabled(bool on);
    void setBufferControlsEnabled(bool on);
    void showInputDescriptionFromEdit();
    void onInputClicked(int input);
    void onCoefficientEdited(const QString& text);
    void onLabelEdited(const QString& text);
    void onFunctionChanged(int index);
    void chooseColor();
    void replotChart();

    ChartEnvironment m_env;
    QColor m_dialogColor{0, 0, 0}; // the colour the dialog holds: the last one confirmed
    MonitorChart* m_chart;

    QLabel* Label10;                        // "Kanał"
    QLineEdit* Edit2;                       // channel number
    common::ui::UpDown* UpDown1;            // channel selector
    QCheckBox* CheckBox1;                   // active
    QLabel* Label9;                         // "Wejście(K)"
    QLineEdit* Edit3;                       // input number
    common::ui::UpDown* UpDown2;            // input selector
    QLabel* Label5;                         // input description
    QLabel* Label15;                        // "Wejście pomiarowe"
    QLabel* Label13;                        // "Funkcja"
    QComboBox* ComboBox1;                   // channel function
    QLabel* Label8;                         // "Długość bufora pomiarowego"
    QLineEdit* Edit4;                       // buffer length
    common::ui::UpDown* UpDown3;            // buffer length selector
    QLabel* Label11;                        // "Liczba miejsc po przecinku"
    QLineEdit* Edit5;                       // decimals
    common::ui::UpDown* UpDown4;            // decimals selector
    common::ui::LabeledEdit* LabeledEdit1;  // label (series title)
    common::ui::LabeledEdit* LabeledEdit2;  // note
    QCheckBox* CheckBox3;                   // drawn on the chart
    QPushButton* Button1;                   // colour
    common::ui::LabeledEdit* LabeledEdit6;  // chart coefficient
    QLabel* Label12;                        // "k" before the first operand
    common::ui::LabeledEdit* LabeledEdit3;  // first operand
    common::ui::UpDown* UpDown13;           // first operand selector
    QLabel* Label34;                        // "+k" or "-k" before the second operand
    QLineEdit* Edit35;                      // second operand
    common::ui::UpDown* UpDown21;           // second operand selector
    QLabel* Label36;                        // "+k" before the third operand
    QLineEdit* Edit36;                      // third operand
    common::ui::UpDown* UpDown22;           // third operand selector
    QCheckBox* CheckBox18;                  // "ZERO": power with the means removed
    QPushButton* Button3;                   // defaults
    QFrame* Panel27;                        // advanced-channel panel
    QLabel* Label68;                        // fold switch of the advanced panel
    QWidget* m_advancedFields;              // what the folded panel hides
    QFrame* Bevel1;                         // separator of the unfolded panel
    common::ui::LabeledEdit* LabeledEdit21; // vector input v
    QCheckBox* CheckBox19;                  // "wektor"
    common::ui::LabeledEdit* LabeledEdit22; // vector input w1
    common::ui::LabeledEdit* LabeledEdit23; // vector input w2
};

} // namespace korvanta::chart::ui
