// Bench-test edits: stored at every change, empty texts ignored, loads typed with a decimal comma.
#include "acquisition/settings_record.h"
#include "bench/ui/bench_settings_page.h"
#include "bench/ui/tform9.h"
#include "common/number_format.h"
#include "support/scripted_messages.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace korvanta::bench::ui {
namespace {

QLineEdit* editOf(const QWidget& window, const char* name) {
    auto* edit = window.findChild<QLineEdit*>(QLatin1String(name));
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

class BenchEditsTest : public ::testing::Test {
protected:
    void SetUp() override { common::setDecimalSeparator(QLatin1Char('.')); }
    void TearDown() override { common::setDecimalSeparator(QLatin1Char('.')); }

    acquisition::SettingsRecord record;
    testing::ScriptedMessages messages;
};

TEST_F(BenchEditsTest, SettingsPageReadsLoadsWithACommaAndIgnoresEmptyText) {
    BenchSettingsPage page(record, messages);

    editOf(page, "LabeledEdit24Edit")->setText(QStringLiteral("12,5"));
    EXPECT_DOUBLE_EQ(record.upperLoad(), 12.5);
    EXPECT_EQ(common::decimalSeparator(), QLatin1Char(','));
    editOf(page, "LabeledEdit24Edit")->setText(QString());
    EXPECT_DOUBLE_EQ(record.upperLoad(), 12.5);
    EXPECT_TRUE(messages.errors.isEmpty());
    editOf(page, "LabeledEdit24Edit")->setText(QStringLiteral("12.75"));
    EXPECT_DOUBLE_EQ(record.upperLoad(), 12.5);
    EXPECT_EQ(messages.errors.size(), 1);

    common::setDecimalSeparator(QLatin1Char('.'));
    editOf(page, "LabeledEdit25Edit")->setText(QStringLiteral("0,5"));
    EXPECT_DOUBLE_EQ(record.forceStep(), 0.5);
    editOf(page, "LabeledEdit27Edit")->setText(QStringLiteral("40"));
    EXPECT_DOUBLE_EQ(record.upperDisplacement(), 40.0);
    editOf(page, "LabeledEdit28Edit")->setText(QStringLiteral("15"));
    editOf(page, "LabeledEdit29Edit")->setText(QStringLiteral("3"));
    editOf(page, "LabeledEdit32Edit")->setText(QStringLiteral("4"));
    EXPECT_EQ(record.timeTo(), 15);
    EXPECT_EQ(record.timeTpo(), 3);
    EXPECT_EQ(record.chartCadence(2), 4);
    editOf(page, "LabeledEdit28Edit")->setText(QStringLiteral("1,5"));
    EXPECT_EQ(record.timeTo(), 15);
    EXPECT_EQ(messages.errors.size(), 2);

    page.findChild<QRadioButton*>(QStringLiteral("RadioButton9"))->click();
    EXPECT_EQ(record.testType(), 1);
    page.findChild<QRadioButton*>(QStringLiteral("RadioButton10"))->click();
    EXPECT_EQ(record.testType(), 0);
    EXPECT_EQ(page.testParameterTexts(), (QStringList{"12.75", "0,5", "40", "1,5", "3"}));
}

TEST_F(BenchEditsTest, SettingsPageLoadsFromTheRecord) {
    record.setUpperLoad(7.25);
    record.setForceStep(0.5);
    record.setUpperDisplacement(30);
    record.setTimeTo(10);
    record.setTimeTpo(2);
    for (int phase = 0; phase < 4; ++phase) {
        record.setChartCadence(phase, phase + 1);
    }
    record.setTestType(1);
    BenchSettingsPage page(record, messages);

    page.loadFromRecord();

    EXPECT_EQ(page.testParameterTexts(), (QStringList{"7,25", "0,5", "30", "10", "2"}));
    EXPECT_EQ(editOf(page, "LabeledEdit30Edit")->text(), QStringLiteral("1"));
    EXPECT_EQ(editOf(page, "LabeledEdit33Edit")->text(), QStringLiteral("4"));
    EXPECT_TRUE(page.findChild<QRadioButton*>(QStringLiteral("RadioButton9"))->isChecked());
    EXPECT_TRUE(messages.errors.isEmpty());
    // Loading wrote nothing back, so the separator was not touched.
    EXPECT_EQ(common::decimalSeparator(), QLatin1Char('.'));
}

TEST_F(BenchEditsTest, ParameterWindowStoresEachEditByItsRule) {
    TForm9 form(record, messages);
    QSignalSpy changed(&form, &TForm9::parametersChanged);

    editOf(form, "LabeledEdit36Edit")->setText(QStringLiteral("150.5")); // separator in force: '.'
    EXPECT_FLOAT_EQ(record.maxForce(), 150.5F);
    editOf(form, "LabeledEdit40Edit")->setText(QStringLiteral("0,25"));
    EXPECT_DOUBLE_EQ(record.hysteresis(), 0.25);
    editOf(form, "LabeledEdit37Edit")->setText(QStringLiteral("12,5")); // now ','
    EXPECT_FLOAT_EQ(record.maxDisplacement(), 12.5F);
    editOf(form, "LabeledEdit1Edit")->setText(QStringLiteral("2,5"));
    EXPECT_DOUBLE_EQ(record.preparationForce(), 2.5);
    editOf(form, "LabeledEdit34Edit")->setText(QStringLiteral("3"));
    editOf(form, "LabeledEdit35Edit")->setText(QStringLiteral("4"));
    editOf(form, "LabeledEdit2Edit")->setText(QStringLiteral("20"));
    editOf(form, "LabeledEdit3Edit")->setText(QStringLiteral("500"));
    EXPECT_EQ(record.forceChannel(), 3);
    EXPECT_EQ(record.displacementChannel(), 4);
    EXPECT_EQ(record.retractionTime(), 20);
    EXPECT_EQ(record.preparationBufferLength(), 500);
    editOf(form, "LabeledEdit42Edit")->setText(QStringLiteral("00:00:00.500"));
    EXPECT_EQ(record.phasePeriod(1), QStringLiteral("00:00:00.500"));
    editOf(form, "Edit61")->setText(QStringLiteral("#1 x9;9 y0;0 &"));
    EXPECT_EQ(record.motionCommand(2), QStringLiteral("#1 x9;9 y0;0 &"));
    EXPECT_EQ(changed.count(), 10);

    editOf(form, "LabeledEdit1Edit")->setText(QString());
    editOf(form, "LabeledEdit34Edit")->setText(QString());
    EXPECT_DOUBLE_EQ(record.preparationForce(), 2.5);
    EXPECT_EQ(record.forceChannel(), 3);
    EXPECT_TRUE(messages.errors.isEmpty());
    editOf(form, "LabeledEdit40Edit")->setText(QStringLiteral("0.5"));
    EXPECT_DOUBLE_EQ(record.hysteresis(), 0.25);
    EXPECT_EQ(messages.errors.size(), 1);
    EXPECT_EQ(changed.count(), 10);
}

TEST_F(BenchEditsTest, ParameterWindowCommandsStartWithTheDesignTextsUntilTheRecordHoldsOnes) {
    record.setMotionCommand(4, QStringLiteral("#1 x1;1 y0;0 &"));
    record.setHysteresis(0.5);
    record.setMaxForce(200.0F);
    TForm9 form(record, messages);

    form.loadFromRecord();

    const QString up = QStringLiteral("#1 x0;0 y250;250 &");
    const QString stop = QStringLiteral("#1 x0;0 y0;0 &");
    const QString down = QStringLiteral("#1 x250;250 y0;0 &");
    const QStringList expected = {up,   stop, down, up,  QStringLiteral("#1 x1;1 y0;0 &"),
                                  down, up,   up,   down};
    for (int i = 0; i < TForm9::kCommandCount; ++i) {
        EXPECT_EQ(form.commandEdit(i)->text(), expected[i]) << i;
        EXPECT_EQ(record.motionCommand(i), expected[i]) << i;
    }
    EXPECT_EQ(editOf(form, "LabeledEdit40Edit")->text(), QStringLiteral("0,5"));
    EXPECT_EQ(editOf(form, "LabeledEdit36Edit")->text(), QStringLiteral("200"));
    EXPECT_EQ(form.commandEdit(9), nullptr);
    EXPECT_EQ(form.commandButton(-1), nullptr);
}

TEST_F(BenchEditsTest, ServiceModeShowsBothGroups) {
    TForm9 form(record, messages);
    EXPECT_TRUE(form.extraSettingsGroup()->isHidden());
    EXPECT_TRUE(form.emergencyGroup()->isHidden());
    form.setServiceMode(true);
    EXPECT_FALSE(form.extraSettingsGroup()->isHidden());
    EXPECT_FALSE(form.emergencyGroup()->isHidden());
    EXPECT_TRUE(form.extraSettingsGroup()->isAncestorOf(editOf(form, "Edit62")));
    EXPECT_TRUE(form.emergencyGroup()->isAncestorOf(editOf(form, "Edit59")));
    EXPECT_FALSE(form.extraSettingsGroup()->isAncestorOf(form.motorSpeedEdit()));
}

} // namespace
} // namespace korvanta::bench::ui
