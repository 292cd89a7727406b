#include "worksheet/number.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using worksheet::formatNumber;
using worksheet::parseNumber;
using worksheet::unreadRest;

namespace {

struct ParseCase {
    const char* why;
    std::string text;
    double value;
};

const ParseCase parseCases[] = {
    {"a whole count", "12", 12},
    {"blanks before the number", "  3 trucks", 3},
    {"a blank between digits is skipped", "1 2", 12},
    {"tabs and line breaks are skipped too", "\t1\n2\r", 12},
    {"a decimal count", "2.5", 2.5},
    {"a comma stops the reading", "1,5", 1},
    {"a second decimal point stops the reading", "1.2.3", 1.2},
    {"a leading point", ".5", 0.5},
    {"a trailing point", "7.", 7},
    {"a minus sign", "-4", -4},
    {"a plus sign", "+4", 4},
    {"a blank between sign and digits", "- 4", -4},
    {"a lone sign", "-", 0},
    {"a placeholder word", "towed units", 0},
    {"a placeholder that starts with a digit-like letter", "Label41", 0},
    {"the empty text", "", 0},
    {"a single blank", " ", 0},
    {"an exponent", "1.5E3", 1500},
    {"a lower-case exponent with a sign", "25e-1", 2.5},
    {"a D exponent", "2D2", 200},
    {"a lower-case d exponent", "2d+2", 200},
    {"an exponent without digits is not read", "12E", 12},
    {"an exponent sign without digits is not read", "12E+x", 12},
    {"blanks inside the exponent", "1 E 2", 100},
    {"letters after the number", "40lb", 40},
    {"leading zeros", "007", 7},
    {"many leading zeros after the point", "0.000000000000000000000000000001", 1e-30},
    {"a huge mantissa with a negative exponent", "123456789012345678901234567890e-29", 1.2345678901234568},
    {"the smallest positive value rounds to zero below it", "1e-400", 0},
    {"an exponent beyond any int", "1e99999999999999999999999", std::numeric_limits<double>::infinity()},
    {"a count beyond double range", "1e400", std::numeric_limits<double>::infinity()},
    {"a negative count beyond double range", "-1e400", -std::numeric_limits<double>::infinity()},
    {"the largest double", "1.7976931348623157e308", 1.7976931348623157e308},
};

TEST(NumberRule, ParsesTheLeadingNumber)
{
    for (const auto& c : parseCases)
        EXPECT_EQ(parseNumber(c.text), c.value) << c.why << ": " << c.text;
}

// A long run of digits shifts the point as far as the exponent does; the
// value is what both give together, however long the text.
TEST(NumberRule, ReadsLongTextsWithLargeExponents)
{
    const std::string zeros(1 << 20, '0');
    EXPECT_EQ(parseNumber("0." + zeros + "1e1048580"), 1000) << "1 MiB of zeros after the point";
    EXPECT_EQ(parseNumber("1" + zeros + "e-1048574"), 100) << "1 MiB of zeros before the point";
    EXPECT_EQ(parseNumber("0." + zeros + "1e-5"), 0) << "far below the smallest double";
    EXPECT_EQ(parseNumber("1" + zeros + "e5"), std::numeric_limits<double>::infinity()) << "far above the largest";
}

// What a count holds past its number, as a row's mark quotes it: an
// exponent without digits is not read, so it is part of the rest.
TEST(NumberRule, TellsWhatFollowsTheNumber)
{
    for (auto [text, rest] : {std::pair{"2,5", ",5"}, {"12E", "E"}, {"1e5 x", "x"}, {"  4 lb", "lb"}, {"lb", "lb"}})
        EXPECT_EQ(unreadRest(text), rest) << text;
}

struct FormatCase {
    const char* why;
    double value;
    const char* text;
};

const FormatCase formatCases[] = {
    {"a whole number has no point", 5000, "5000"},
    {"zero", 0, "0"},
    {"negative zero never shows its sign", -0.0, "0"},
    {"a half", 0.5, "0.5"},
    {"a negative half", -0.5, "-0.5"},
    {"sums are rounded to 15 significant digits", 0.1 + 0.05, "0.15"},
    {"a third shows fifteen 3s", 1.0 / 3.0, "0.333333333333333"},
    {"two thirds round up at the fifteenth digit", 2.0 / 3.0, "0.666666666666667"},
    {"the largest number before exponent form", 999999999999999, "999999999999999"},
    {"exponent form from 1E+15 on", 1e15, "1E+15"},
    {"rounding can reach exponent form", 999999999999999.9, "1E+15"},
    {"an exponent mantissa with decimals", 1.5e20, "1.5E+20"},
    {"a negative large number", -2.5e300, "-2.5E+300"},
    {"the largest double is cut off, so that it reads back finite", 1.7976931348623157e308, "1.79769313486231E+308"},
    {"a negative one too", -1.7976931348623157e308, "-1.79769313486231E+308"},
    {"small numbers down to 1E-4 stay plain", 0.0001, "0.0001"},
    {"smaller ones use exponent form", 0.00001, "1E-05"},
    {"a tiny negative", -1.25e-7, "-1.25E-07"},
    {"16 significant digits are rounded away", 1234567.891234567, "1234567.89123457"},
    {"a large whole count", 123456789012345, "123456789012345"},
};

TEST(NumberRule, WritesFifteenSignificantDigits)
{
    for (const auto& c : formatCases)
        EXPECT_EQ(formatNumber(c.value), c.text) << c.why;
}

} // namespace
