#include "core/pay_analysis.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace wm {

const std::array<std::string_view, kAnalysisFigureCount> kAnalysisCaptions = {
    "Hourly Wage Before Taxes:",
    "Hourly Wage After Taxes:",
    "Hourly Wage After Taxes and Deductions:",
    "Percentage of gross wages paid in taxes:",
    "Percentage of gross wages that are being withheld:",
    "Federal tax as a percentage after 401(k) and Non-tax:",
    "Federal tax as a percentage of gross wages:",
    "State tax as a percentage of gross wages:",
    "Annual Wage BEFORE Taxes:",
    "Annual Wage AFTER Taxes:",
};

namespace {

AnalysisFigure money(double value)
{
    AnalysisFigure f;
    f.available = true;
    f.amount = Currency::cents(shownUnits(value, false));
    return f;
}

AnalysisFigure money(Currency shown)
{
    AnalysisFigure f;
    f.available = true;
    f.amount = shown;
    return f;
}

AnalysisFigure percent(double value)
{
    AnalysisFigure f;
    f.available = true;
    f.percent = true;
    f.fraction = static_cast<double>(shownUnits(value, true)) / 10000.0;
    return f;
}
}  // namespace

std::string AnalysisFigure::text() const
{
    if (!available) return {};
    return percent ? formatPercent(fraction) : formatCurrency(amount);
}

std::int64_t shownUnits(double value, bool percent)
{
    if (!std::isfinite(value)) raise(err::kOverflow);
    // The plain text of a double keeps 15 significant digits: mantissa m
    // (15 digits) and exponent x give value = m x 10^(x - 14).
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const bool negative = buf[0] == '-';
    const char* p = buf + (negative ? 1 : 0);
    std::int64_t m = 0;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') m = m * 10 + (*p - '0');
    const int x = std::atoi(p + 1);
    // Units are 10^-2 (cents) or 10^-4 (hundredths of a percent of 1).
    const int k = x - 14 + (percent ? 4 : 2);
    std::int64_t units;
    if (k >= 0) {
        if (k > 3) raise(err::kOverflow);
        units = m;
        for (int i = 0; i < k; ++i) units *= 10;
    } else if (k < -16) {
        units = 0;
    } else {
        std::int64_t by = 1;
        for (int i = 0; i < -k; ++i) by *= 10;
        units = m / by;
        if ((m % by) * 2 >= by) ++units;  // halves away from zero
    }
    // Keeps a shown money amount inside the currency range.
    if (!percent && units > INT64_MAX / 100) raise(err::kOverflow);
    return negative ? -units : units;
}

Analysis analyzePay(const PayRecord& r, int hours)
{
    Analysis a;
    for (std::size_t i = 0; i < a.figures.size(); ++i) a.figures[i].percent = isPercentFigure(i);
    if (r.SSBase.isZero()) {
        a.message = kNoCalculationMessage;
        return a;
    }
    const Currency T = r.fTax + r.sTax + r.amtLocalTax;
    const double gross = r.SSBase.toDouble();

    if (hours > 0) {
        // The amounts the result grid shows, in whole cents.
        const double h = hours;
        const Currency shownGross = centsRound(r.SSBase);
        const Currency shownTaxes = centsRound(r.fTax) + centsRound(r.sTax) + centsRound(r.amtLocalTax);
        a.figures[0] = money(shownGross.toDouble() / h);
        a.figures[1] = money((shownGross - shownTaxes).toDouble() / h);
        a.figures[2] = money(centsRound(r.amtTotal).toDouble() / h);
    } else {
        a.message = kNoHoursMessage;
    }
    a.figures[3] = percent(T.toDouble() / gross);
    a.figures[4] = percent(r.amtDedTot.toDouble() / gross);
    const Currency federalWages = r.SSBase - r.amt401k - r.PreTax;
    if (!federalWages.isZero()) a.figures[5] = percent(r.fTax.toDouble() / federalWages.toDouble());
    a.figures[6] = percent(r.fTax.toDouble() / gross);
    a.figures[7] = percent(r.sTax.toDouble() / gross);
    // The year as the Year Check makes it: the period's pay x its periods.
    if (r.Freq > 0) {
        a.figures[8] = money(centsRound(r.SSBase * r.Freq));
        a.figures[9] = money(centsRound((r.SSBase - T) * r.Freq));
    }
    return a;
}

std::int16_t readHours(SettingsStore& settings)
{
    const std::string hours = settings.get("Settings", "Hours", "0");
    // An hours field left empty means no hours, not a bad entry.
    if (hours.find_first_not_of(' ') == std::string::npos) return 0;
    return settings.getInt16("Settings", "Hours", 0, limitOf(Input::Hours));
}

}  // namespace wm
