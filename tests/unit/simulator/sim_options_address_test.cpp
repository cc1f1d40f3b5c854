#include "simulator/sim_options.h"

#include <gtest/gtest.h>

namespace korvanta::simulator {
namespace {

TEST(SimOptionsAddress, EachSystemCanCarryAnOffsetOfItsOwn) {
    const ParsedOptions plain = parseSimOptions({QStringLiteral("--addresses"), "AaB"});
    ASSERT_TRUE(plain.error.isEmpty());
    EXPECT_EQ(plain.options.addresses, QStringLiteral("AaB"));
    EXPECT_EQ(plain.options.addressOffset, 0.0) << "the systems share their data unless asked";

    const ParsedOptions offset =
        parseSimOptions({QStringLiteral("--addresses"), "AaB", "--address-offset=-12.5"});
    ASSERT_TRUE(offset.error.isEmpty()) << offset.error.toStdString();
    EXPECT_EQ(offset.options.addressOffset, -12.5);

    const ParsedOptions bad = parseSimOptions({QStringLiteral("--address-offset"), "sto"});
    EXPECT_TRUE(bad.error.startsWith(QStringLiteral("--address-offset")))
        << bad.error.toStdString();
    EXPECT_TRUE(usageText().contains(QStringLiteral("--address-offset STEP")));
}

} // namespace
} // namespace korvanta::simulator
