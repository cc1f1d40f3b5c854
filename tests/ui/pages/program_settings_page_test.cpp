// "Ustawienia programu": every control writes its field at once; loading pushes nothing back.
#include "acquisition/settings_record.h"
#include "monitor/ui/program_settings_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace korvanta::monitor::ui {
namespace {

class ProgramSettingsPageTest : public ::testing::Test {
protected:
    template <typename T> T* child(const char* name) {
        auto* widget = page.findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }

    acquisition::SettingsRecord record;
    ProgramSettingsPage page{record};
};

TEST_F(ProgramSettingsPageTest, TextControlsWriteTheirFields) {
    QTest::keyClicks(edit("LabeledEdit9Edit"), QStringLiteral("00:00:00.500"));
    QTest::keyClicks(edit("Edit9"), QStringLiteral("1000")); // at most 3 characters
    edit("Edit10")->setText(QStringLiteral("-123456789012"));
    edit("Edit11")->setText(QStringLiteral("99999999999"));

    EXPECT_EQ(record.periodText(), QStringLiteral("00:00:00.500"));
    EXPECT_EQ(record.saveEveryText(), QStringLiteral("100"));
    // The limit fields hold 10 bytes with the terminator.
    EXPECT_EQ(record.lowerLimitText(), QStringLiteral("-12345678"));
    EXPECT_EQ(record.upperLimitText(), QStringLiteral("999999999"));
    EXPECT_EQ(page.lowerLimitText(), QStringLiteral("-123456789012"));
}

TEST_F(ProgramSettingsPageTest, AxisTitlesAndSubtitleAreStoredAndSignalled) {
    QSignalSpy axes(&page, &ProgramSettingsPage::axisTitlesChanged);
    QSignalSpy subtitle(&page, &ProgramSettingsPage::subtitleChanged);

    edit("LabeledEdit13Edit")->setText(QStringLiteral("Siła [kN]"));
    edit("LabeledEdit14Edit")->setText(QString(100, QLatin1Char('x')));
    edit("LabeledEdit11Edit")->setText(QStringLiteral("Próba 3"));

    EXPECT_EQ(record.leftAxisTitle(), QStringLiteral("Siła [kN]"));
    EXPECT_EQ(record.rightAxisTitle(), QString(79, QLatin1Char('x')));
    ASSERT_EQ(axes.count(), 2);
    EXPECT_EQ(axes.at(1).at(0).toString(), QStringLiteral("Siła [kN]"));
    EXPECT_EQ(axes.at(1).at(1).toString(), QString(100, QLatin1Char('x')));
    ASSERT_EQ(subtitle.count(), 1);
    EXPECT_EQ(subtitle.at(0).at(0).toString(), QStringLiteral("Próba 3"));
}

TEST_F(ProgramSettingsPageTest, ChoicesWriteTheirFlags) {
    QSignalSpy bars(&page, &ProgramSettingsPage::barModeChanged);
    QSignalSpy autoLimits(&page, &ProgramSettingsPage::autoLimitsChecked);
    QSignalSpy width(&page, &ProgramSettingsPage::lineWidthChanged);

    child<QCheckBox>("CheckBox4")->click();
    EXPECT_TRUE(record.saveEvery());
    child<QRadioButton>("RadioButton2")->click();
    EXPECT_TRUE(record.reportsMode());
    child<QRadioButton>("RadioButton1")->click();
    EXPECT_FALSE(record.reportsMode());
    child<QRadioButton>("RadioButton4")->click();
    EXPECT_TRUE(record.barChart());
    child<QRadioButton>("RadioButton3")->click();
    EXPECT_FALSE(record.barChart());
    child<QRadioButton>("RadioButton6")->click();
    EXPECT_TRUE(record.dynamicMode());
    child<QCheckBox>("CheckBox20")->click();
    EXPECT_TRUE(record.realTimeStamps());
    child<QCheckBox>("CheckBox21")->click();
    EXPECT_TRUE(record.autoLimits());
    child<QCheckBox>("CheckBox21")->click();
    EXPECT_FALSE(record.autoLimits());
    child<QToolButton>("UpDown14Up")->click();

    ASSERT_EQ(bars.count(), 2);
    EXPECT_TRUE(bars.at(0).at(0).toBool());
    EXPECT_FALSE(bars.at(1).at(0).toBool());
    EXPECT_EQ(autoLimits.count(), 1); // only when it becomes checked
    ASSERT_EQ(width.count(), 1);
    EXPECT_EQ(width.at(0).at(0).toInt(), 2);
    // Each mode group holds its own pair: "Pomiary" the static/dynamic drawing, the titled
    // group the measurements/reports choice.
    for (const auto& [group, buttons] :
         std::vector<std::pair<const char*, std::pair<const char*, const char*>>>{
             {"RadioGroup3", {"RadioButton5", "RadioButton6"}},
             {"RadioGroup1", {"RadioButton1", "RadioButton2"}}}) {
        auto* box = child<QGroupBox>(group);
        EXPECT_FALSE(box->title().isEmpty()) << group;
        for (const char* name : {buttons.first, buttons.second}) {
            auto* button = child<QRadioButton>(name);
            EXPECT_EQ(button->parentWidget(), box) << name;
            EXPECT_FALSE(button->isHidden()) << name;
        }
    }
}

TEST_F(ProgramSettingsPageTest, ButtonsAreSignalled) {
    QSignalSpy period(&page, &ProgramSettingsPage::refreshPeriodClicked);
    QSignalSpy save(&page, &ProgramSettingsPage::saveConfigClicked);
    QSignalSpy open(&page, &ProgramSettingsPage::openConfigClicked);
    child<QPushButton>("Button2")->click();
    child<QPushButton>("Button5")->click();
    child<QPushButton>("Button4")->click();
    EXPECT_EQ(period.count(), 1);
    EXPECT_EQ(save.count(), 1);
    EXPECT_EQ(open.count(), 1);
}

TEST_F(ProgramSettingsPageTest, LoadFromRecordFillsTheControlsWithoutEcho) {
    record.setPeriodText(QStringLiteral("00:00:02.000"));
    record.setSaveEveryText(QStringLiteral("5"));
    record.setSaveEvery(true);
    record.setLowerLimitText(QStringLiteral("-50"));
    record.setUpperLimitText(QStringLiteral("250"));
    record.setLeftAxisTitle(QStringLiteral("lewa"));
    record.setRightAxisTitle(QStringLiteral("prawa"));
    record.setReportsMode(true);
    record.setBarChart(true);
    record.setRealTimeStamps(true);
    record.setAutoLimits(true);
    QSignalSpy axes(&page, &ProgramSettingsPage::axisTitlesChanged);
    QSignalSpy autoLimits(&page, &ProgramSettingsPage::autoLimitsChecked);
    QSignalSpy bars(&page, &ProgramSettingsPage::barModeChanged);
    acquisition::SettingsRecord before = record;

    page.loadFromRecord();

    EXPECT_EQ(page.periodText(), QStringLiteral("00:00:02.000"));
    EXPECT_EQ(page.saveEveryText(), QStringLiteral("5"));
    EXPECT_TRUE(page.saveEveryChecked());
    EXPECT_EQ(page.lowerLimitText(), QStringLiteral("-50"));
    EXPECT_EQ(page.upperLimitText(), QStringLiteral("250"));
    EXPECT_EQ(edit("LabeledEdit13Edit")->text(), QStringLiteral("lewa"));
    EXPECT_EQ(edit("LabeledEdit14Edit")->text(), QStringLiteral("prawa"));
    EXPECT_TRUE(page.reportsSelected());
    EXPECT_TRUE(child<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_TRUE(page.staticMode());
    EXPECT_TRUE(child<QCheckBox>("CheckBox20")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("CheckBox21")->isChecked());
    EXPECT_EQ(axes.count(), 0);
    EXPECT_EQ(autoLimits.count(), 0);
    EXPECT_EQ(bars.count(), 0);
    EXPECT_EQ(std::memcmp(before.bytes(), record.bytes(), acquisition::SettingsRecord::kSize), 0);
}

TEST_F(ProgramSettingsPageTest, ConfigurationLoadLeavesChartTypeAndTimeStamps) {
    record.setBarChart(true);
    record.setRealTimeStamps(true);
    record.setPeriodText(QStringLiteral("00:00:03.000"));

    page.loadConfigurationFields();

    EXPECT_EQ(page.periodText(), QStringLiteral("00:00:03.000"));
    EXPECT_TRUE(child<QRadioButton>("RadioButton3")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("CheckBox20")->isChecked());
}

TEST_F(ProgramSettingsPageTest, ModeButtonsFollowTheMonitoringState) {
    page.setModeButtonsEnabled(false);
    for (const char* name : {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4",
                             "RadioButton5", "RadioButton6"}) {
        EXPECT_FALSE(child<QRadioButton>(name)->isEnabled()) << name;
    }
    page.setModeButtonsEnabled(true);
    EXPECT_TRUE(child<QRadioButton>("RadioButton2")->isEnabled());
}

} // namespace
} // namespace korvanta::monitor::ui
