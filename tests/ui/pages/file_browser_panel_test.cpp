// The file browser: masks of the file list, refresh, directory navigation and the name box.
#include "files/drive_roots.h"
#include "files/ui/file_browser_panel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvanta::files::ui {
namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class FileBrowserPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char* name : {"a.dan", "B.DAN", "c.txt", "d.xls", "e.csv", "noext"}) {
            touch(dir.filePath(QLatin1String(name)));
        }
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        panel.setDirectory(dir.path());
    }
    void TearDown() override { QDir::setCurrent(startDirectory); }

    void trigger(const char* item) {
        auto* action = panel.findChild<QAction*>(QLatin1String(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }

    QString startDirectory = QDir::currentPath();
    QTemporaryDir dir;
    FileBrowserPanel panel;
};

TEST_F(FileBrowserPanelTest, MenuMasksChooseTheFilesListed) {
    EXPECT_EQ(panel.mask(), QStringLiteral("*.dan;*.txt;"));
    EXPECT_EQ(panel.files(), (QStringList{"a.dan", "B.DAN", "c.txt"}));

    trigger("Pokaplikidanychdan1");
    EXPECT_EQ(panel.mask(), QStringLiteral("*.dan;"));
    EXPECT_EQ(panel.fileName(), QStringLiteral("*.dan;"));
    EXPECT_EQ(panel.files(), (QStringList{"a.dan", "B.DAN"}));

    trigger("Pokaplikitxtxls1");
    EXPECT_EQ(panel.mask(), QStringLiteral("*.txt;*.xls;"));
    EXPECT_EQ(panel.files(), (QStringList{"c.txt", "d.xls"}));

    trigger("Pokawszystkiepliki1");
    EXPECT_EQ(panel.mask(), QStringLiteral("*.*;"));
    EXPECT_EQ(panel.files(), (QStringList{"a.dan", "B.DAN", "c.txt", "d.xls", "e.csv", "noext"}));
}

TEST_F(FileBrowserPanelTest, RefreshShowsNewFiles) {
    touch(dir.filePath(QStringLiteral("f.dan")));
    EXPECT_FALSE(panel.files().contains(QStringLiteral("f.dan")));
    trigger("Update1");
    EXPECT_TRUE(panel.files().contains(QStringLiteral("f.dan")));
    QFile::remove(dir.filePath(QStringLiteral("a.dan")));
    panel.refresh();
    EXPECT_FALSE(panel.files().contains(QStringLiteral("a.dan")));
}

TEST_F(FileBrowserPanelTest, EnteringADirectoryMakesItCurrent) {
    EXPECT_EQ(panel.subdirectories(), QStringList{QStringLiteral("sub")});
    const QString sub = QDir(dir.path()).canonicalPath() + QStringLiteral("/sub");

    panel.enterDirectory(QStringLiteral("sub"));
    EXPECT_EQ(QDir::current().canonicalPath(), sub);
    EXPECT_EQ(QDir(panel.directory()).canonicalPath(), sub);
    EXPECT_TRUE(panel.files().isEmpty());

    panel.enterDirectory(QStringLiteral(".."));
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(dir.path()).canonicalPath());

    panel.enterDirectory(QStringLiteral("missing"));
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(dir.path()).canonicalPath());
}

TEST_F(FileBrowserPanelTest, SettingTheDirectoryLeavesTheCurrentOneAndIgnoresMissingOnes) {
    const QString before = QDir::currentPath();
    panel.setDirectory(dir.filePath(QStringLiteral("sub")));
    EXPECT_EQ(QDir::currentPath(), before);
    panel.setDirectory(dir.filePath(QStringLiteral("nothing here")));
    EXPECT_EQ(QDir(panel.directory()).canonicalPath(),
              QDir(dir.filePath(QStringLiteral("sub"))).canonicalPath());
}

TEST_F(FileBrowserPanelTest, CollapseButtonTogglesItsCaption) {
    QSignalSpy toggled(&panel, &FileBrowserPanel::expandedToggled);
    auto* button = panel.findChild<QToolButton*>(QStringLiteral("SpeedButton1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("X"));
    button->click();
    EXPECT_EQ(button->text(), QStringLiteral(">"));
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_FALSE(toggled.at(0).at(0).toBool());
    panel.setExpanded(true);
    EXPECT_EQ(button->text(), QStringLiteral("X"));
    EXPECT_EQ(toggled.count(), 1);
}

TEST_F(FileBrowserPanelTest, ClickedFileGoesIntoTheNameBox) {
    QSignalSpy opened(&panel, &FileBrowserPanel::fileDoubleClicked);
    auto* list = panel.findChild<QListWidget*>(QStringLiteral("FileListBox1"));
    ASSERT_NE(list, nullptr);
    QListWidgetItem* item = list->item(2);
    ASSERT_NE(item, nullptr);
    emit list->itemClicked(item);
    EXPECT_EQ(panel.fileName(), QStringLiteral("c.txt"));
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(panel.fileName(), QStringLiteral("a.dan"));
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.at(0).at(0).toString(), QStringLiteral("a.dan"));
}

TEST_F(FileBrowserPanelTest, TheDriveBoxOffersThePlacesAndShowsTheOneOfTheDirectory) {
    auto* drives = panel.findChild<QComboBox*>(QStringLiteral("DriveComboBox2"));
    ASSERT_NE(drives, nullptr);
    QStringList offered;
    for (int i = 0; i < drives->count(); ++i) {
        offered << drives->itemText(i);
    }
    EXPECT_EQ(offered, currentDriveRoots());
    EXPECT_EQ(offered.first(), QDir::rootPath());
    EXPECT_TRUE(offered.contains(QDir::cleanPath(QDir::homePath())));

    // The shown place is the deepest one that holds the directory.
    const QString directory = QDir(dir.path()).absolutePath();
    const QString shown = drives->currentText();
    EXPECT_TRUE(shown == QDir::rootPath() || directory.startsWith(shown + QLatin1Char('/')))
        << shown.toStdString();
    for (const QString& place : offered) {
        if (directory.startsWith(place + QLatin1Char('/'))) {
            EXPECT_LE(place.size(), shown.size()) << place.toStdString();
        }
    }
    panel.setDirectory(QDir::rootPath());
    EXPECT_EQ(drives->currentText(), QDir::rootPath());
    panel.setDirectory(QDir::homePath());
    EXPECT_EQ(drives->currentText(), QDir::cleanPath(QDir::homePath()));
}

} // namespace
} // namespace korvanta::files::ui
