#pragma once
// The "Obiekt" tab: 18 live-value slots, each a channel-number selector, a value and a label.

#include "acquisition/settings_record.h"
#include "common/ui/up_down.h"
#include "monitor/current_values.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <vector>

namespace korvanta::monitor::ui {

class ObjectPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSlotCount = 18;

    ObjectPage(acquisition::SettingsRecord& record, QWidget* parent = nullptr);

    // Selectors of slots 1..12 from objectChannels, of slots 13..18 from extraObjectChannels
    // (an opened configuration).
    void loadSelectors();
    // Only the twelve selectors of objectChannels (start-up); the others keep their positions.
    void loadObjectSelectors();

    // Timer3Timer: every slot in order shows channelName[n] and the value of channel n with its
    // decimals. A slot whose number is outside 1..64 shows an empty label and keeps its value
    // text. A channel-number edit that holds no integer throws common::ConversionError, which
    // ends this refresh (the caller's guard shows it once).
    void refresh(const CurrentValues& values);

private:
    struct Slot {
        QLineEdit* channelEdit;
        common::ui::UpDown* upDown;
        QLineEdit* valueEdit;
        QLabel* label;
    };

    QWidget* buildGroup(int firstSlot, int slotCount);
    Slot buildSlot(int slot, QWidget* parent);
    void storeSelector(int slot, int position);
    std::int32_t storedSelector(int slot) const;
    void loadSelectorsUpTo(int count);

    acquisition::SettingsRecord& m_record;
    std::vector<Slot> m_slots;
};

} // namespace korvanta::monitor::ui
