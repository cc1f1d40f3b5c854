// The about box opens modally from the chart tool bar's help button and from the menu.
#include "about/ui/tform5.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace korvanta::testing {
namespace {

using AboutBoxTest = MainWindowTest;

// Runs `open` and reports the modal window that it brought up, closing it again.
QWidget* modalOpenedBy(const std::function<void()>& open) {
    QWidget* modal = nullptr;
    QTimer::singleShot(0, [&modal] {
        modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->accept();
        }
    });
    open();
    return modal;
}

TEST_F(AboutBoxTest, HelpButtonAndMenuItemOpenTheAboutBoxModally) {
    app::ui::TForm34& w = start();
    platform::Services services;
    services.messages = &messages;
    services.launcher = &launcher;
    about::ui::TForm5 about(services, QStringLiteral("/opt/zaro/korvanta"), &w);
    w.setDialogs(&about, nullptr, nullptr);

    auto* helpButton = find<QToolButton>("ToolButton12");
    ASSERT_NE(helpButton, nullptr);
    EXPECT_EQ(helpButton->toolTip(), QStringLiteral("Pomoc i aktualizacja"));
    EXPECT_EQ(modalOpenedBy([&] { QTest::mouseClick(helpButton, Qt::LeftButton); }), &about);

    auto* menuItem = find<QAction>("Oprogramie1");
    ASSERT_NE(menuItem, nullptr);
    EXPECT_EQ(menuItem->text(), QStringLiteral("O programie"));
    EXPECT_EQ(modalOpenedBy([&] { menuItem->trigger(); }), &about);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace korvanta::testing
