#pragma once
// Federal withholding (percentage method, tax year 2000) and FICA.
//
// One table per pay frequency and status, applied to the period's amount
// directly (no annualizing). Thresholds are whole dollars; an amount equal to
// a threshold belongs to the lower bracket.

#include <array>
#include <cstdint>
#include <string_view>

#include "record/currency.h"
#include "record/pay_frequency.h"

namespace wm {

struct FederalTable {
    std::array<Currency, 5> over;  // T1..T5
    std::array<double, 5> base;    // B(1)..B(5), B(1) = 0
};

inline constexpr std::array<double, 5> kFederalRates = {0.15, 0.28, 0.31, 0.36, 0.396};

// Indexed [married 0 / single 1][HowOft].
extern const std::array<ByFrequency<FederalTable>, 2> kFederalTables;

// amtDed: currency rounding of allowances x the frequency's allowance value
// (record/pay_frequency.h); 0 for an unknown frequency.
Currency allowanceAmount(std::int16_t deps, std::int16_t howOft);

// FICA of one period: Social Security and Medicare at the employee rates,
// or the self-employment rates. A period by itself has no wage base; the
// Year Check stops Social Security at the year's.
struct FicaRates {
    double total, ss, medicare;
};
inline constexpr FicaRates kEmployeeFica{0.0765, 0.062, 0.0145};
inline constexpr FicaRates kSelfEmployedFica{0.153, 0.124, 0.029};
constexpr const FicaRates& ficaRates(bool selfEmployed) { return selfEmployed ? kSelfEmployedFica : kEmployeeFica; }

// The year 2000's Social Security wage base: no Social Security on the
// year's FICA wages above it.
inline constexpr Currency kWageBase2000 = 76200_usd;

// Supplemental wages (a bonus paid apart from the regular wages) in 2000:
// the employer may withhold a flat rate of the bonus, or the aggregate
// method: the withholding on the regular wages plus the bonus as one
// payment, less the withholding on the regular wages. The flat rate is only
// for an employee whose regular wages had income tax withheld.
enum class BonusMethod : std::int16_t { Aggregate = 0, Flat = 1 };
struct SupplementalRule {
    BonusMethod method;
    std::string_view name;     // as wagemark-cli takes it
    std::string_view caption;  // as the Bonus Check offers it
};
struct SupplementalWages {
    int year;
    double flatRate;
    std::array<SupplementalRule, 2> methods;  // by BonusMethod
};
inline constexpr SupplementalWages kSupplemental2000{
    2000, 0.28, {{{BonusMethod::Aggregate, "aggregate", "Aggregate"}, {BonusMethod::Flat, "flat", "Flat 28 %"}}}};
constexpr const SupplementalRule& bonusRule(BonusMethod m)
{
    return kSupplemental2000.methods[static_cast<std::size_t>(m)];
}

struct FederalResult {
    Currency tax;   // before cents rounding
    int bracket;    // 0 = zero bracket, 1..5
};
// The bracket amount for the federal taxable amount b. valMarried 2 uses
// the single table.
FederalResult federalBracket(Currency b, int howOft, int valMarried);

}  // namespace wm
