#include "acquisition/settings_file.h"
#include "common/number_format.h"
#include "common/ui/labeled_edit.h"
#include "files/ui/file_browser_panel.h"
#include "monitor/ui/monitoring_controller.h"
#include "ui/main_window/main_window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using namespace korvanta;
using korvanta::common::ui::LabeledEdit;
using korvanta::testing::MainWindowTest;
using korvanta::testing::tabVisible;

TEST_F(MainWindowTest, StartsWithDefaultsWithoutSettingsFileInReadOnlyMode) {
    app::ui::TForm34& w = start();
    const acquisition::SettingsRecord& s = w.session().settings();
    EXPECT_EQ(s.panel1Width(), 201);
    EXPECT_EQ(s.propertiesPanelWidth(), 295);
    EXPECT_EQ(s.panel3Height(), 300);
    EXPECT_EQ(s.periodText(), "00:00:01.000");
    EXPECT_EQ(s.saveEveryText(), "1");
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit9")->text(), "00:00:01.000");
    EXPECT_EQ(find<QLineEdit>("Edit10")->text(), "-100");
    EXPECT_EQ(find<QLineEdit>("Edit11")->text(), "100");
    EXPECT_EQ(w.statusPanelText(1), "Ustawiono domyślne parametry");
    EXPECT_EQ(w.windowTitle(), "ZARO Korvanta - korvanta");

    EXPECT_TRUE(w.session().link().readOnlyMode());
    EXPECT_EQ(messages.countShown("Tryb tylko do odczytu"), 1);
    EXPECT_FALSE(find<QToolButton>("ToolButton2")->isEnabled());
    EXPECT_FALSE(find<QToolButton>("ToolButton4")->isEnabled());
    EXPECT_FALSE(find<QToolButton>("ToolButton6")->isEnabled());
    auto* pages = find<QTabWidget>("PageControl1");
    EXPECT_FALSE(tabVisible(pages, "TabSheet2"));
    EXPECT_TRUE(tabVisible(pages, "TabSheet12"));
    EXPECT_TRUE(tabVisible(pages, "TabSheet13"));
    for (const char* hidden : {"TabSheet1", "TabSheet3", "TabSheet4", "TabSheet11"}) {
        EXPECT_FALSE(tabVisible(pages, hidden)) << hidden;
    }
    EXPECT_FALSE(tabVisible(find<QTabWidget>("PageControl2"), "TabSheet6"));
}

TEST_F(MainWindowTest, RestoresTheSettingsFileAndRaisesPanelSizes) {
    acquisition::SettingsRecord stored;
    stored.setPanel1Width(5);
    stored.setPropertiesPanelWidth(10);
    stored.setPanel3Height(3);
    stored.setChartCoefficient(2, 7);
    stored.setChartCoefficient(64, -3);
    stored.setInputNumber(3, 0);
    stored.setInputNumber(4, 9);
    stored.setPeriodText(QStringLiteral("00:00:02.500"));
    stored.setChannelName(1, QStringLiteral("Napięcie V"));
    stored.setDynamicMode(true);
    stored.setEditedChannel(4);
    ASSERT_TRUE(acquisition::writeSettingsDump(settingsPath(), stored));

    app::ui::TForm34& w = start();
    const acquisition::SettingsRecord& s = w.session().settings();
    EXPECT_EQ(s.panel1Width(), 22);
    EXPECT_EQ(s.propertiesPanelWidth(), 22);
    EXPECT_EQ(s.panel3Height(), 22);
    EXPECT_EQ(find<QWidget>("Panel4")->width(), 385);
    for (int k = 1; k <= 64; ++k) {
        EXPECT_EQ(s.chartCoefficient(k), 1) << k;
    }
    EXPECT_EQ(s.inputNumber(3), 1);
    EXPECT_EQ(s.inputNumber(4), 9);
    EXPECT_FALSE(s.dynamicMode());
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit9")->text(), "00:00:02.500");
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit6")->text(), "1");
    EXPECT_EQ(find<QLineEdit>("Edit2")->text(), "4");
    EXPECT_NE(w.statusPanelText(1), "Ustawiono domyślne parametry");
}

