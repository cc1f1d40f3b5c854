// The captions that carry behaviour: tabs the user finds the pages by, buttons found by their
// caption or hint doing what it says, captions that follow a state, the mode radio buttons and the
// stored messages. Fixed texts with no behaviour behind them are not restated here.
#include "acquisition/settings_record.h"
#include "bench/ui/bench_settings_page.h"
#include "bench/ui/bench_tests_page.h"
#include "bench/ui/tform10.h"
#include "bench/ui/tform9.h"
#include "common/ui/labeled_edit.h"
#include "monitor/ui/advanced_page.h"
#include "monitor/ui/monitoring_controller.h"
#include "monitor/ui/program_settings_page.h"
#include "support/scripted_messages.h"
#include "ui/main_window/main_window_fixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace korvanta {
namespace {

using common::ui::LabeledEdit;

// Clicks the one button under `root` that `matches`. False when none or several match, so a
// caption or hint given to the wrong button, or to two of them, fails the test.
bool clickTheOne(const QWidget& root, const std::function<bool(const QAbstractButton&)>& matches) {
    QAbstractButton* found = nullptr;
    for (QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
        if (matches(*button)) {
            if (found != nullptr) {
                return false;
            }
            found = button;
        }
    }
    if (found == nullptr) {
        return false;
    }
    found->click();
    return true;
}

bool clickCaption(const QWidget& root, const QString& caption) {
    return clickTheOne(root, [&](const QAbstractButton& b) { return b.text() == caption; });
}

bool clickHint(const QWidget& root, const QString& hint) {
    return clickTheOne(root, [&](const QAbstractButton& b) { return b.toolTip() == hint; });
}

class MainWindowCaptions : public testing::MainWindowTest {
protected:
    // The caption of the tab that holds `page`, in whichever page control holds it.
    QString tabCaption(const char* page) const {
        const QWidget* sheet = find<QWidget>(page);
        for (const QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
            if (const int index = tabs->indexOf(sheet); index >= 0) {
                return tabs->tabText(index);
            }
        }
        return {};
    }
    // The captions of the tabs a user can pick, in order.
    QStringList shownTabs(const char* pageControl) const {
        const auto* tabs = find<QTabWidget>(pageControl);
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->isTabVisible(i)) {
                captions << tabs->tabText(i);
            }
        }
        return captions;
    }
};

TEST_F(MainWindowCaptions, TabsNameTheirPagesAndServiceModeOpensEverySubsystem) {
    attachAcquisition();
    start();
    const std::vector<std::pair<const char*, const char*>> tabs = {
        {"TabSheet5", "Pomiary"},
        {"TabSheet6", "Analiza"},
        {"TabSheet1", "Obiekt"},
        {"TabSheet2", "Właściwości systemu"},
        {"TabSheet3", "Ustawienia kanałów"},
        {"TabSheet4", "Ustawienia programu"},
        {"TabSheet11", "Zaawansowane"},
        {"TabSheet12", "Ustawienia"},
        {"TabSheet13", "Badania"},
    };
    for (const auto& [page, caption] : tabs) {
        EXPECT_EQ(tabCaption(page), QString::fromUtf8(caption)) << page;
    }

    const QStringList operatorTabs = {"Właściwości systemu", "Ustawienia", "Badania"};
    EXPECT_EQ(shownTabs("PageControl2"), QStringList{"Pomiary"});
    EXPECT_EQ(shownTabs("PageControl1"), operatorTabs);
    ASSERT_TRUE(clickCaption(*window, "Serwis"));
    EXPECT_EQ(shownTabs("PageControl1"),
              QStringList({"Obiekt", "Właściwości systemu", "Ustawienia kanałów",
                           "Ustawienia programu", "Zaawansowane", "Ustawienia", "Badania"}));
    EXPECT_EQ(shownTabs("PageControl2"), QStringList({"Pomiary", "Analiza"}));
    ASSERT_TRUE(clickCaption(*window, "Serwis"));
    EXPECT_EQ(shownTabs("PageControl1"), operatorTabs);
    EXPECT_EQ(shownTabs("PageControl2"), QStringList{"Pomiary"});
}

