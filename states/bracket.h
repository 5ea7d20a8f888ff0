#pragma once
// The bracket evaluator every state calculator uses.
//
// A table is a list of brackets, each starting over a threshold T(k) with a
// rate r(k) and an amount B(k):
//   marginal form:    tax = B(k) + r(k) x (b - T(k))
//   subtractive form: tax = r(k) x b - S(k)            (S(k) kept in `base`)
// Amounts up to the first threshold fall in the lowest bracket, which is
// either zero or `lowestRate` x b. With inclusive thresholds an amount equal
// to T(k) stays in the bracket below; with exclusive thresholds it belongs to
// the bracket above. The result is currency-rounded (four decimals, not
// cents); the difference b - T(k) is formed exactly before it meets a rate.
// A table may carry a post-factor that multiplies the bracket amount before
// that rounding.
//
// Tables are constexpr data next to the calculator that uses them:
//
//   inline constexpr Bracket kMarriedWeekly[] = {
//       {86_usd, 0.017, 0}, {239_usd, 0.032, 2.62}, ...};
//   inline constexpr BracketTable kTable{kMarriedWeekly};

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "record/currency.h"

namespace wm {

class Pass;

struct Bracket {
    Currency over;  // T(k)
    double rate;    // r(k)
    double base;    // B(k), or S(k) in the subtractive form
};

enum class Bound { Inclusive, Exclusive };
enum class Form { Marginal, Subtractive };

struct BracketTable {
    std::span<const Bracket> brackets;
    double lowestRate = 0;  // r(0); 0 means the lowest bracket is zero
    Bound bound = Bound::Inclusive;
    Form form = Form::Marginal;
    // A surcharge on the whole bracket amount, applied in double precision
    // before the rounding: round((B(k) + r(k) x d) x factor).
    double factor = 1;
};

struct BracketResult {
    Currency tax;
    int bracket;  // 0 = lowest bracket, k = bracket over T(k)
};

BracketResult evaluate(const BracketTable& t, Currency b);

// Evaluates and writes the step to the pass's explanation:
// "<name> table: 3.2 % of the excess over 239.00".
Currency evaluate(Pass& p, std::string_view name, const BracketTable& t, Currency b);

// Builds a marginal table's rows from three parallel lists, the way the
// withholding tables are printed: thresholds, rates, base amounts (B(1) = 0).
template <std::size_t N>
constexpr std::array<Bracket, N> makeBrackets(const std::array<Currency, N>& over,
                                              const std::array<double, N>& rates,
                                              const std::array<double, N>& base)
{
    std::array<Bracket, N> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = Bracket{over[i], rates[i], base[i]};
    return out;
}

}  // namespace wm
