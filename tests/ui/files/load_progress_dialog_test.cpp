#include "files/ui/load_progress_dialog.h"

#include <QProgressDialog>
#include <QWidget>
#include <gtest/gtest.h>

namespace korvanta::files::ui {
namespace {

TEST(LoadProgressDialogTest, ShowsLateAndStopsTheLoadOnCancel) {
    QWidget window;
    LoadProgressDialog progress(&window, QStringLiteral("pomiar.dan"));
    QProgressDialog* dialog = progress.dialog();
    EXPECT_EQ(dialog->minimumDuration(), 500);
    EXPECT_TRUE(dialog->labelText().contains(QStringLiteral("pomiar.dan")));
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);

    const LoadProgress report = progress.callback();
    // A quick load never shows the dialog.
    EXPECT_TRUE(report(250, 1000));
    EXPECT_EQ(dialog->value(), 250);
    EXPECT_TRUE(report(2000, 4000));
    EXPECT_EQ(dialog->value(), 500);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(report(0, 0)); // a file of unknown size
    EXPECT_FALSE(progress.cancelled());

    // A load in two steps: the second fills the bar from 20 % on.
    const LoadProgress second = progress.callback(0.2, 1);
    EXPECT_TRUE(second(50, 100));
    EXPECT_EQ(dialog->value(), 600);
    EXPECT_TRUE(second(100, 100));
    EXPECT_EQ(dialog->value(), 1000);

    dialog->cancel();
    EXPECT_TRUE(progress.cancelled());
    EXPECT_FALSE(report(600, 1000));
}

} // namespace
} // namespace korvanta::files::ui
