#include "common/cp1250.h"

#include <gtest/gtest.h>

using namespace korvanta::common;

TEST(Cp1250, PolishLettersAndUnknownCharacters) {
    EXPECT_EQ(toCp1250(QStringLiteral("RÓŻNICA")), QByteArray("\x52\xD3\xAF\x4E\x49\x43\x41"));
    const QString polish = QStringLiteral("ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ");
    EXPECT_EQ(fromCp1250(toCp1250(polish)), polish);
    EXPECT_EQ(toCp1250(QStringLiteral("a\u03C6b\U0001F600c")), QByteArray("a?b?c"));
    EXPECT_EQ(fromCp1250(QByteArray("\x81", 1)), QString(QChar(0xFFFD)));
}

TEST(Cp1250, FixedFieldsAreCutAndTerminated) {
    unsigned char field[6];
    std::fill(std::begin(field), std::end(field), 0xAA);
    writeFixedText(field, sizeof field, QStringLiteral("ŁódźXYZ"));
    EXPECT_EQ(field[5], 0);
    EXPECT_EQ(readFixedText(field, sizeof field), QStringLiteral("ŁódźX"));
    writeFixedText(field, sizeof field, QStringLiteral("ab"));
    EXPECT_EQ(field[2], 0);
    EXPECT_EQ(field[4], 0);
    EXPECT_EQ(readFixedText(field, sizeof field), QStringLiteral("ab"));
    const unsigned char full[3] = {'x', 'y', 'z'};
    EXPECT_EQ(readFixedText(full, sizeof full), QStringLiteral("xyz"));
}

TEST(Cp1250, BytesInPlaceDecodeLikeAByteArray) {
    EXPECT_EQ(fromCp1250(std::string_view("k1 12:00")), QStringLiteral("k1 12:00"));
    EXPECT_EQ(fromCp1250(std::string_view("\xA3\xF3\x64\x9F")), QStringLiteral("Łódź"));
    EXPECT_EQ(fromCp1250(std::string_view("a\0b", 3)),
              QString(QStringLiteral("a")) + QChar(0) + QLatin1Char('b'));
    EXPECT_TRUE(fromCp1250(std::string_view()).isEmpty());
}
