#include "chart/ui/channel_editor_page.h"
#include "chart/ui/monitor_chart.h"
#include "common/conversion_error.h"
#include "common/ui/labeled_edit.h"
#include "common/ui/up_down.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

namespace korvanta::chart::ui {
namespace {

using common::ui::LabeledEdit;
using common::ui::UpDown;
using O = acquisition::SettingsRecord::Offsets;

struct ChannelEditorPageTest : ::testing::Test {
    ChannelEditorPageTest() : page(environment(), &chart) {}
    ChartEnvironment environment() {
        return {&settings,
                [this] { return channelCount; },
                [this] { return running; },
                [] { return QString(); },
                [] { return QString(); },
                [](int n) { return QStringLiteral("wejście %1").arg(n); },
                &messages,
                &dialogs};
    }
    template <typename T> T* child(const char* name) {
        T* found = page.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool shown(const char* name) { return !child<QWidget>(name)->isHidden(); }
    bool enabled(const char* name) { return child<QWidget>(name)->isEnabled(); }
    QString text(const char* name) { return child<QLineEdit>(name)->text(); }
    LabeledEdit* labeled(const char* name) { return child<LabeledEdit>(name); }
    // The operand controls of SUM2/DIFF/SUM3 as one string of shown flags.
    QString operandsShown() {
        QString flags;
        for (const char* name : {"LabeledEdit3", "UpDown13", "Edit35", "UpDown21", "Label12",
                                 "Label34", "Label36", "Edit36", "UpDown22", "CheckBox18"}) {
            flags += shown(name) ? QLatin1Char('1') : QLatin1Char('0');
        }
        return flags;
    }
    QString inputsEnabled() {
        QString flags;
        for (const char* name : {"Edit3", "UpDown2", "Edit4", "UpDown3"}) {
            flags += enabled(name) ? QLatin1Char('1') : QLatin1Char('0');
        }
        return flags;
    }

    acquisition::SettingsRecord settings;
    int channelCount = 8;
    bool running = false;
    testing::ScriptedMessages messages;
    testing::ScriptedDialogs dialogs;
    MonitorChart chart;
    ChannelEditorPage page;
};

TEST_F(ChannelEditorPageTest, SelectingAChannelFillsTheEditorAndChangesNoOtherChannel) {
    settings.setActive(7, true);
    settings.setAddGraph(7, false);
    settings.setInputNumber(7, 12);
    settings.setBufferLength(7, 250);
    settings.setFunctionIndex(7, 3);
    settings.setChannelName(7, QStringLiteral("Prąd [A]"));
    settings.setChannelNote(7, QStringLiteral("uwaga"));
    settings.setDecimalPlaces(7, 2);
    settings.setChartCoefficient(7, 5);
    settings.setOperand1(7, 4);
    settings.setOperand2(7, 9);
    settings.setOperand3(7, 11);
    settings.setSeriesColor(7, 0x00102030u);
    settings.setChannelNumber(7, 99);
    for (int c = 1; c <= 64; ++c) { // other channels hold something a stray write would change
        if (c != 7) {
            settings.setChannelName(c, QStringLiteral("kanał %1").arg(c));
            settings.setInputNumber(c, c);
            settings.setChannelNumber(c, 100 + c);
        }
    }
    settings.setInputNumber(8, 0);
    const acquisition::SettingsRecord before = settings;
    page.selectChannel(7);

    EXPECT_EQ(settings.editedChannel(), 7);
    EXPECT_EQ(settings.channelNumber(7), 7);
    for (std::size_t i = 0; i < acquisition::SettingsRecord::kSize; ++i) {
        const bool edited = (i >= O::editedChannel && i < O::editedChannel + 4) ||
                            (i >= O::channelNumber + 28 && i < O::channelNumber + 32);
        if (!edited) {
            ASSERT_EQ(settings.bytes()[i], before.bytes()[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(text("Edit2"), QStringLiteral("7"));
    EXPECT_TRUE(child<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("CheckBox3")->isChecked());
    EXPECT_EQ(text("Edit3"), QStringLiteral("12"));
    EXPECT_EQ(child<QLabel>("Label5")->text(), QStringLiteral("wejście 12"));
    EXPECT_EQ(text("Edit4"), QStringLiteral("250"));
    EXPECT_EQ(child<QComboBox>("ComboBox1")->currentIndex(), 3);
    EXPECT_EQ(text("Edit5"), QStringLiteral("2"));
    EXPECT_EQ(labeled("LabeledEdit1")->text(), QStringLiteral("Prąd [A]"));
    EXPECT_EQ(labeled("LabeledEdit2")->text(), QStringLiteral("uwaga"));
    EXPECT_EQ(labeled("LabeledEdit6")->text(), QStringLiteral("5"));
    EXPECT_EQ(labeled("LabeledEdit3")->text(), QStringLiteral("4"));
    EXPECT_EQ(text("Edit35"), QStringLiteral("9"));
    EXPECT_EQ(text("Edit36"), QStringLiteral("11"));
    EXPECT_EQ(chart.seriesColor(6), QColor(0x30, 0x20, 0x10));

    // An input number of 0 leaves the input edit as it was.
    page.selectChannel(8);
    EXPECT_EQ(text("Edit3"), QStringLiteral("12"));
    EXPECT_EQ(settings.inputNumber(8), 0);
}

TEST_F(ChannelEditorPageTest, EachControlWritesItsFieldOfTheEditedChannel) {
    page.selectChannel(5);
    settings.setInputNumber(5, 3);
    page.selectChannel(5);
    child<UpDown>("UpDown2")->stepUp();
    EXPECT_EQ(settings.inputNumber(5), 4);
    EXPECT_EQ(child<QLabel>("Label5")->text(), QStringLiteral("wejście 4"));
    child<UpDown>("UpDown3")->stepUp();
    child<UpDown>("UpDown3")->stepUp();
    EXPECT_EQ(settings.bufferLength(5), 20);
    child<UpDown>("UpDown4")->stepUp();
    EXPECT_EQ(settings.decimalPlaces(5), 1);
    child<UpDown>("UpDown13")->stepUp();
    EXPECT_EQ(settings.operand1(5), 2);
    child<UpDown>("UpDown21")->stepUp();
    EXPECT_EQ(settings.operand2(5), 2);
    child<UpDown>("UpDown22")->stepUp();
    EXPECT_EQ(settings.operand3(5), 2);
    child<QCheckBox>("CheckBox1")->click();
    EXPECT_TRUE(settings.active(5));
    child<QCheckBox>("CheckBox3")->click();
    EXPECT_TRUE(settings.addGraph(5));
    labeled("LabeledEdit2")->setText(QStringLiteral("notatka"));
    EXPECT_EQ(settings.channelNote(5), QStringLiteral("notatka"));
    labeled("LabeledEdit2")->setText(QString(100, QLatin1Char('x'))); // the edit keeps 79
    EXPECT_EQ(settings.channelNote(5), QString(79, QLatin1Char('x')));
    EXPECT_EQ(settings.channelNote(6), QString());

    labeled("LabeledEdit6")->setText(QStringLiteral("12"));
    EXPECT_EQ(settings.chartCoefficient(5), 12);
    labeled("LabeledEdit6")->setText(QStringLiteral("1.5"));
    EXPECT_EQ(messages.errors.size(), 1);
    EXPECT_EQ(settings.chartCoefficient(5), 12);

    QTest::keyClicks(labeled("LabeledEdit1")->edit(), QStringLiteral("U1 [V]"));
    EXPECT_EQ(settings.channelName(5), QStringLiteral("U1 [V]"));
    EXPECT_EQ(chart.seriesTitle(4), QStringLiteral("U1 [V]"));
    labeled("LabeledEdit1")->edit()->clear();
    EXPECT_EQ(settings.channelName(5), QString());
    EXPECT_EQ(chart.seriesTitle(4), QStringLiteral("k5"));
    EXPECT_EQ(labeled("LabeledEdit1")->edit()->maxLength(), 19);

    child<QLineEdit>("Edit3")->setText(QStringLiteral("17"));
    EXPECT_EQ(child<QLabel>("Label5")->text(), QStringLiteral("wejście 17"));
    EXPECT_EQ(settings.inputNumber(5), 4); // typing alone does not store
    child<QComboBox>("ComboBox1")->setCurrentIndex(11);
    EXPECT_EQ(settings.functionIndex(5), 11);
    child<UpDown>("UpDown2")->stepDown();
    EXPECT_EQ(settings.inputNumber(5), 16);
    EXPECT_EQ(child<QLabel>("Label5")->text(), QStringLiteral("AL154 k16"));
}

TEST_F(ChannelEditorPageTest, ColourDialogColoursTheSeriesEvenWhenCancelled) {
    page.selectChannel(3);
    dialogs.colorAnswer = QColor(10, 20, 30);
    child<QPushButton>("Button1")->click();
    EXPECT_EQ(chart.seriesColor(2), QColor(10, 20, 30));
    EXPECT_EQ(settings.seriesColor(3), 0x001E140Au);
    EXPECT_EQ(dialogs.colorInitial, QColor(0, 0, 0));
    // Cancelled after browsing: the colour the dialog held before, not the browsed one.
    page.selectChannel(4);
    dialogs.colorAnswer = QColor(200, 100, 50);
    dialogs.colorAccepted = false;
    child<QPushButton>("Button1")->click();
    EXPECT_EQ(dialogs.colorInitial, QColor(10, 20, 30));
    EXPECT_EQ(chart.seriesColor(3), QColor(10, 20, 30));
    EXPECT_EQ(settings.seriesColor(4), 0x001E140Au);
}

TEST_F(ChannelEditorPageTest, FunctionRulesOnAChannelChange) {
    const int functions[] = {0, 1, 2, 4, 10};
    for (int c = 1; c <= 5; ++c) {
        settings.setFunctionIndex(c, functions[c - 1]);
    }
    page.selectChannel(2); // SUM2
    EXPECT_EQ(operandsShown(), QStringLiteral("1111110000"));
    EXPECT_EQ(child<QLabel>("Label34")->text(), QStringLiteral("+k"));
    EXPECT_EQ(inputsEnabled(), QStringLiteral("0000"));
    page.selectChannel(3); // DIFF
    EXPECT_EQ(child<QLabel>("Label34")->text(), QStringLiteral("-k"));
    EXPECT_EQ(inputsEnabled(), QStringLiteral("0000"));
    page.selectChannel(5); // SUM3
    EXPECT_EQ(operandsShown(), QStringLiteral("1111111110"));
    EXPECT_EQ(child<QLabel>("Label34")->text(), QStringLiteral("+k"));
    running = true;
    page.selectChannel(1); // MEAN while monitoring: the input edits stay disabled
    EXPECT_EQ(operandsShown(), QStringLiteral("0000000000"));
    EXPECT_EQ(inputsEnabled(), QStringLiteral("0011"));
    running = false;
    page.selectChannel(4); // P: the "ZERO" box
    EXPECT_EQ(operandsShown(), QStringLiteral("0000000001"));
    EXPECT_EQ(inputsEnabled(), QStringLiteral("1111"));
    EXPECT_TRUE(page.zeroChecked());

    // Mediana: a channel change leaves the operand controls as they were.
    settings.setFunctionIndex(6, 15);
    page.selectChannel(2);
    page.selectChannel(6);
    EXPECT_EQ(operandsShown(), QStringLiteral("1111110000"));
    EXPECT_EQ(inputsEnabled(), QStringLiteral("0000"));
    EXPECT_EQ(child<QComboBox>("ComboBox1")->currentIndex(), 15);
}

TEST_F(ChannelEditorPageTest, FunctionRulesOnAFunctionChange) {
    page.selectChannel(9);
    auto* combo = child<QComboBox>("ComboBox1");
    running = true;
    combo->setCurrentIndex(2);
    EXPECT_EQ(settings.functionIndex(9), 2);
    EXPECT_EQ(operandsShown(), QStringLiteral("1111110000"));
    EXPECT_EQ(child<QLabel>("Label34")->text(), QStringLiteral("-k"));
    EXPECT_EQ(inputsEnabled(), QStringLiteral("0000"));
    combo->setCurrentIndex(0); // a function change enables the input edits unconditionally
    EXPECT_EQ(operandsShown(), QStringLiteral("0000000000"));
    EXPECT_EQ(inputsEnabled(), QStringLiteral("1111"));
    combo->setCurrentIndex(10);
    EXPECT_EQ(operandsShown(), QStringLiteral("1111111110"));
    combo->setCurrentIndex(15); // hides four operand controls, leaves the rest
    EXPECT_EQ(operandsShown(), QStringLiteral("0000110000"));
    EXPECT_EQ(inputsEnabled(), QStringLiteral("0000"));
    combo->setCurrentIndex(1);
    combo->setCurrentIndex(4);
    EXPECT_EQ(operandsShown(), QStringLiteral("0000000001"));
    EXPECT_EQ(settings.functionIndex(9), 4);
}

TEST_F(ChannelEditorPageTest, DefaultsWithEightChannels) {
    for (int c = 1; c <= 64; ++c) {
        settings.setFunctionIndex(c, 1);
        settings.setBufferLength(c, 70);
        settings.setDecimalPlaces(c, 3);
        settings.setChartCoefficient(c, 9);
        settings.setInputNumber(c, 1);
        settings.setActive(c, c % 2 == 0);
        settings.setAddGraph(c, true);
        settings.setChannelName(c, QStringLiteral("n"));
    }
    page.selectChannel(12);
    EXPECT_EQ(inputsEnabled(), QStringLiteral("0000"));
    child<QPushButton>("Button3")->click();
    for (int c = 1; c <= 64; ++c) {
        EXPECT_EQ(settings.active(c), c <= 8) << c;
        EXPECT_EQ(settings.addGraph(c), c <= 8) << c;
        EXPECT_EQ(settings.inputNumber(c), c);
        EXPECT_EQ(settings.functionIndex(c), 0);
        EXPECT_EQ(settings.bufferLength(c), 0);
        EXPECT_EQ(settings.decimalPlaces(c), 1);
        EXPECT_EQ(settings.chartCoefficient(c), 1);
        EXPECT_EQ(settings.channelName(c), QStringLiteral("n"));
    }
    EXPECT_EQ(text("Edit3"), QStringLiteral("12"));
    EXPECT_EQ(text("Edit4"), QStringLiteral("0"));
    EXPECT_EQ(text("Edit5"), QStringLiteral("1"));
    EXPECT_EQ(labeled("LabeledEdit6")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QComboBox>("ComboBox1")->currentIndex(), 0);
    EXPECT_FALSE(child<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(operandsShown(), QStringLiteral("0000000000"));
    EXPECT_EQ(inputsEnabled(), QStringLiteral("1111"));
}

TEST_F(ChannelEditorPageTest, MonitoringLocksTheControlsACycleReads) {
    settings.setFunctionIndex(3, 1);
    page.selectChannel(3);
    page.setMonitoringState(true);
    for (const char* name : {"UpDown2", "ComboBox1", "UpDown13", "UpDown21", "Edit3",
                             "LabeledEdit3", "Edit35", "Label9", "Label13", "Label12", "Label34",
                             "Label36", "Edit36", "UpDown22", "CheckBox1", "Button3"}) {
        EXPECT_FALSE(enabled(name)) << name;
    }
    EXPECT_TRUE(enabled("UpDown1"));
    page.setMonitoringState(false);
    EXPECT_TRUE(enabled("ComboBox1"));
    EXPECT_TRUE(enabled("Button3"));
    EXPECT_FALSE(enabled("Edit3")); // SUM2 keeps the input edit disabled
    settings.setFunctionIndex(3, 0);
    page.setMonitoringState(false);
    EXPECT_TRUE(enabled("Edit3"));
    EXPECT_TRUE(enabled("UpDown2"));
}

TEST_F(ChannelEditorPageTest, FunctionListAndConfigurationLoad) {
    EXPECT_EQ(page.functionNames().size(), 16);
    EXPECT_EQ(page.functionNames().at(4), QStringLiteral("P(true power)"));
    page.prepareFunctionList();
    const QStringList expected = {QStringLiteral("ŚREDNIA"),
                                  QStringLiteral("SUMA2"),
                                  QStringLiteral("RÓŻNICA"),
                                  QStringLiteral("WART. SKUTECZNA"),
                                  QStringLiteral("P(moc czynna)"),
                                  QStringLiteral("S(moc pozorna)"),
                                  QStringLiteral("Q(moc bierna)"),
                                  QStringLiteral("U"),
                                  QStringLiteral("I"),
                                  QStringLiteral("cos φ"),
                                  QStringLiteral("SUMA3"),
                                  QStringLiteral("AL154")};
    EXPECT_EQ(page.functionNames(), expected);
    EXPECT_EQ(child<QComboBox>("ComboBox1")->toolTip(), QStringLiteral("Wybierz funkcję"));

    settings.setEditedChannel(20);
    settings.setChannelNumber(20, 20);
    settings.setFunctionIndex(20, 10);
    settings.setInputNumber(20, 7);
    settings.setChannelName(20, QStringLiteral("z pliku"));
    page.loadFromRecord();
    EXPECT_EQ(text("Edit2"), QStringLiteral("20"));
    EXPECT_EQ(text("Edit3"), QStringLiteral("7"));
    EXPECT_EQ(labeled("LabeledEdit1")->text(), QStringLiteral("z pliku"));
    EXPECT_EQ(operandsShown(), QStringLiteral("1111111110"));
    labeled("LabeledEdit2")->setText(QStringLiteral("ok"));
    EXPECT_EQ(settings.channelNote(20), QStringLiteral("ok"));
}

TEST_F(ChannelEditorPageTest, AdvancedPanelFoldsWithItsCaptionsAndGivesTheVectorChannel) {
    auto* label = child<QLabel>("Label68");
    const QString head = QStringLiteral("Zaawansowane kanały");
    EXPECT_EQ(label->text(), head + QString(36, QLatin1Char(' ')) + QStringLiteral("szczegóły >>"));
    EXPECT_EQ(child<QFrame>("Panel27")->maximumHeight(), 23);
    EXPECT_TRUE(child<QWidget>("Bevel1")->isHidden());
    EXPECT_FALSE(labeled("LabeledEdit21")->isVisibleTo(child<QFrame>("Panel27")));

    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(label->text(), head + QStringLiteral(" \t\t\tschowaj            "));
    EXPECT_EQ(child<QFrame>("Panel27")->maximumHeight(), 100);
    EXPECT_FALSE(child<QWidget>("Bevel1")->isHidden());
    EXPECT_TRUE(labeled("LabeledEdit21")->isVisibleTo(child<QFrame>("Panel27")));

    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(label->text(),
              head + QString(30, QLatin1Char(' ')) + QStringLiteral("szczegóły >>      "));
    EXPECT_EQ(child<QFrame>("Panel27")->maximumHeight(), 23);
    EXPECT_TRUE(child<QWidget>("Bevel1")->isHidden());

    EXPECT_EQ(page.vectorChannel(), std::nullopt);
    child<QCheckBox>("CheckBox19")->setChecked(true);
    labeled("LabeledEdit21")->setText(QStringLiteral("3"));
    labeled("LabeledEdit22")->setText(QStringLiteral(" 1"));
    labeled("LabeledEdit23")->setText(QStringLiteral("2"));
    const auto vector = page.vectorChannel();
    ASSERT_TRUE(vector.has_value());
    EXPECT_EQ(vector->v, 3);
    EXPECT_EQ(vector->w1, 1);
    EXPECT_EQ(vector->w2, 2);
    labeled("LabeledEdit23")->setText(QStringLiteral("x"));
    EXPECT_THROW(page.vectorChannel(), common::ConversionError);
}

} // namespace
} // namespace korvanta::chart::ui
