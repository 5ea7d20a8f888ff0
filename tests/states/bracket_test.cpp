#include <gtest/gtest.h>

#include "states/bracket.h"

namespace wm {
namespace {

constexpr Bracket kRows[] = {{100_usd, 0.10, 0}, {200_usd, 0.20, 10}, {300_usd, 0.30, 30}};

struct Case {
    const char* name;
    BracketTable table;
    Currency b;
    Currency tax;
    int bracket;
};

class Evaluator : public ::testing::TestWithParam<Case> {};

TEST_P(Evaluator, Amount)
{
    const Case& c = GetParam();
    const BracketResult r = evaluate(c.table, c.b);
    EXPECT_EQ(formatFixed4(r.tax), formatFixed4(c.tax));
    EXPECT_EQ(r.bracket, c.bracket);
}

constexpr BracketTable kInclusive{kRows};
constexpr BracketTable kExclusive{kRows, 0, Bound::Exclusive};
constexpr BracketTable kLowestRate{kRows, 0.05};
// Subtractive form: 10 % of b less 10 over 100, 20 % of b less 30 over 200.
constexpr Bracket kSubRows[] = {{100_usd, 0.10, 10}, {200_usd, 0.20, 30}};
constexpr BracketTable kSubtractive{kSubRows, 0, Bound::Inclusive, Form::Subtractive};
// A post-factor multiplies the whole bracket amount, lowest bracket included.
constexpr BracketTable kFactor{kRows, 0.05, Bound::Inclusive, Form::Marginal, 1.16};
// 45 % of 0.0001 is 0.000045: rounded first it would be 0, times 1.16 first
// it is 0.0000522.
constexpr Bracket kTinyRows[] = {{0_usd, 0.45, 0}};
constexpr BracketTable kFactorBeforeRounding{kTinyRows, 0, Bound::Inclusive, Form::Marginal, 1.16};

INSTANTIATE_TEST_SUITE_P(
    Forms, Evaluator,
    ::testing::Values(Case{"InclusiveAtT1IsZero", kInclusive, 100_usd, 0_usd, 0},
                      Case{"InclusiveAtT2StaysLow", kInclusive, 200_usd, 10_usd, 1},
                      Case{"InclusiveJustAboveT2", kInclusive, 200.01_usd, 10.002_usd, 2},
                      Case{"InclusiveTopBracket", kInclusive, 1000_usd, 240_usd, 3},
                      Case{"ExclusiveAtT1MovesUp", kExclusive, 100_usd, 0_usd, 1},
                      Case{"ExclusiveAtT2MovesUp", kExclusive, 200_usd, 10_usd, 2},
                      Case{"ExclusiveBelowT1", kExclusive, 99.99_usd, 0_usd, 0},
                      Case{"LowestRateOnTheAmount", kLowestRate, 50_usd, 2.5_usd, 0},
                      Case{"NegativeFallsLow", kInclusive, -Currency::dollars(50), 0_usd, 0},
                      Case{"NegativeWithLowestRate", kLowestRate, -Currency::dollars(50), -Currency::dollars(0) - 2.5_usd, 0},
                      Case{"SubtractiveMiddle", kSubtractive, 150_usd, 5_usd, 1},
                      Case{"SubtractiveTop", kSubtractive, 300_usd, 30_usd, 2},
                      Case{"PostFactorOnLowestBracket", kFactor, 50_usd, 2.9_usd, 0},
                      Case{"PostFactorOnBaseAndExcess", kFactor, 250_usd, 23.2_usd, 2},
                      Case{"PostFactorBeforeRounding", kFactorBeforeRounding, 0.0001_usd, 0.0001_usd, 1},
                      // Four decimals, ties to even: 0.00005 x ... rounds in the fifth place.
                      Case{"CurrencyRoundingNotCents", kInclusive, 100.0001_usd, 0_usd, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wm
