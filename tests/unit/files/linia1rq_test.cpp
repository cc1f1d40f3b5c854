#include "common/number_format.h"
#include "files/linia1rq.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale.h>
#include <random>
#include <string>

using korvanta::files::Linia1RQ;

namespace {

// A parser that has already read a first line, so later lines are never taken as the header.
Linia1RQ pastTheHeader() {
    Linia1RQ parser;
    parser.parse("opis");
    parser.setValueCount(1);
    return parser;
}

std::string numbers(int count) {
    std::string text;
    for (int k = 1; k <= count; ++k) {
        text.append(" ").append(std::to_string(k)).append(".5");
    }
    return text;
}

// The float the C library reads from a word, whatever the process locale.
float cFloat(const std::string& word) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtof_l(word.c_str(), nullptr, cLocale);
}

// A decimal word such as the files hold, and its rarer shapes: a sign, up to twelve digits on
// either side of the point, an exponent, something after the number.
std::string randomDecimal(std::mt19937& random) {
    const auto pick = [&random](int below) {
        return static_cast<int>(random() % static_cast<unsigned>(below));
    };
    std::string word = pick(2) == 0 ? "-" : "";
    const int integerDigits = pick(10);
    const int fractionDigits = pick(13);
    for (int k = 0; k < integerDigits; ++k) {
        word += static_cast<char>('0' + pick(10));
    }
    if (fractionDigits > 0 || pick(4) == 0) {
        word += '.';
    }
    for (int k = 0; k < fractionDigits; ++k) {
        word += static_cast<char>('0' + pick(10));
    }
    if (integerDigits + fractionDigits == 0) {
        word += '7';
    }
    if (pick(8) == 0) {
        word += (pick(2) == 0 ? "e" : "E-") + std::to_string(pick(50));
    }
    if (pick(8) == 0) {
        word += "z1";
    }
    return word;
}

} // namespace

TEST(Linia1RQ, ClassifiesDateTimeNumberedAndOtherLines) {
    Linia1RQ p = pastTheHeader();

    p.parse("2026-07-12 14:30:05.000 1.25 -2");
    EXPECT_TRUE(p.dataLine());
    EXPECT_TRUE(p.hasDate());
    EXPECT_TRUE(p.hasTime());
    EXPECT_EQ(p.date(), "2026-07-12");
    EXPECT_EQ(p.time(), "14:30:05.000");
    EXPECT_EQ(p.valueCount(), 2);
    EXPECT_FLOAT_EQ(p.value(0), 1.25f);
    EXPECT_FLOAT_EQ(p.value(1), -2.0f);

    p.parse("12-07-2026\t14:30:05 7");
    EXPECT_TRUE(p.dataLine());
    EXPECT_EQ(p.date(), "12-07-2026");
    EXPECT_EQ(p.valueCount(), 1);

    p.parse("00:00:01.500 3 4 5");
    EXPECT_TRUE(p.dataLine());
    EXPECT_FALSE(p.hasDate());
    EXPECT_EQ(p.date(), "");
    EXPECT_EQ(p.time(), "00:00:01.500");
    EXPECT_EQ(p.valueCount(), 3);

    p.parse("17 0.5");
    EXPECT_TRUE(p.dataLine());
    EXPECT_EQ(p.time(), "17");
    EXPECT_FLOAT_EQ(p.value(0), 0.5f);

    const int dataLines = p.dataLineCount();
    // A date whose second word is no time is not a data line, although it starts with a digit.
    const std::string_view others[] = {
        "2026-07-12 abc 5", "2026-07-12", "opis 1 2", "", "   ", "-5 6", std::string_view()};
    for (const std::string_view other : others) {
        p.parse(other);
        EXPECT_FALSE(p.dataLine()) << other;
        EXPECT_FALSE(p.hasDate()) << other;
        EXPECT_FALSE(p.hasTime()) << other;
    }
    EXPECT_EQ(p.dataLineCount(), dataLines);
    // A line that is not a data line leaves the date and time of the last data line.
    EXPECT_EQ(p.time(), "17");
    EXPECT_EQ(p.valueCount(), 1);
}

