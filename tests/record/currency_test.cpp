#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>

#include "record/currency.h"
#include "record/runtime_error.h"

namespace wm {
namespace {

TEST(Currency, RoundIsHalfToEvenInTheFourthDecimal)
{
    EXPECT_EQ(Currency::round(0.00005).count(), 0);   // 0.5 -> 0
    EXPECT_EQ(Currency::round(0.00025).count(), 2);   // 2.5 -> 2
    EXPECT_EQ(Currency::round(0.0625 * 0.0012).count(), 1);  // 0.75 -> 1
    EXPECT_EQ(Currency::round(-0.00025).count(), -2);
    EXPECT_EQ(Currency::round(2.601), 2.601_usd);
    // d x r + B evaluated in double, then rounded: (600 - 536) x 0.28 + 72.75.
    EXPECT_EQ(Currency::round(64.0 * 0.28 + 72.75), 90.67_usd);
}

TEST(Currency, RoundRejectsWhatDoesNotFit)
{
    EXPECT_THROW(Currency::round(1e16), RuntimeError);
    EXPECT_THROW(Currency::round(std::nan("")), RuntimeError);
    try {
        Currency::round(1e300);
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::kOverflow);
    }
}

TEST(Currency, SumsAreExactAndOverflowIsAnError)
{
    EXPECT_EQ(0.1_usd + 0.2_usd, 0.3_usd);
    EXPECT_THROW(Currency::fromCount(INT64_MAX) + 0.0001_usd, RuntimeError);
    EXPECT_EQ(52.88_usd * 2, 105.76_usd);
}

struct RoundCase {
    const char* name;
    Currency in, cents, centsEven, dollar;
};

class Roundings : public ::testing::TestWithParam<RoundCase> {};

TEST_P(Roundings, AllThree)
{
    const RoundCase& c = GetParam();
    EXPECT_EQ(centsRound(c.in), c.cents);
    EXPECT_EQ(roundToCentsEven(c.in), c.centsEven);
    EXPECT_EQ(wholeDollarRound(c.in), c.dollar);
}

INSTANTIATE_TEST_SUITE_P(
    Halves, Roundings,
    ::testing::Values(RoundCase{"HalfCentUp", 0.045_usd, 0.05_usd, 0.04_usd, 0_usd},
                      RoundCase{"HalfCentOdd", 0.055_usd, 0.06_usd, 0.06_usd, 0_usd},
                      RoundCase{"NegativeHalfCent", -0.045_usd - 0_usd, -0.05_usd - 0_usd, -0.04_usd - 0_usd, 0_usd},
                      RoundCase{"BelowHalf", 0.0015_usd, 0_usd, 0_usd, 0_usd},
                      RoundCase{"HalfDollarEven", 12.50_usd, 12.50_usd, 12.50_usd, 12_usd},
                      RoundCase{"HalfDollarOdd", 13.50_usd, 13.50_usd, 13.50_usd, 14_usd},
                      RoundCase{"NegativeHalfDollar", -13.50_usd - 0_usd, -13.50_usd - 0_usd, -13.50_usd - 0_usd, -14_usd - 0_usd}),
    [](const auto& info) { return std::string(info.param.name); });

struct ParseCase {
    const char* name;
    const char* text;
    Currency value;
};

class Reading : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Reading, Amount) { EXPECT_EQ(toCurrency(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Texts, Reading,
    ::testing::Values(ParseCase{"Plain", "1234.5", 1234.5_usd}, ParseCase{"Separators", "1,234.50", 1234.5_usd},
                      ParseCase{"DollarSign", "$1,234.50", 1234.5_usd},
                      ParseCase{"Parentheses", "(1,234.50)", -1234.5_usd - 0_usd},
                      ParseCase{"Minus", "-5", -5_usd - 0_usd}, ParseCase{"Blanks", "  42  ", 42_usd},
                      ParseCase{"MinusDollar", "-$3.25", -3.25_usd - 0_usd},
                      ParseCase{"LeadingPoint", ".03", 0.03_usd},
                      ParseCase{"FifthDecimalHalfEven", "0.00005", 0_usd},
                      ParseCase{"FifthDecimalAbove", "0.000051", 0.0001_usd},
                      ParseCase{"ParenthesesDollar", "($1,234.50)", -1234.5_usd - 0_usd},
                      ParseCase{"TrailingPoint", "5.", 5_usd}, ParseCase{"LeadingZeros", "0001000.0000", 1000_usd},
                      ParseCase{"FourteenDigits", "99999999999999.9999", Currency::fromCount(999999999999999999)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reading, RejectsWhatIsNotAnAmount)
{
    for (const char* bad : {"", " ", "abc", "12a", "1.2.3", "$", "()", "(5", "--5", "5-", ",5", "5,", "1 000", "(-5)"}) {
        SCOPED_TRACE(bad);
        try {
            toCurrency(bad);
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), err::kTypeMismatch);
        }
    }
    EXPECT_THROW(toCurrency("99999999999999999"), RuntimeError);
}

// Plain digit texts take a shorter path than the rest: the same double as
// the C library reads, to the last bit.
TEST(Reading, NumbersAsTheLibraryReadsThem)
{
    for (const char* text : {"0", "7", "0.1", "2.5", "0.0003", "5.", "12345678901.2345", "99999999999999",
                             "1.23456", "12345678901234.5", "007.5"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(toDouble(text), std::strtod(text, nullptr));
    }
}

// The ends of the money range: what fits is exact, what does not is
// overflow (6), never a wrapped amount.
TEST(Currency, RangeEdges)
{
    const Currency top = Currency::fromCount(std::numeric_limits<std::int64_t>::max());
    const Currency bottom = Currency::fromCount(std::numeric_limits<std::int64_t>::min());
    struct Case {
        const char* what;
        std::function<Currency()> f;
        std::optional<Currency> want;  // none: overflow
    };
    const Case cases[] = {
        {"largest amount", [] { return toCurrency("922,337,203,685,477.5807"); }, top},
        {"one more", [] { return toCurrency("922337203685477.5808"); }, std::nullopt},
        {"fifth decimal rounds past the top", [] { return toCurrency("922337203685477.58075"); }, std::nullopt},
        {"smallest amount", [] { return toCurrency("-922337203685477.5808"); }, bottom},
        {"one less", [] { return toCurrency("(922337203685477.5809)"); }, std::nullopt},
        {"fifteen nines", [] { return toCurrency("999999999999999"); }, std::nullopt},
        {"cents at the top", [top] { return centsRound(top); }, Currency::fromCount(9223372036854775800)},
        {"dollars at the top", [top] { return wholeDollarRound(top); }, std::nullopt},
        {"dollars at the bottom", [bottom] { return wholeDollarRound(bottom); }, std::nullopt},
        {"negating the bottom", [bottom] { return -bottom; }, std::nullopt},
        {"whole dollars", [] { return Currency::dollars(std::numeric_limits<std::int64_t>::max() / 1000); },
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            const Currency got = c.f();
            ASSERT_TRUE(c.want.has_value()) << "gave " << got.count();
            EXPECT_EQ(got, *c.want);
        } catch (const RuntimeError& e) {
            EXPECT_FALSE(c.want.has_value());
            EXPECT_EQ(e.number(), err::kOverflow);
        }
    }
}

TEST(Reading, SixteenBitFields)
{
    EXPECT_EQ(toInt16("2.5"), 2);
    EXPECT_EQ(toInt16("3.5"), 4);
    EXPECT_EQ(toInt16("-32768"), -32768);
    EXPECT_EQ(toInt16("32767"), 32767);
    try {
        toInt16("32768");
        ADD_FAILURE();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::kOverflow);
    }
    EXPECT_THROW(toInt16("x"), RuntimeError);
    EXPECT_THROW(narrow16(40000), RuntimeError);
}

TEST(Formatting, Texts)
{
    EXPECT_EQ(formatCurrency(1234.5_usd), "$1,234.50");
    EXPECT_EQ(formatCurrency(-1234.5_usd - 0_usd), "($1,234.50)");
    EXPECT_EQ(formatCurrency(0.005_usd), "$0.01");
    EXPECT_EQ(formatCurrency(1234567.891_usd), "$1,234,567.89");
    EXPECT_EQ(formatPlain(1234.5_usd), "1234.5");
    EXPECT_EQ(formatPlain(0_usd), "0");
    EXPECT_EQ(formatPlain(-5_usd - 0_usd), "-5");
    EXPECT_EQ(formatPlain(2.652_usd), "2.652");
    EXPECT_EQ(formatFixed4(1000_usd), "1000.0000");
    EXPECT_EQ(formatFixed4(Currency() - 0.5_usd), "-0.5000");
    EXPECT_EQ(formatPlain(0.05), "0.05");
    // Never an exponent: what is shown and kept reads back as the number.
    EXPECT_EQ(formatPlain(0.00005), "0.00005");
    EXPECT_EQ(formatPlain(-7.6265310839e-05), "-0.000076265310839");
    EXPECT_EQ(formatPlain(1.5e20), "150000000000000000000");
    EXPECT_EQ(toDouble(formatPlain(0.000012345)), 0.000012345);
    EXPECT_EQ(formatPercent(0.1234), "12.34%");
}

}  // namespace
}  // namespace wm