TEST_F(MainWindowCaptions, MonitoringButtonsDoWhatTheirHintsSay) {
    attachAcquisition(1000, 12);
    app::ui::TForm34& w = start();
    const QTimer& cycle = *w.monitoring().Timer1;
    ASSERT_TRUE(clickCaption(w, "Serwis")); // the monitoring buttons belong to service mode

    ASSERT_TRUE(clickHint(w, "Jeden pomiar"));
    EXPECT_FALSE(cycle.isActive());
    EXPECT_EQ(find<QLabel>("Label67")->text(), "Counter chanel: 12");

    // Without a period "Monitorowanie" warns with the stored message instead of starting.
    find<LabeledEdit>("LabeledEdit9")->setText(QString());
    ASSERT_TRUE(clickHint(w, "Monitorowanie"));
    EXPECT_FALSE(cycle.isActive());
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text, w.messageText(8));
    EXPECT_EQ(messages.shown[0].caption, "ERROR");

    find<LabeledEdit>("LabeledEdit9")->setText(QStringLiteral("00:00:01.000"));
    ASSERT_TRUE(clickHint(w, "Monitorowanie"));
    EXPECT_TRUE(cycle.isActive());
    EXPECT_EQ(cycle.interval(), 1000);
    find<LabeledEdit>("LabeledEdit9")->setText(QStringLiteral("00:00:00.300"));
    ASSERT_TRUE(clickCaption(w, "Odśwież okres"));
    EXPECT_EQ(cycle.interval(), 299);
    ASSERT_TRUE(clickHint(w, "Stop monitorowania"));
    EXPECT_FALSE(cycle.isActive());
    EXPECT_EQ(messages.shown.size(), 1U);
}

TEST_F(MainWindowCaptions, ToggleCaptionsFollowTheirState) {
    app::ui::TForm34& w = start();

    auto* properties = find<QToolButton>("ToolButton1");
    ASSERT_FALSE(w.session().settings().propertiesPanelShown());
    properties->click();
    EXPECT_TRUE(w.session().settings().propertiesPanelShown());
    EXPECT_EQ(properties->text(), "X");
    properties->click();
    EXPECT_FALSE(w.session().settings().propertiesPanelShown());
    EXPECT_EQ(properties->text(), ">");
    EXPECT_EQ(find<QWidget>("Panel4")->maximumWidth(), 4);

    auto* browser =
        find<QWidget>("Panel1")->findChild<QToolButton*>(QStringLiteral("SpeedButton1"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->text(), "X");
    browser->click();
    EXPECT_FALSE(w.session().settings().fileBrowserExpanded());
    EXPECT_EQ(browser->text(), ">");
    browser->click();
    EXPECT_TRUE(w.session().settings().fileBrowserExpanded());
    EXPECT_EQ(browser->text(), "X");

    // The advanced channel fields unfold and fold under the two stored captions.
    auto* advanced = find<QLabel>("Label68");
    QTest::mouseClick(advanced, Qt::LeftButton);
    EXPECT_EQ(advanced->text(), w.messageText(5));
    QTest::mouseClick(advanced, Qt::LeftButton);
    EXPECT_EQ(advanced->text(), w.messageText(6));
}

TEST_F(MainWindowCaptions, MessageTextsKeepTheirIndices) {
    const app::ui::TForm34& w = start();
    const QStringList expected = {
        "Ustaw częstotliwość próbkowania",
        "Ustaw częstość odświeżania",
        "Ustaw serię do analizy",
        "Brak danych do analizy",
        "Kanał jest nieaktywny",
        QStringLiteral("Zaawansowane kanały \t\t\tschowaj") + QString(12, QLatin1Char(' ')),
        QStringLiteral("Zaawansowane kanały") + QString(30, QLatin1Char(' ')) +
            QStringLiteral("szczegóły >>") + QString(6, QLatin1Char(' ')),
        "Brak serii do analizy",
        "Ustaw częstość pomiarów",
    };
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(w.messageText(i), expected[i]) << i;
    }
}

TEST(Captions, ModeRadioButtonsChooseTheModeTheyName) {
    acquisition::SettingsRecord record;
    const monitor::ui::ProgramSettingsPage program(record);
    // Each click flips its flag away from the zeroed record's value and back.
    const std::vector<std::pair<const char*, std::function<bool()>>> programModes = {
        {"Raporty",
         [&] {
             return record.reportsMode();
         }},
        {"Pomiary",
         [&] {
             return !record.reportsMode();
         }},
        {"Słupkowy",
         [&] {
             return record.barChart();
         }},
        {"Liniowy",
         [&] {
             return !record.barChart();
         }},
        {"Dynamiczne",
         [&] {
             return record.dynamicMode();
         }},
        {"Statyczne",
         [&] {
             return !record.dynamicMode();
         }},
    };
    for (const auto& [caption, chosen] : programModes) {
        ASSERT_TRUE(clickCaption(program, QString::fromUtf8(caption))) << caption;
        EXPECT_TRUE(chosen()) << caption;
    }

    testing::ScriptedMessages messages;
    const bench::ui::BenchSettingsPage bench(record, messages);
    ASSERT_TRUE(clickCaption(bench, "Próba zgodności z normą ZUAT-15/"));
    EXPECT_EQ(record.testType(), 1);
    ASSERT_TRUE(clickCaption(bench, "Próba odkształcenia"));
    EXPECT_EQ(record.testType(), 0);
}

