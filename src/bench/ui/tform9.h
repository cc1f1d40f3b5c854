#pragma once
// The test parameters window: phase periods, limits, channels, preparation and the motion
// commands with buttons that send them.

#include "acquisition/settings_record.h"
#include "common/ui/labeled_edit.h"
#include "platform/messages.h"

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <functional>

class QGridLayout;

namespace korvanta::bench::ui {

class TForm9 : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCommandCount = acquisition::SettingsRecord::kMotionCommandCount;

    TForm9(acquisition::SettingsRecord& record, platform::Messages& messages,
           QWidget* parent = nullptr);

    // Fills every edit from the record. A motion command the record does not hold yet keeps the
    // edit's initial text, which is stored, so the record and the window agree.
    void loadFromRecord();

    // Service mode shows the extra-settings and emergency groups, operator mode hides them.
    void setServiceMode(bool on);

    QGroupBox* extraSettingsGroup() const { return m_extraSettings; }
    QGroupBox* emergencyGroup() const { return m_emergency; }
    common::ui::LabeledEdit* motorSpeedEdit() const { return LabeledEdit26; }
    // Command index 0..8 in the record's order: emergency up, stop, emergency down, 0 - t1 up,
    // 0 - t1 down, t1 - t2 down, t1 - t2 up, t2 - t3 up, t2 - t3 down (Edit59 … Edit67 and
    // their buttons Button16 … Button24).
    QLineEdit* commandEdit(int index) const;
    QPushButton* commandButton(int index) const;

signals:
    // A value was stored in the record (the control-block copies follow it).
    void parametersChanged();

private:
    using Edit = common::ui::LabeledEdit;

    QGroupBox* buildExtraSettings();
    QGroupBox* buildEmergency();
    void addCommandRow(QWidget* parent, QGridLayout* grid, int row, int command,
                       const QString& caption);
    void bindEdits(platform::Messages& messages);
    void bindText(QLineEdit* edit, std::function<void(const QString&)> set);
    void loadCommand(int index);

    acquisition::SettingsRecord& m_record;
    std::array<Edit*, 4> m_phasePeriodEdits;                  // LabeledEdit41 … LabeledEdit44
    Edit* LabeledEdit40;                                      // hysteresis around Fmax [kN]
    Edit* LabeledEdit34;                                      // force channel
    Edit* LabeledEdit35;                                      // displacement channel
    Edit* LabeledEdit36;                                      // force alarm limit
    Edit* LabeledEdit37;                                      // displacement alarm limit
    Edit* LabeledEdit38;                                      // second command
    Edit* LabeledEdit39;                                      // third command
    Edit* LabeledEdit26;                                      // motor speed, stored only
    Edit* LabeledEdit1;                                       // preparation force [kN]
    Edit* LabeledEdit2;                                       // retraction time [s]
    Edit* LabeledEdit3;                                       // preparation buffer length
    std::array<QLineEdit*, kCommandCount> m_commandEdits;     // Edit59 … Edit67
    std::array<QPushButton*, kCommandCount> m_commandButtons; // Button16 … Button24
    QGroupBox* m_extraSettings;
    QGroupBox* m_emergency;
};

} // namespace korvanta::bench::ui
