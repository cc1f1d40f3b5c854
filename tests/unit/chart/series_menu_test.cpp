#include "chart/series_menu.h"

#include <gtest/gtest.h>

namespace korvanta::chart {
namespace {

TEST(SeriesMenuTest, ItemsFormOneExclusiveMode) {
    SeriesMenu menu;
    EXPECT_EQ(menu.mode(), SeriesClickMode::None);
    menu.choose(SeriesClickMode::YValue);
    menu.choose(SeriesClickMode::ThickLine);
    EXPECT_EQ(menu.mode(), SeriesClickMode::ThickLine);
    EXPECT_FALSE(menu.isChecked(SeriesClickMode::YValue));
    // The checked item clicked again leaves no mode.
    menu.choose(SeriesClickMode::ThickLine);
    EXPECT_EQ(menu.mode(), SeriesClickMode::None);
    EXPECT_FALSE(menu.isChecked(SeriesClickMode::None));
    // "Wartości Y dla całej serii" stays checked.
    menu.choose(SeriesClickMode::MarkedWhole);
    menu.choose(SeriesClickMode::MarkedWhole);
    EXPECT_EQ(menu.mode(), SeriesClickMode::MarkedWhole);
}

TEST(SeriesMenuTest, UncheckTouchesOnlyThatItem) {
    SeriesMenu menu;
    menu.choose(SeriesClickMode::YValue);
    menu.uncheck(SeriesClickMode::VisibleThick);
    EXPECT_EQ(menu.mode(), SeriesClickMode::YValue);
    menu.choose(SeriesClickMode::DeleteSeries);
    menu.uncheck(SeriesClickMode::DeleteSeries);
    EXPECT_EQ(menu.mode(), SeriesClickMode::None);
}

} // namespace
} // namespace korvanta::chart