TEST(Captions, BenchButtonsNameWhatTheyDo) {
    const bench::ui::BenchTestsPage tests;
    const std::vector<std::pair<const QPushButton*, const char*>> buttons = {
        {tests.startButton(), "START"},        {tests.stopButton(), "STOP"},
        {tests.prepareButton(), "PRZYGOTUJ"},  {tests.emergencyUpButton(), "^"},
        {tests.emergencyStopButton(), "STOP"}, {tests.emergencyDownButton(), "v"},
        {tests.resetButton(), "RESET"},
    };
    for (const auto& [button, caption] : buttons) {
        EXPECT_EQ(button->text(), QString::fromUtf8(caption)) << caption;
    }
    const auto* emergency = tests.findChild<QGroupBox*>();
    ASSERT_NE(emergency, nullptr);
    EXPECT_EQ(emergency->title(), " Awaria: ");
    for (const QPushButton* button : {tests.emergencyUpButton(), tests.emergencyStopButton(),
                                      tests.emergencyDownButton(), tests.resetButton()}) {
        EXPECT_TRUE(emergency->isAncestorOf(button)) << button->objectName().toStdString();
    }

    // Each motion button's arrow names the direction of the command beside it, in the record's
    // order: emergency up, stop, emergency down, then up or down for each phase.
    acquisition::SettingsRecord record;
    testing::ScriptedMessages messages;
    const bench::ui::TForm9 parameters(record, messages);
    const std::map<QString, QString> commandOf = {
        {"^", "#1 x0;0 y250;250 &"}, {"v", "#1 x250;250 y0;0 &"}, {"Stop", "#1 x0;0 y0;0 &"}};
    const QStringList arrows = {"^", "Stop", "v", "^", "v", "v", "^", "^", "v"};
    ASSERT_EQ(arrows.size(), bench::ui::TForm9::kCommandCount);
    for (int i = 0; i < bench::ui::TForm9::kCommandCount; ++i) {
        EXPECT_EQ(parameters.commandButton(i)->text(), arrows[i]) << i;
        EXPECT_EQ(parameters.commandEdit(i)->text(), commandOf.at(arrows[i])) << i;
    }
}

TEST(Captions, TestRecordItemsBeginWithTheBenchParameters) {
    const bench::ui::TForm10 testRecord;
    const QStringList items = testRecord.memo1()->toPlainText().split(QLatin1Char('\n'));
    // "ZATWIERDŹ" accepts exactly one value line per item.
    ASSERT_EQ(items.size(), 20);
    EXPECT_TRUE(testRecord.memo2()->toPlainText().isEmpty());

    // "USTAWIENIA" copies these five parameters into the first value lines.
    acquisition::SettingsRecord record;
    testing::ScriptedMessages messages;
    const bench::ui::BenchSettingsPage settings(record, messages);
    const char* const parameters[] = {"LabeledEdit24", "LabeledEdit25", "LabeledEdit27",
                                      "LabeledEdit28", "LabeledEdit29"};
    for (int i = 0; i < 5; ++i) {
        const auto* edit = settings.findChild<LabeledEdit*>(QLatin1String(parameters[i]));
        ASSERT_NE(edit, nullptr) << parameters[i];
        EXPECT_EQ(edit->caption(), items[i]) << parameters[i];
    }
}

TEST(Captions, AdvancedPageStartsWithItsOptionsOffAndItsDefaults) {
    const monitor::ui::AdvancedPage advanced;
    for (const char* name : {"CheckBox6", "CheckBox13", "CheckBox14", "CheckBox16", "CheckBox17"}) {
        EXPECT_FALSE(advanced.findChild<QAbstractButton*>(QLatin1String(name))->isChecked())
            << name;
    }
    EXPECT_TRUE(advanced.findChild<QWidget*>(QStringLiteral("LabeledEdit18"))->isHidden());
    EXPECT_TRUE(advanced.findChild<QWidget*>(QStringLiteral("Memo4"))->isHidden());
    // The address pattern, the dynamic save period and folder the recording reads.
    const auto* address = advanced.findChild<QLineEdit*>(QStringLiteral("Edit45"));
    EXPECT_EQ(address->text(), "AaBbCcDd");
    EXPECT_EQ(address->maxLength(), 80);
    const auto* every = advanced.findChild<QLineEdit*>(QStringLiteral("Edit46"));
    EXPECT_EQ(every->text(), "00:30:00");
    EXPECT_EQ(every->maxLength(), 10);
    EXPECT_EQ(advanced.findChild<LabeledEdit*>(QStringLiteral("LabeledEdit19"))->text(),
              "dynamic/");
}

} // namespace
} // namespace korvanta