TEST(Linia1RQ, CountsConsecutiveNumericWordsUpToThirtyTwo) {
    Linia1RQ p = pastTheHeader();

    // The first non-numeric word ends the values.
    p.parse("12:00:00 5 abc 6");
    EXPECT_EQ(p.valueCount(), 1);
    // On a time or numbered line the first value word counts whatever it holds.
    p.parse("12:00:00 abc 6 x");
    EXPECT_EQ(p.valueCount(), 2);
    EXPECT_FLOAT_EQ(p.value(0), 0.0f);
    EXPECT_FLOAT_EQ(p.value(1), 6.0f);
    p.parse("3 x");
    EXPECT_EQ(p.valueCount(), 1);
    // On a date line it must look like a number.
    p.parse("2026-07-12 14:30:05 abc 6");
    EXPECT_TRUE(p.dataLine());
    EXPECT_EQ(p.valueCount(), 0);
    // A time line without values has none.
    p.parse("12:00:00");
    EXPECT_TRUE(p.dataLine());
    EXPECT_EQ(p.valueCount(), 0);

    p.parse("2026-07-12 14:30:05" + numbers(40));
    EXPECT_EQ(p.valueCount(), Linia1RQ::kMaxValues);
    EXPECT_FLOAT_EQ(p.value(31), 32.5f);

    // Slots beyond the value count keep what the last longer line left there.
    p.parse("12:00:00 9 8 7");
    p.parse("12:00:01 1");
    EXPECT_EQ(p.valueCount(), 1);
    EXPECT_FLOAT_EQ(p.value(0), 1.0f);
    EXPECT_FLOAT_EQ(p.value(2), 7.0f);
}

TEST(Linia1RQ, ReadsCNotationWhateverTheSeparatorAndConvertsPrefixes) {
    korvanta::common::setDecimalSeparator(QLatin1Char(','));
    Linia1RQ p = pastTheHeader();
    p.parse("12:00:00 1,5");
    EXPECT_EQ(korvanta::common::decimalSeparator(), QLatin1Char('.'));
    EXPECT_FLOAT_EQ(p.value(0), 1.0f); // ',' is no decimal point here

    p.parse("12:00:00 -0.5 1e3 2.5E-1 1e 1.5x - -x .5 +2");
    ASSERT_EQ(p.valueCount(), 7); // ".5" does not start with a digit or '-'
    EXPECT_FLOAT_EQ(p.value(0), -0.5f);
    EXPECT_FLOAT_EQ(p.value(1), 1000.0f);
    EXPECT_FLOAT_EQ(p.value(2), 0.25f);
    EXPECT_FLOAT_EQ(p.value(3), 1.0f);
    EXPECT_FLOAT_EQ(p.value(4), 1.5f);
    EXPECT_FLOAT_EQ(p.value(5), 0.0f);
    EXPECT_FLOAT_EQ(p.value(6), 0.0f);

    p.parse("12:00:00 +2 1e39 -1e39 1e-60 -inf");
    ASSERT_EQ(p.valueCount(), 5);
    EXPECT_FLOAT_EQ(p.value(0), 2.0f); // the first value word is not tested, and '+' is C
    EXPECT_TRUE(std::isinf(p.value(1)) && p.value(1) > 0);
    EXPECT_TRUE(std::isinf(p.value(2)) && p.value(2) < 0);
    EXPECT_EQ(p.value(3), 0.0f);
    EXPECT_TRUE(std::isinf(p.value(4)) && p.value(4) < 0);
}

TEST(Linia1RQ, GivesTheFloatsOfTheCLibrary) {
    Linia1RQ p = pastTheHeader();
    const auto expectSameFloat = [&p](const std::string& word) {
        p.parse("12:00:00 " + word);
        ASSERT_EQ(p.valueCount(), 1) << word;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(p.value(0)),
                  std::bit_cast<std::uint32_t>(cFloat(word)))
            << word;
    };
    // Mantissas at and past the 24 bits of a float, ties, the ends of the float range, powers of
    // ten at and past those a float holds exactly, signed zeros and cut-off shapes.
    const std::string tricky[] = {"16777216",
                                  "16777217",
                                  "16777215.5",
                                  "-16777217",
                                  "8388608.5",
                                  "8388609.5",
                                  "0.1",
                                  "0.3",
                                  "-0.7",
                                  "1.0000001",
                                  "1.00000005",
                                  "9999999.9",
                                  "0.0000000001",
                                  "0.00000000001",
                                  "0.1234567890",
                                  "1234567.890",
                                  "3.4028235e38",
                                  "3.4028236e38",
                                  "1e-45",
                                  "1.4e-45",
                                  "7e-46",
                                  "1.17549435e-38",
                                  "1.1754942e-38",
                                  "-0",
                                  "-0.000",
                                  "5.",
                                  "-5.",
                                  "-.5",
                                  "1.5x",
                                  "1e",
                                  "1.e5",
                                  "2.5E-1",
                                  "100.000",
                                  "99.999",
                                  "-100.000",
                                  "000000000012.5",
                                  "123456789012345678901234567890",
                                  "0.30000001192092896"};
    for (const std::string& word : tricky) {
        expectSameFloat(word);
    }
    std::mt19937 random(20261209);
    for (int k = 0; k < 200000; ++k) {
        expectSameFloat(randomDecimal(random));
    }
}