TEST_F(MainWindowTest, PolishTextsAndTheFunctionList) {
    start();
    const std::vector<std::pair<const char*, QString>> labels = {
        {"Label10", "Kanał"},
        {"Label9", "Wejście(K)"},
        {"Label15", "Wejście pomiarowe"},
        {"Label13", "Funkcja"},
        {"Label8", "Długość bufora pomiarowego"},
        {"Label11", "Liczba miejsc po przecinku"},
        {"Label24", "Granice wykresu"},
        {"Label25", "Dolna"},
        {"Label26", "Górna"},
        {"Label23", "Grubość linii"},
        {"Label1", "Właściwości pomiarów"},
        {"Label3", "Częstotliwość:"},
        {"Label4", "Rozmiar bufora:"},
        {"Label2", "Wejścia pomiarowe:"},
        {"Label68", QStringLiteral("Zaawansowane kanały") + QString(36, QLatin1Char(' ')) +
                        QStringLiteral("szczegóły >>")},
    };
    for (const auto& [name, text] : labels) {
        EXPECT_EQ(find<QLabel>(name)->text(), text) << name;
    }
    const std::vector<std::pair<const char*, QString>> edits = {
        {"LabeledEdit3", "Numery kanałów"},
        {"LabeledEdit1", "Etykieta"},
        {"LabeledEdit2", "Notatka"},
        {"LabeledEdit6", "Kalibracja"},
        {"LabeledEdit8", "Nazwa pliku"},
        {"LabeledEdit9", "Okres pomiarów"},
        {"LabeledEdit4", "Limit linii"},
        {"LabeledEdit7", "Opis pliku"},
        {"LabeledEdit10", "Współczynnik wykresu"},
        {"LabeledEdit11", "Tytuł wykresu"},
        {"LabeledEdit13", "Opis lewej osi"},
        {"LabeledEdit14", "Opis prawej osi"},
        {"LabeledEdit18", "Nazwa pliku"},
        {"LabeledEdit21", "Nowy numer wejścia"},
        {"LabeledEdit15", "Odśwież okres[ms]"},
    };
    for (const auto& [name, caption] : edits) {
        EXPECT_EQ(find<LabeledEdit>(name)->caption(), caption) << name;
    }
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit8")->text(), "plik");
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit7")->text(), "opis_pliku");
    auto* tabs = find<QTabWidget>("PageControl1");
    EXPECT_EQ(tabs->tabText(tabs->indexOf(find<QWidget>("TabSheet3"))), "Ustawienia kanałów");
    EXPECT_EQ(tabs->tabText(tabs->indexOf(find<QWidget>("TabSheet11"))), "Zaawansowane");
    EXPECT_EQ(find<QToolButton>("ToolButton2")->toolTip(), "Monitorowanie");
    EXPECT_EQ(find<QToolButton>("ToolButton27")->toolTip(), "Zamknij i wyjdź");

    auto* functions = find<QComboBox>("ComboBox1");
    const QStringList expected = {
        "ŚREDNIA",       "SUMA2", "RÓŻNICA", "WART. SKUTECZNA", "P(moc czynna)", "S(moc pozorna)",
        "Q(moc bierna)", "U",     "I",       "cos φ",           "SUMA3",         "AL154"};
    ASSERT_EQ(functions->count(), expected.size());
    for (int i = 0; i < functions->count(); ++i) {
        EXPECT_EQ(functions->itemText(i), expected[i]) << i;
    }
    EXPECT_EQ(window->messageText(8), "Ustaw częstość pomiarów");
    EXPECT_EQ(window->messageText(5),
              QStringLiteral("Zaawansowane kanały \t\t\tschowaj") + QString(12, QLatin1Char(' ')));
}

TEST_F(MainWindowTest, StartArgumentArmsTheAutomaticStartOnlyWhenAttached) {
    struct Case {
        QStringList arguments;
        bool attached;
        bool armed;
    };
    const std::vector<Case> cases = {
        {{"START"}, true, true},      {{"start"}, true, false},  {{"x", "START"}, true, false},
        {{"START", "x"}, true, true}, {{"START"}, false, false}, {{}, true, false},
    };
    for (const Case& c : cases) {
        if (c.attached) {
            attachAcquisition();
        }
        app::ui::TForm34& w = start(c.arguments);
        EXPECT_EQ(w.monitoring().Timer8->isActive(), c.armed)
            << c.arguments.join(' ').toStdString();
        EXPECT_EQ(w.monitoring().Timer8->interval(), 10000);
        window.reset();
        acquisition.reset();
        qputenv("KORVANTA_SHM_PREFIX",
                korvanta::testing::FakeAcquisition::uniquePrefix().toLatin1());
    }
}

