// Live-value slots of the "Obiekt" tab: what each slot shows, and its selector in the record.
#include "acquisition/settings_record.h"
#include "common/conversion_error.h"
#include "common/number_format.h"
#include "monitor/ui/object_page.h"
#include "platform/handler_guard.h"
#include "support/scripted_messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

namespace korvanta::monitor::ui {
namespace {

QString textOf(const QWidget& page, const char* name) {
    if (const auto* edit = page.findChild<QLineEdit*>(QLatin1String(name))) {
        return edit->text();
    }
    if (const auto* label = page.findChild<QLabel*>(QLatin1String(name))) {
        return label->text();
    }
    ADD_FAILURE() << "no control " << name;
    return {};
}

void setEdit(QWidget& page, const char* name, const QString& text) {
    auto* edit = page.findChild<QLineEdit*>(QLatin1String(name));
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(text);
}

void click(QWidget& page, const char* arrow) {
    auto* button = page.findChild<QToolButton*>(QLatin1String(arrow));
    ASSERT_NE(button, nullptr) << arrow;
    button->click();
}

class ObjectPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        common::setDecimalSeparator(QLatin1Char('.'));
        record.setChannelName(5, QStringLiteral("Ciśnienie [bar]"));
        record.setDecimalPlaces(5, 2);
        values[4] = 12.3456;
        record.setChannelName(7, QStringLiteral("Obroty"));
        record.setDecimalPlaces(7, 0);
        values[6] = -3.6;
        record.setChannelName(9, QStringLiteral("Siła"));
        record.setDecimalPlaces(9, 4);
        values[8] = 1.0;
        record.setChannelName(64, QStringLiteral("k64"));
        record.setDecimalPlaces(64, 3);
        values[63] = 0.5;
    }

    acquisition::SettingsRecord record;
    CurrentValues values{};
    ObjectPage page{record};
};

TEST_F(ObjectPageTest, RefreshShowsNamesAndValuesWithTheChannelsDecimals) {
    setEdit(page, "Edit6", QStringLiteral("5"));
    setEdit(page, "Edit7", QStringLiteral("7"));
    setEdit(page, "Edit8", QStringLiteral("9"));
    setEdit(page, "Edit17", QStringLiteral("kept"));
    setEdit(page, "Edit52", QStringLiteral("64"));

    page.refresh(values);

    EXPECT_EQ(textOf(page, "Label37"), QStringLiteral("Ciśnienie [bar]"));
    EXPECT_EQ(textOf(page, "Edit15"), QStringLiteral("12.35"));
    EXPECT_EQ(textOf(page, "Label38"), QStringLiteral("Obroty"));
    EXPECT_EQ(textOf(page, "Edit16"), QStringLiteral("-4"));
    // Four decimals is no format: the label changes, the value does not.
    EXPECT_EQ(textOf(page, "Label39"), QStringLiteral("Siła"));
    EXPECT_EQ(textOf(page, "Edit17"), QStringLiteral("kept"));
    // The last slot of the fourth group.
    EXPECT_EQ(textOf(page, "Label74"), QStringLiteral("k64"));
    EXPECT_EQ(textOf(page, "Edit58"), QStringLiteral("0.500"));
}

TEST_F(ObjectPageTest, SlotOutsideTheChannelsShowsNoNameAndKeepsItsValue) {
    setEdit(page, "Edit12", QStringLiteral("65"));
    setEdit(page, "Edit18", QStringLiteral("old"));
    page.findChild<QLabel*>(QStringLiteral("Label40"))->setText(QStringLiteral("stale"));

    page.refresh(values); // every other slot holds "0", also outside 1..64

    EXPECT_EQ(textOf(page, "Label40"), QString());
    EXPECT_EQ(textOf(page, "Edit18"), QStringLiteral("old"));
    EXPECT_EQ(textOf(page, "Edit15"), QStringLiteral("0"));
}

TEST_F(ObjectPageTest, NonIntegerSlotEndsTheRefreshWithOneConversionError) {
    setEdit(page, "Edit6", QStringLiteral("5"));
    setEdit(page, "Edit14", QStringLiteral("5a"));
    setEdit(page, "Edit47", QStringLiteral("x"));
    setEdit(page, "Edit52", QStringLiteral("64"));

    EXPECT_THROW(page.refresh(values), common::ConversionError);

    testing::ScriptedMessages messages;
    EXPECT_FALSE(platform::runGuarded(messages, [&] { page.refresh(values); }));
    EXPECT_EQ(messages.errors.size(), 1);
    // Slots before the bad one were refreshed, the ones after it not.
    EXPECT_EQ(textOf(page, "Label37"), QStringLiteral("Ciśnienie [bar]"));
    EXPECT_EQ(textOf(page, "Label74"), QString());
    EXPECT_EQ(textOf(page, "Edit58"), QStringLiteral("0"));
}

TEST_F(ObjectPageTest, SelectorsLoadFromAndStoreIntoTheRecord) {
    record.setObjectChannel(0, 5);
    record.setObjectChannel(11, 20);
    record.setExtraObjectChannel(0, 33);
    record.setExtraObjectChannel(5, 64);

    page.loadObjectSelectors(); // start-up: the twelve of objectChannels only
    EXPECT_EQ(textOf(page, "Edit6"), QStringLiteral("5"));
    EXPECT_EQ(textOf(page, "Edit27"), QStringLiteral("20"));
    EXPECT_EQ(textOf(page, "Edit47"), QStringLiteral("0"));

    page.loadSelectors();

    EXPECT_EQ(textOf(page, "Edit6"), QStringLiteral("5"));
    EXPECT_EQ(textOf(page, "Edit27"), QStringLiteral("20"));
    EXPECT_EQ(textOf(page, "Edit47"), QStringLiteral("33"));
    EXPECT_EQ(textOf(page, "Edit52"), QStringLiteral("64"));

    click(page, "UpDown7Up");
    click(page, "UpDown20Down");
    click(page, "UpDown24Down");
    click(page, "UpDown30Up"); // already at the last channel
    click(page, "UpDown10Up"); // slot 4, first of the second group, from 0

    EXPECT_EQ(record.objectChannel(0), 6);
    EXPECT_EQ(record.objectChannel(11), 19);
    EXPECT_EQ(record.objectChannel(3), 1);
    EXPECT_EQ(record.extraObjectChannel(0), 32);
    EXPECT_EQ(record.extraObjectChannel(5), 64);
    EXPECT_EQ(textOf(page, "Edit6"), QStringLiteral("6"));
}

} // namespace
} // namespace korvanta::monitor::ui
