#include "core/bonus.h"

#include <algorithm>

#include "record/input_limits.h"

namespace wm {

CommandRunner copyCommand(const PayRecord& start, SettingsStore& settings, ErrorScheme& errors)
{
    return [start, &settings, &errors](const PassInput& in) -> std::optional<PayRecord> {
        PayRecord r = start;
        const int reportsBefore = errors.reports;
        Pass pass(r, in, settings, errors);
        const bool finished = runCommand([&] { calculateCommand(pass); });
        if (!finished || errors.reports != reportsBefore) return std::nullopt;
        return r;
    };
}

std::optional<std::string> bonusBeyondRange(Currency regularGross, Currency bonus)
{
    // Both are within the range, so their sum stays far inside the money range.
    if (regularGross + bonus <= kAmountTop) return std::nullopt;
    return "The gross pay (" + formatCurrency(regularGross) + ") plus the bonus (" + formatCurrency(bonus) +
           ") is more than the largest amount, " + formatCurrency(kAmountTop) + ".";
}

namespace {

class Explanation {
public:
    explicit Explanation(Trace& t) : t_(t) {}
    template <class... Parts>
    void operator()(Currency amount, const Parts&... parts)
    {
        t_.lines.push_back({concat(parts...), amount});
    }
    template <class... Parts>
    void note(const Parts&... parts)
    {
        t_.lines.push_back({concat(parts...), std::nullopt});
    }
    // The aggregate method for one figure: together, less regular, the bonus's.
    void aggregate(std::string_view tax, Currency together, Currency regular, Currency bonus, std::string_view how)
    {
        (*this)(together, tax, " on the regular pay plus the bonus");
        (*this)(regular, "Less that on the regular pay");
        (*this)(bonus, tax, " on the bonus (", how, ")");
    }

private:
    Trace& t_;
};

}  // namespace

std::optional<BonusCheck> checkBonus(const BonusEntries& e, const PassInput& regularInput, const CommandRunner& run)
{
    const std::optional<PayRecord> regular = run(regularInput);
    if (!regular) return std::nullopt;
    // The bonus is added to the regular gross pay; Non-Taxable and Pre-FICA
    // stay those of the regular paycheck.
    const Currency bonus401k = e.with401k ? Currency::round(e.amount.toDouble() * regular->PerCent401k) : Currency();
    PassInput in = regularInput;
    in.income = regular->SSBase + e.amount;
    in.txtIncome = formatPlain(*in.income);
    in.amount401k = regular->amt401k + bonus401k;
    const std::optional<PayRecord> together = run(in);
    if (!together) return std::nullopt;

    BonusCheck c;
    c.regular = *regular;
    PayRecord& b = c.bonus = *together;
    for (Currency PayRecord::*f : {&PayRecord::SSBase, &PayRecord::taxBase, &PayRecord::ftaxBase, &PayRecord::amtDed,
                                   &PayRecord::amt401k, &PayRecord::PreTax, &PayRecord::SSEmp, &PayRecord::fTax,
                                   &PayRecord::sTax, &PayRecord::amtLocalTax, &PayRecord::staxBase,
                                   &PayRecord::PersExmp})
        b.*f = (*together).*f - (*regular).*f;

    Explanation explain(c.trace);
    explain(e.amount, "Bonus");
    if (e.with401k && bonus401k != Currency())
        explain(b.amt401k, "401(k) ", Pct{regular->PerCent401k}, " of the bonus");
    else if (regular->PerCent401k > 0)
        explain(b.amt401k, "401(k): the percentage does not apply to the bonus");
    explain.note("Non-Taxable and Pre-FICA are counted once, in the regular paycheck: 0 on the bonus");

    c.method = e.method;
    if (e.method == BonusMethod::Flat && regular->fTax <= Currency()) {
        c.method = BonusMethod::Aggregate;
        c.note = kFlatNotAllowed;
        explain.note(kFlatNotAllowed);
    }
    if (c.method == BonusMethod::Flat) {
        const double rate = kSupplemental2000.flatRate;
        const Currency wages = std::max(e.amount - bonus401k, Currency());
        b.fTax = centsRound(Currency::round(wages.toDouble() * rate));
        explain(wages, "Bonus wages for federal tax (the bonus less its 401(k))");
        explain(b.fTax, "Federal withholding on the bonus: flat ", Pct{rate}, " (", kSupplemental2000.year,
                "), rounded to cents");
    } else {
        explain.aggregate("Federal withholding", together->fTax, regular->fTax, b.fTax, "aggregate method");
    }
    if (regular->intState > 0 || b.sTax != Currency())
        explain.aggregate("State tax", together->sTax, regular->sTax, b.sTax, "always the aggregate method");
    if (regular->amtLocalTax != Currency() || together->amtLocalTax != Currency())
        explain.aggregate("Local tax", together->amtLocalTax, regular->amtLocalTax, b.amtLocalTax,
                          "always the aggregate method");

    // FICA is its two parts: Social Security may stop at the base while
    // Medicare does not.
    const FicaRates& rates = ficaRates(regularInput.chkSelfEmployed);
    const Currency room = std::max(kWageBase2000 - e.ssWagesSoFar, Currency());
    const Currency ssWages = std::min(e.amount, room);
    b.amtSS = Currency::round(ssWages.toDouble() * rates.ss);
    b.amtMedicare = Currency::round(e.amount.toDouble() * rates.medicare);
    b.amtFICA = b.amtSS + b.amtMedicare;
    if (e.ssWagesSoFar != Currency()) explain(e.ssWagesSoFar, "Social Security wages so far this year");
    explain(ssWages, "Bonus wages under the ", formatCurrency(kWageBase2000), " Social Security wage base");
    explain(b.amtSS, "Social Security ", Pct{rates.ss}, regularInput.chkSelfEmployed ? " (self-employed)" : "");
    explain(b.amtMedicare, "Medicare ", Pct{rates.medicare}, " of the bonus");
    explain(b.amtFICA, "FICA: Social Security plus Medicare");

    formTotals(b);
    explain(b.amtDedTot, "Total deductions from the bonus");
    explain(b.amtTotal, "Bonus check amount");
    return c;
}

std::array<BonusGridRow, 12> bonusGrid(const BonusCheck& c)
{
    const std::array<GridRow, 12> bonus = gridRows(c.bonus), regular = gridRows(c.regular);
    std::array<BonusGridRow, 12> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = {bonus[i].title, bonus[i].amount, regular[i].amount, bonus[i].amount + regular[i].amount};
    return rows;
}

}  // namespace wm
