#include "acquisition/measurement_header.h"

#include <QByteArray>
#include <cstring>
#include <gtest/gtest.h>

using korvanta::acquisition::MojPliNaglowkowyPomiarow;

TEST(MeasurementHeader, ConstructorSetsTextsAndDatesOnly) {
    std::array<unsigned char, 17344> storage;
    storage.fill(0xAB);
    MojPliNaglowkowyPomiarow header(storage);
    EXPECT_EQ(std::memcmp(storage.data() + 3544, "P8\0", 3), 0);
    EXPECT_EQ(std::memcmp(storage.data() + 3548, "ZARO system ORBIS \0", 19), 0);
    EXPECT_STREQ(header.formatTag(), "P8");
    EXPECT_STREQ(header.systemName(), "ZARO system ORBIS ");
    for (std::size_t i = 4552; i < 4568; ++i) {
        EXPECT_EQ(storage[i], 0) << i;
    }
    EXPECT_EQ(header.firstDate(), 0.0);
    EXPECT_EQ(header.secondDate(), 0.0);
    const auto untouched = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            if (storage[i] != 0xAB) {
                return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(untouched(0, 3544)) << "the control-block image is left as it was";
    EXPECT_TRUE(untouched(3567, 4552));
    EXPECT_TRUE(untouched(4568, 17344));
    EXPECT_EQ(header.controlBlockImage(), storage.data());

    header.setFirstDate(1.5);
    header.setSecondDate(-0.5);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(storage.data() + 4552), 16),
              QByteArray("\0\0\0\0\0\0\xF8\x3F\0\0\0\0\0\0\xE0\xBF", 16));
}
