#include "acquisition/settings_file.h"
#include "common/ui/labeled_edit.h"
#include "monitor/ui/monitoring_controller.h"
#include "ui/main_window/main_window_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

using namespace korvanta;
using korvanta::common::ui::LabeledEdit;
using korvanta::testing::MainWindowTest;

TEST_F(MainWindowTest, SaveConfigurationAppendsTheExtensionOnce) {
    app::ui::TForm34& w = start();
    w.session().settings().setConfigDirectory(path("cfg/"));
    dialogs.saveAnswers = {path("setup"), path("second.bupas"), std::nullopt};
    w.Button5Click();
    w.Button5Click();
    w.Button5Click();
    ASSERT_EQ(dialogs.saveRequests.size(), 3U);
    EXPECT_EQ(dialogs.saveRequests[0].initialDirectory, path("cfg/"));
    EXPECT_EQ(dialogs.saveRequests[0].fileName, ".bupas");
    EXPECT_EQ(dialogs.saveRequests[0].filter, "*.bupas file|*.bupas");
    EXPECT_TRUE(QFile::exists(path("setup.bupas")));
    EXPECT_TRUE(QFile::exists(path("second.bupas")));
    EXPECT_FALSE(QFile::exists(path("second.bupas.bupas")));
    EXPECT_EQ(QDir(w.session().settings().configDirectory()), QDir(path(".")));
    EXPECT_TRUE(w.session().settings().configDirectory().endsWith('/'));
    acquisition::SettingsRecord saved;
    ASSERT_TRUE(acquisition::readSettingsDump(path("setup.bupas"), saved));
    EXPECT_EQ(saved.windowWidth(), w.width());
}

TEST_F(MainWindowTest, SaveConfigurationFailureShowsSaveError) {
    app::ui::TForm34& w = start();
    messages.shown.clear();
    dialogs.saveAnswers = {path("missing/dir/setup")};
    w.Button5Click();
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text, "Save error ");
    EXPECT_EQ(messages.shown[0].caption, "DIM");
}

TEST_F(MainWindowTest, OpenConfigurationAppliesTheRecord) {
    attachAcquisition();
    acquisition::SettingsRecord config;
    config.setPanel1Width(3);
    config.setPropertiesPanelWidth(300);
    config.setPanel3Height(250);
    config.setPeriodText(QStringLiteral("00:00:00.500"));
    config.setSaveEveryText(QStringLiteral("7"));
    config.setSaveEvery(true);
    config.setEditedChannel(2);
    config.setActive(2, true);
    config.setChannelName(2, QStringLiteral("Moc W"));
    config.setChartCoefficient(2, 50);
    config.setChartCoefficient(9, 4);
    config.setLowerLimitText(QStringLiteral("-5"));
    config.setUpperLimitText(QStringLiteral("5"));
    config.setReportsMode(true);
    ASSERT_TRUE(acquisition::writeSettingsDump(path("c.bupas"), config));

    app::ui::TForm34& w = start();
    w.session().settings().setConfigDirectory(path(""));
    w.monitoring().ToolButton2Click();
    ASSERT_TRUE(w.monitoring().Timer1->isActive());
    dialogs.openAnswers = {path("c.bupas")};
    w.Button4Click();

    const acquisition::SettingsRecord& s = w.session().settings();
    EXPECT_EQ(s.panel1Width(), 22);
    EXPECT_EQ(s.periodText(), "00:00:00.500");
    for (int k = 1; k <= 64; ++k) {
        EXPECT_EQ(s.chartCoefficient(k), 1) << k;
    }
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit9")->text(), "00:00:00.500");
    EXPECT_EQ(find<QLineEdit>("Edit9")->text(), "7");
    EXPECT_TRUE(find<QCheckBox>("CheckBox4")->isChecked());
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit1")->text(), "Moc W");
    EXPECT_EQ(find<LabeledEdit>("LabeledEdit6")->text(), "1");
    EXPECT_EQ(find<QLineEdit>("Edit10")->text(), "-5");
    EXPECT_TRUE(find<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_FALSE(w.monitoring().Timer1->isActive());
    EXPECT_EQ(w.session().saveCounter().value(), 0);
    // Operator mode keeps the "Obiekt" tab out of sight; service mode shows and selects it.
    auto* pages = find<QTabWidget>("PageControl1");
    EXPECT_FALSE(korvanta::testing::tabVisible(pages, "TabSheet1"));
    EXPECT_NE(pages->currentWidget(), find<QWidget>("TabSheet1"));
    w.Button11Click();
    pages->setCurrentWidget(find<QWidget>("TabSheet2"));
    dialogs.openAnswers = {path("c.bupas")};
    w.Button4Click();
    EXPECT_TRUE(korvanta::testing::tabVisible(pages, "TabSheet1"));
    EXPECT_EQ(pages->currentWidget(), find<QWidget>("TabSheet1"));
}

TEST_F(MainWindowTest, OpenConfigurationThatCannotBeReadKeepsTheRecord) {
    app::ui::TForm34& w = start();
    const QByteArray before(reinterpret_cast<const char*>(w.session().settings().bytes()),
                            static_cast<qsizetype>(acquisition::SettingsRecord::kSize));
    dialogs.openAnswers = {path("nothing.bupas")};
    w.Button4Click();
    ASSERT_EQ(messages.countShown("Open error "), 1);
    EXPECT_EQ(messages.shown.back().caption, "DIM");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(w.session().settings().bytes()),
                         static_cast<qsizetype>(acquisition::SettingsRecord::kSize)),
              before);
}