TEST(Linia1RQ, HeaderGivesDescriptionAndThirtyThreeNames) {
    Linia1RQ fresh;
    EXPECT_EQ(fresh.name(0), QStringLiteral("k1"));
    EXPECT_EQ(fresh.name(31), QStringLiteral("k32"));
    EXPECT_EQ(fresh.name(32), QString());

    Linia1RQ p;
    p.parse("opis k1  k3 ");
    EXPECT_FALSE(p.dataLine());
    EXPECT_EQ(p.description(), QStringLiteral("opis"));
    EXPECT_EQ(p.name(0), QStringLiteral("k1"));
    EXPECT_EQ(p.name(1), QStringLiteral("k3"));
    EXPECT_EQ(p.name(2), QString());
    EXPECT_EQ(p.name(31), QString());

    // Fifty names: the first 33 are kept; a long name is cut; code page 1250 is decoded.
    std::string header("opis \xA3\xF3\x64\x9F ");
    header.append(60, 'n');
    for (int k = 3; k <= 50; ++k) {
        header.append(" n").append(std::to_string(k));
    }
    Linia1RQ wide;
    wide.parse(header);
    EXPECT_EQ(wide.name(0), QStringLiteral("Łódź"));
    EXPECT_EQ(wide.name(1), QString(39, QLatin1Char('n')));
    EXPECT_EQ(wide.name(32), QStringLiteral("n33"));

    // Once the value count is set no line is a header any more.
    wide.setValueCount(1);
    wide.parse("inny a b");
    EXPECT_EQ(wide.description(), QStringLiteral("opis"));
    EXPECT_EQ(wide.name(32), QStringLiteral("n33"));

    // A first line that is a data line keeps the default names.
    Linia1RQ data;
    data.parse("12:00:00 1 2");
    EXPECT_EQ(data.name(1), QStringLiteral("k2"));
    EXPECT_EQ(data.description(), QString());

    data.reset();
    data.parse("");
    EXPECT_EQ(data.name(0), QString());
    data.reset();
    EXPECT_EQ(data.name(0), QStringLiteral("k1"));
    EXPECT_EQ(data.valueCount(), 0);
    EXPECT_EQ(data.dataLineCount(), 0);
    EXPECT_FLOAT_EQ(data.value(1), 0.0f);
}

TEST(Linia1RQ, CutsLongFieldsAndLooksAtNineHundredNinetyNineCharacters) {
    Linia1RQ p = pastTheHeader();
    p.parse("2026-07-12-and-more 14:30:05.000123456 1");
    EXPECT_EQ(p.date(), "2026-07-12-and-");
    EXPECT_EQ(p.time(), "14:30:05.000123");

    std::string line("12:00:00 a ");
    line.append(150, 'w');
    for (int k = 4; k <= 40; ++k) {
        line.append(" w").append(std::to_string(k));
    }
    p.parse(line);
    EXPECT_EQ(p.word(0), std::string(99, 'w')); // word 3
    EXPECT_EQ(p.word(1), "w4");
    EXPECT_EQ(p.word(31), "w34");
    EXPECT_EQ(p.word(32), "");
    EXPECT_EQ(p.word(-1), "");

    // The value that starts at character 998 is read, the one at 1000 is beyond the line.
    std::string padded = "12:00:00 1";
    padded += std::string(997 - padded.size(), ' ');
    padded += " 2 3";
    ASSERT_EQ(padded.find(" 2 3"), 997u);
    p.parse(padded);
    EXPECT_EQ(p.valueCount(), 2);
    EXPECT_FLOAT_EQ(p.value(1), 2.0f);

    std::string cut = padded;
    cut[998] = '4';
    cut[999] = '4'; // "44" with only its first digit inside the line
    p.parse(cut);
    EXPECT_FLOAT_EQ(p.value(1), 4.0f);
}