TEST_F(MainWindowTest, AttachedModeShowsTheSystemProperties) {
    attachAcquisition(6000, 8);
    app::ui::TForm34& w = start();
    EXPECT_FALSE(w.session().link().readOnlyMode());
    EXPECT_EQ(messages.countShown("Tryb tylko do odczytu"), 0);
    EXPECT_EQ(find<QLabel>("Label6")->text(), "100.00Hz");
    EXPECT_EQ(find<QLabel>("Label7")->text(), "6000");
    EXPECT_EQ(find<QLineEdit>("Edit39")->text(), "100");
    EXPECT_EQ(w.session().link().mappedRecordCount(), 6000);
    EXPECT_TRUE(find<QToolButton>("ToolButton2")->isEnabled());
    EXPECT_TRUE(tabVisible(find<QTabWidget>("PageControl1"), "TabSheet2"));
}

TEST_F(MainWindowTest, ServiceButtonTogglesTheMonitoringControls) {
    attachAcquisition();
    app::ui::TForm34& w = start();
    auto* pages = find<QTabWidget>("PageControl1");
    EXPECT_FALSE(w.serviceMode());
    EXPECT_TRUE(find<QToolButton>("ToolButton2")->isHidden());
    w.Button11Click();
    EXPECT_TRUE(w.serviceMode());
    for (const char* page : {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4", "TabSheet11",
                             "TabSheet12", "TabSheet13"}) {
        EXPECT_TRUE(tabVisible(pages, page)) << page;
    }
    EXPECT_TRUE(tabVisible(find<QTabWidget>("PageControl2"), "TabSheet6"));
    for (const char* name : {"ToolButton2", "ToolButton4", "ToolButton6"}) {
        EXPECT_FALSE(find<QToolButton>(name)->isHidden()) << name;
    }
    w.Button11Click();
    EXPECT_FALSE(w.serviceMode());
    EXPECT_TRUE(find<QToolButton>("ToolButton6")->isHidden());
    EXPECT_TRUE(tabVisible(pages, "TabSheet12"));
    for (const char* page : {"TabSheet1", "TabSheet3", "TabSheet4", "TabSheet11"}) {
        EXPECT_FALSE(tabVisible(pages, page)) << page;
    }
    EXPECT_FALSE(tabVisible(find<QTabWidget>("PageControl2"), "TabSheet6"));
}

TEST_F(MainWindowTest, StartupPointsTheFileListAndRestoresTheTwelveSlotSelectors) {
    ASSERT_TRUE(QDir().mkpath(path("lista")));
    ASSERT_TRUE(QDir().mkpath(path("dane")));
    acquisition::SettingsRecord stored;
    stored.setFileListDirectory(path("lista"));
    stored.setDataDirectory(path("dane") + QLatin1Char('/'));
    stored.setObjectChannel(0, 5);
    stored.setExtraObjectChannel(0, 33);
    ASSERT_TRUE(acquisition::writeSettingsDump(settingsPath(), stored));

    start();
    EXPECT_EQ(QDir(find<files::ui::FileBrowserPanel>("Panel1")->directory()), QDir(path("lista")));
    EXPECT_EQ(find<QLineEdit>("Edit6")->text(), "5");
    EXPECT_EQ(find<QLineEdit>("Edit47")->text(), "0"); // the extra slots are not restored
}

TEST_F(MainWindowTest, ReadOnlyModeKeepsTheDecimalSeparatorOfTheUsersLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    common::setDecimalSeparator(QLatin1Char('.'));
    start();
    EXPECT_EQ(common::decimalSeparator(), QLatin1Char(','));
    QLocale::setDefault(previous);
    common::setDecimalSeparator(QLatin1Char('.'));
}

TEST_F(MainWindowTest, EveryTabCaptionIsWholeInServiceMode) {
    attachAcquisition();
    app::ui::TForm34& w = start();
    w.show();
    w.Button11Click();
    QTabBar* bar = find<QTabWidget>("PageControl1")->tabBar();
    int shown = 0;
    for (int i = 0; i < bar->count(); ++i) {
        if (!bar->isTabVisible(i)) {
            continue;
        }
        ++shown;
        EXPECT_GT(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i)))
            << bar->tabText(i).toStdString();
    }
    EXPECT_EQ(shown, 7);
}

TEST_F(MainWindowTest, ChartPanelFoldsToItsToolBarAndBack) {
    app::ui::TForm34& w = start();
    w.show();
    auto* fold = find<QToolButton>("SpeedButton3");
    auto* chart = find<QWidget>("Panel3");
    EXPECT_EQ(fold->text(), "X");
    const int unfolded = chart->height();

    fold->click();
    EXPECT_EQ(fold->text(), "V");
    EXPECT_FALSE(w.session().settings().chartPanelExpanded());
    EXPECT_LT(chart->height(), unfolded);

    fold->click();
    EXPECT_EQ(fold->text(), "X");
    EXPECT_TRUE(w.session().settings().chartPanelExpanded());
    EXPECT_EQ(chart->height(), unfolded);
}
