#include "monitor/ui/object_page.h"

#include "monitor/object_slots.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <array>

namespace korvanta::monitor::ui {
namespace {

struct SlotNames {
    int channelEdit;
    int upDown;
    int valueEdit;
    int label;
};

// Component numbers of the slots, in refresh order: four groups of 3, 3, 6 and 6 slots.
constexpr std::array<SlotNames, ObjectPage::kSlotCount> kSlotNames = {{
    {6, 7, 15, 37},
    {7, 8, 16, 38},
    {8, 9, 17, 39}, // group 1
    {12, 10, 18, 40},
    {13, 11, 19, 41},
    {14, 12, 20, 42}, // group 2
    {22, 15, 28, 43},
    {23, 16, 29, 44},
    {24, 17, 30, 45},
    {25, 18, 31, 46}, // group 3
    {26, 19, 32, 47},
    {27, 20, 33, 48}, //
    {47, 24, 53, 69},
    {48, 26, 54, 70},
    {49, 27, 55, 71},
    {50, 28, 56, 72}, // group 4
    {51, 29, 57, 73},
    {52, 30, 58, 74}, //
}};

constexpr std::array<int, 4> kGroupSizes = {3, 3, 6, 6};

QString name(const char* kind, int number) {
    return QLatin1String(kind) + QString::number(number);
}

} // namespace

ObjectPage::ObjectPage(acquisition::SettingsRecord& record, QWidget* parent)
    : QWidget(parent), m_record(record) {
    setObjectName(QStringLiteral("TabSheet1"));
    setWindowTitle(QStringLiteral("Obiekt"));
    m_slots.reserve(kSlotCount);
    auto* layout = new QVBoxLayout(this);
    int first = 0;
    for (int size : kGroupSizes) {
        layout->addWidget(buildGroup(first, size));
        first += size;
    }
    layout->addStretch();
}

QWidget* ObjectPage::buildGroup(int firstSlot, int slotCount) {
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    for (int row = 0; row < slotCount; ++row) {
        const Slot slot = buildSlot(firstSlot + row, group);
        grid->addWidget(slot.channelEdit, row, 0);
        grid->addWidget(slot.upDown, row, 1);
        grid->addWidget(slot.valueEdit, row, 2);
        grid->addWidget(slot.label, row, 3);
        m_slots.push_back(slot);
    }
    grid->setColumnStretch(3, 1);
    return group;
}

ObjectPage::Slot ObjectPage::buildSlot(int slot, QWidget* parent) {
    const SlotNames& names = kSlotNames[static_cast<std::size_t>(slot)];
    // Channel-number edit of the slot.
    auto* channelEdit = new QLineEdit(QStringLiteral("0"), parent);
    channelEdit->setObjectName(name("Edit", names.channelEdit));
    channelEdit->setMaximumWidth(40);
    auto* upDown = new common::ui::UpDown(name("UpDown", names.upDown), channelEdit, 0,
                                          acquisition::SettingsRecord::kChannelCount, parent);
    // Value of the chosen channel.
    auto* valueEdit = new QLineEdit(QStringLiteral("0"), parent);
    valueEdit->setObjectName(name("Edit", names.valueEdit));
    valueEdit->setReadOnly(true);
    valueEdit->setAlignment(Qt::AlignRight);
    valueEdit->setMaximumWidth(90);
    // Name of the chosen channel.
    auto* label = new QLabel(parent);
    label->setObjectName(name("Label", names.label));
    connect(upDown, &common::ui::UpDown::clicked, this,
            [this, slot](int position) { storeSelector(slot, position); });
    return {channelEdit, upDown, valueEdit, label};
}

void ObjectPage::storeSelector(int slot, int position) {
    if (slot < acquisition::SettingsRecord::kObjectChannelCount) {
        m_record.setObjectChannel(slot, position);
    } else {
        m_record.setExtraObjectChannel(slot - acquisition::SettingsRecord::kObjectChannelCount,
                                       position);
    }
}

std::int32_t ObjectPage::storedSelector(int slot) const {
    if (slot < acquisition::SettingsRecord::kObjectChannelCount) {
        return m_record.objectChannel(slot);
    }
    return m_record.extraObjectChannel(slot - acquisition::SettingsRecord::kObjectChannelCount);
}

void ObjectPage::loadSelectors() {
    loadSelectorsUpTo(kSlotCount);
}

void ObjectPage::loadObjectSelectors() {
    loadSelectorsUpTo(acquisition::SettingsRecord::kObjectChannelCount);
}

void ObjectPage::loadSelectorsUpTo(int count) {
    for (int slot = 0; slot < count; ++slot) {
        m_slots[static_cast<std::size_t>(slot)].upDown->setPosition(storedSelector(slot));
    }
}

void ObjectPage::refresh(const CurrentValues& values) {
    for (const Slot& slot : m_slots) {
        const ObjectSlotView view = readObjectSlot(m_record, values, slot.channelEdit->text());
        slot.label->setText(view.label);
        if (view.value) {
            slot.valueEdit->setText(*view.value);
        }
    }
}

} // namespace korvanta::monitor::ui
