#pragma once
// TabSheet3: the channel editor; every control writes its field of the edited channel at once.

#include "chart/ui/chart_environment.h"
#include "chart/vector_channel.h"

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
    MonitorChart* m_chart;

    QLabel* m_label10;                        // "Kanał"
    QLineEdit* m_edit2;                       // channel number
    common::ui::UpDown* m_upDown1;            // channel selector
    QCheckBox* m_checkBox1;                   // active
    QLabel* m_label9;                         // "Wejście(K)"
    QLineEdit* m_edit3;                       // input number
    common::ui::UpDown* m_upDown2;            // input selector
    QLabel* m_label5;                         // input description
    QLabel* m_label15;                        // "Wejście pomiarowe"
    QLabel* m_label13;                        // "Funkcja"
    QComboBox* m_comboBox1;                   // channel function
    QLabel* m_label8;                         // "Długość bufora pomiarowego"
    QLineEdit* m_edit4;                       // buffer length
    common::ui::UpDown* m_upDown3;            // buffer length selector
    QLabel* m_label11;                        // "Liczba miejsc po przecinku"
    QLineEdit* m_edit5;                       // decimals
    common::ui::UpDown* m_upDown4;            // decimals selector
    common::ui::LabeledEdit* m_labeledEdit1;  // label (series title)
    common::ui::LabeledEdit* m_labeledEdit2;  // note
    QCheckBox* m_checkBox3;                   // drawn on the chart
    QPushButton* m_button1;                   // colour
    common::ui::LabeledEdit* m_labeledEdit6;  // chart coefficient
    QLabel* m_label12;                        // "k" before the first operand
    common::ui::LabeledEdit* m_labeledEdit3;  // first operand
    common::ui::UpDown* m_upDown13;           // first operand selector
    QLabel* m_label34;                        // "+k" or "-k" before the second operand
    QLineEdit* m_edit35;                      // second operand
    common::ui::UpDown* m_upDown21;           // second operand selector
    QLabel* m_label36;                        // "+k" before the third operand
    QLineEdit* m_edit36;                      // third operand
    common::ui::UpDown* m_upDown22;           // third operand selector
    QCheckBox* m_checkBox18;                  // "ZERO": power with the means removed
    QPushButton* m_button3;                   // defaults
    QFrame* m_panel27;                        // advanced-channel panel
    QLabel* m_label68;                        // fold switch of the advanced panel
    QWidget* m_advancedFields;                // what the folded panel hides
    QFrame* m_bevel1;                         // separator of the unfolded panel
    common::ui::LabeledEdit* m_labeledEdit21; // vector input v
    QCheckBox* m_checkBox19;                  // "wektor"
    common::ui::LabeledEdit* m_labeledEdit22; // vector input w1
    common::ui::LabeledEdit* m_labeledEdit23; // vector input w2
};

} // namespace korvanta::chart::ui
