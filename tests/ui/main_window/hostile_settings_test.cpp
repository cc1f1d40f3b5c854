// Settings files that no user wrote: absurd geometry and huge panels are fitted to the screen
// and the window.

#include "acquisition/settings_file.h"
#include "ui/main_window/main_window_fixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <climits>

using namespace korvanta;
using korvanta::testing::MainWindowTest;

namespace {

struct StoredGeometry {
    int left, top, width, height;
};

QRect availableScreen() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

void expectPanelsFitTheWindow(const app::ui::TForm34& w) {
    const auto* sides = w.findChild<QSplitter*>(QStringLiteral("Splitter1"));
    const auto* chart = w.findChild<QWidget*>(QStringLiteral("Panel3"));
    const auto* properties = w.findChild<QWidget*>(QStringLiteral("Panel4"));
    EXPECT_LE(sides->sizes().value(0), w.width());
    EXPECT_LE(chart->height(), w.height());
    EXPECT_LE(properties->maximumWidth(), w.width());
}

} // namespace

TEST_F(MainWindowTest, AbsurdStoredGeometryIsFittedToTheScreen) {
    const QRect screen = availableScreen();
    const StoredGeometry cases[] = {{INT_MAX, INT_MIN, INT_MAX, INT_MAX},
                                    {-2000000000, 2000000000, 50000, 3},
                                    {screen.right() - 10, screen.bottom() - 10, 300, 200},
                                    {INT_MIN, 5, 1, INT_MAX}};
    for (const StoredGeometry& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.left << ' ' << c.top << ' ' << c.width << ' ' << c.height);
        acquisition::SettingsRecord stored;
        stored.setWindowGeometry(c.left, c.top, c.width, c.height);
        stored.setPanel1Width(INT_MAX);
        stored.setPropertiesPanelWidth(INT_MAX);
        stored.setPanel3Height(INT_MAX);
        ASSERT_TRUE(acquisition::writeSettingsDump(settingsPath(), stored));

        app::ui::TForm34& w = start();
        EXPECT_TRUE(screen.contains(QRect(w.pos(), w.size())))
            << w.x() << ' ' << w.y() << ' ' << w.width() << ' ' << w.height();
        expectPanelsFitTheWindow(w);

        // Once shown, with its frame known, "Otwórz konfig." keeps the whole frame on the screen.
        w.show();
        w.session().settings().setConfigDirectory(path(QString()));
        dialogs.openAnswers = {settingsPath()};
        w.Button4Click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(screen.contains(w.frameGeometry()))
            << w.frameGeometry().x() << ' ' << w.frameGeometry().y() << ' '
            << w.frameGeometry().width() << ' ' << w.frameGeometry().height();
        expectPanelsFitTheWindow(w);
        window.reset();
    }
}

TEST_F(MainWindowTest, StoredGeometryThatFitsIsAppliedAsItStands) {
    const QRect screen = availableScreen();
    app::ui::TForm34& first = start();
    const QSize least = first.minimumSizeHint();
    window.reset();
    ASSERT_TRUE(screen.width() > least.width() + 30 && screen.height() > least.height() + 30)
        << "the screen is too small for this check";
    acquisition::SettingsRecord stored;
    stored.setWindowGeometry(screen.left() + 20, screen.top() + 10, least.width() + 5,
                             least.height() + 7);
    ASSERT_TRUE(acquisition::writeSettingsDump(settingsPath(), stored));
    app::ui::TForm34& w = start();
    EXPECT_EQ(w.pos(), QPoint(screen.left() + 20, screen.top() + 10));
    EXPECT_EQ(w.size(), QSize(least.width() + 5, least.height() + 7));
}
