#include "bench/parameter_text.h"
#include "common/conversion_error.h"
#include "common/number_format.h"

#include <QFile>
#include <cfloat>
#include <gtest/gtest.h>

using namespace korvanta::common;

TEST(NumberFormat, PatternsRoundAndPad) {
    setDecimalSeparator(QLatin1Char('.'));
    EXPECT_EQ(formatFloat("##0.00", 100.0), "100.00");
    EXPECT_EQ(formatFloat("##0.00", 0.125), "0.13");
    EXPECT_EQ(formatFloat("##0", 2.5), "3");
    EXPECT_EQ(formatFloat("##0.0", -0.5), "-0.5");
    EXPECT_EQ(formatFloat("##0.0", -0.01), "0.0");
    EXPECT_EQ(formatFloat(".0000", 0.5), ".5000");
    EXPECT_EQ(formatFloat(".0000", -1.25), "-1.2500");
    EXPECT_EQ(formatFloat("#0.0000", -0.5), "-0.5000");
    EXPECT_EQ(formatFloat("#0.0000", 12345.0), "12345.0000");
    EXPECT_EQ(formatFloat("##0.0###", 1.5), "1.5");
    EXPECT_EQ(formatFloat("##0.0###", 1.23456), "1.2346");
    EXPECT_EQ(formatFloat("##0.0#", 2.0), "2.0");
    EXPECT_EQ(formatFloat("  ##0.00", 499.0234), "  499.02");
    EXPECT_EQ(formatFloat("0.000", 0.9999), "1.000");
    EXPECT_EQ(formatFloat("##0.000", 999.9996), "1000.000");
}

TEST(NumberFormat, SeparatorAppliesToFormatAndParse) {
    setDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(formatFloat("##0.00", 1.5), "1,50");
    EXPECT_DOUBLE_EQ(parseDouble(" 2,25 "), 2.25);
    EXPECT_THROW(parseDouble("2.25"), ConversionError);
    setDecimalSeparator(QLatin1Char('.'));
    EXPECT_DOUBLE_EQ(parseDouble("-1e3"), -1000.0);
    EXPECT_THROW(parseDouble(""), ConversionError);
    EXPECT_THROW(parseDouble("1 2"), ConversionError);
    EXPECT_THROW(parseDouble("abc"), ConversionError);
}

TEST(NumberFormat, ParseIntRejectsNonIntegers) {
    EXPECT_EQ(parseInt(" 42"), 42);
    EXPECT_EQ(parseInt("-7"), -7);
    EXPECT_THROW(parseInt("4.2"), ConversionError);
    EXPECT_THROW(parseInt(""), ConversionError);
    EXPECT_THROW(parseInt("99999999999"), ConversionError);
    EXPECT_EQ(formatGeneral(0.1), "0.1");
    EXPECT_EQ(formatGeneral(2.0), "2");
}

namespace {

QString textFixture(const char* name) {
    QFile file(QStringLiteral(KORVANTA_TEST_DATA "/texts/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

} // namespace

// A '+' followed by a '-' once passed as a negative number.
TEST(NumberFormat, TwoSignsAreNoNumber) {
    const QString text = textFixture("number_plus_minus.txt");
    ASSERT_EQ(text, "+-2.");
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        setDecimalSeparator(separator);
        EXPECT_THROW(parseDouble(text), ConversionError);
        EXPECT_THROW(parseDouble(" +-2 "), ConversionError);
        EXPECT_THROW(parseInt("+-2"), ConversionError);
        EXPECT_DOUBLE_EQ(parseDouble("+2"), 2.0);
        EXPECT_DOUBLE_EQ(parseDouble("-2"), -2.0);
        EXPECT_EQ(parseInt(" +2"), 2);
    }
    try {
        parseDouble(text);
        FAIL() << "no conversion error";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.message(), "'+-2.' is not a valid floating point value");
    }
    setDecimalSeparator(QLatin1Char('.'));
}

// The largest double once came out as 1.79769313486232E+308, past the range, so the program
// refused its own text when it read it back.
TEST(NumberFormat, GeneralFormOfTheLargestValuesReadsBack) {
    setDecimalSeparator(QLatin1Char('.'));
    const double largest = parseDouble(textFixture("number_largest_double.txt"));
    ASSERT_EQ(largest, DBL_MAX);
    for (const double value : {largest, -largest, std::nextafter(largest, 0.0)}) {
        const QString text = formatGeneral(value);
        EXPECT_EQ(text, value > 0 ? "1.79769313486231E+308" : "-1.79769313486231E+308");
        EXPECT_NEAR(parseDouble(text), value, DBL_MAX * 1e-14);
        EXPECT_NEAR(*korvanta::bench::parseCommaDouble(korvanta::bench::commaText(value)), value,
                    DBL_MAX * 1e-14);
        setDecimalSeparator(QLatin1Char('.'));
    }
    EXPECT_EQ(formatGeneral(1.5e308), "1.5E+308");
    EXPECT_EQ(formatGeneral(1.79769313486231e308), "1.79769313486231E+308");
    EXPECT_EQ(generalText(-2.5e-7), "-2.5e-07");
    EXPECT_EQ(korvanta::bench::commaText(DBL_MAX), "1,79769313486231e+308");
}
