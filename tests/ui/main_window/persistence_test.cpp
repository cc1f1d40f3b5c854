// What a user sets in the channel editor and on "Ustawienia programu" comes back after a
// restart through the settings file.

#include "common/ui/labeled_edit.h"
#include "common/ui/up_down.h"
#include "ui/main_window/main_window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

using namespace korvanta;
using korvanta::common::ui::LabeledEdit;
using korvanta::common::ui::UpDown;
using korvanta::testing::MainWindowTest;

namespace {

// Clicks the up arrow so that it lands on `position` (the buffer-length arrows step by 10).
void stepTo(UpDown* upDown, int position, int increment = 1) {
    upDown->setPosition(position - increment);
    upDown->stepUp();
}

} // namespace

TEST_F(MainWindowTest, ChannelAndProgramSettingsSurviveARestart) {
    attachAcquisition();
    {
        app::ui::TForm34& w = start();
        w.Button11Click();
        stepTo(find<UpDown>("UpDown1"), 5);
        find<QCheckBox>("CheckBox1")->click();
        find<QComboBox>("ComboBox1")->setCurrentIndex(3);
        stepTo(find<UpDown>("UpDown2"), 12);
        stepTo(find<UpDown>("UpDown3"), 120, 10);
        stepTo(find<UpDown>("UpDown4"), 3);
        find<LabeledEdit>("LabeledEdit1")->edit()->setText(QStringLiteral("Drgania mm/s"));
        find<LabeledEdit>("LabeledEdit2")->edit()->setText(QStringLiteral("łożysko"));
        dialogs.colorAnswer = QColor(10, 20, 200);
        find<QPushButton>("Button1")->click();
        find<QLineEdit>("Edit10")->setText(QStringLiteral("-7.5"));
        find<QLineEdit>("Edit11")->setText(QStringLiteral("42"));
        find<LabeledEdit>("LabeledEdit13")->edit()->setText(QStringLiteral("Napięcie [V]"));
        find<LabeledEdit>("LabeledEdit9")->edit()->setText(QStringLiteral("00:00:02.000"));
        find<QLineEdit>("Edit9")->setText(QStringLiteral("5"));
        find<QCheckBox>("CheckBox4")->click();
        find<QRadioButton>("RadioButton2")->click();
        find<QRadioButton>("RadioButton4")->click();
        find<QCheckBox>("CheckBox20")->click();
        w.Exit1Click();
        window.reset();
    }
    app::ui::TForm34& w = start();
    const acquisition::SettingsRecord& s = w.session().settings();
    EXPECT_EQ(s.editedChannel(), 5);
    EXPECT_TRUE(s.active(5));
    EXPECT_EQ(s.functionIndex(5), 3);
    EXPECT_EQ(s.inputNumber(5), 12);
    EXPECT_EQ(s.bufferLength(5), 120);
    EXPECT_EQ(s.decimalPlaces(5), 3);
    EXPECT_EQ(s.seriesColor(5), 0x00C8140AU);
    EXPECT_EQ(find<QLineEdit>("Edit2")->text(), "5");
    EXPECT_TRUE(find<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(find<QComboBox>("ComboBox1")->currentIndex(), 3);
    EXPECT_EQ(find<QLineEdit>("Edit3")->text(), "12");
    EXPECT_EQ(find<QLineEdit>("Edit4")->text(), "120");
    EXPECT_EQ(find<QLineEdit>("Edit5")->text(), "3");
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit1")->text(), "Drgania mm/s");
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit2")->text(), "łożysko");
    EXPECT_EQ(find<QLineEdit>("Edit10")->text(), "-7.5");
    EXPECT_EQ(find<QLineEdit>("Edit11")->text(), "42");
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit13")->text(), "Napięcie [V]");
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit9")->text(), "00:00:02.000");
    EXPECT_EQ(find<QLineEdit>("Edit9")->text(), "5");
    EXPECT_TRUE(find<QCheckBox>("CheckBox4")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_TRUE(find<QWidget>("Panel16")->isVisibleTo(w.findChild<QWidget*>("Panel3")));
    EXPECT_TRUE(find<QCheckBox>("CheckBox20")->isChecked());
}
