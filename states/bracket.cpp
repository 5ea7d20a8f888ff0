#include "states/bracket.h"

#include "record/pass_context.h"

namespace wm {

BracketResult evaluate(const BracketTable& t, Currency b)
{
    const auto& rows = t.brackets;
    const bool inclusive = t.bound == Bound::Inclusive;
    auto above = [inclusive](Currency amount, Currency threshold) {
        return inclusive ? amount > threshold : amount >= threshold;
    };
    if (rows.empty() || !above(b, rows[0].over)) {
        if (t.lowestRate == 0) return {Currency(), 0};
        return {Currency::round(b.toDouble() * t.lowestRate * t.factor), 0};
    }
    std::size_t k = 0;
    while (k + 1 < rows.size() && above(b, rows[k + 1].over)) ++k;
    const Bracket& br = rows[k];
    if (t.form == Form::Subtractive)
        return {Currency::round((b.toDouble() * br.rate - br.base) * t.factor), static_cast<int>(k + 1)};
    const Currency d = b - br.over;
    return {Currency::round((d.toDouble() * br.rate + br.base) * t.factor), static_cast<int>(k + 1)};
}

Currency evaluate(Pass& p, std::string_view name, const BracketTable& t, Currency b)
{
    const BracketResult res = evaluate(t, b);
    if (!p.tracing()) return res.tax;
    // Every text ends with the post-factor when there is one.
    const std::string_view times = t.factor == 1 ? "" : ", x ";
    auto factor = [&]() -> std::string { return t.factor == 1 ? std::string() : formatPlain(t.factor); };
    if (res.bracket == 0) {
        if (t.lowestRate == 0)
            p.explain(res.tax, name, " table: nothing up to ", t.brackets.empty() ? Currency() : t.brackets[0].over);
        else
            p.explain(res.tax, name, " table: ", Pct{t.lowestRate}, " of ", b, times, factor());
        return res.tax;
    }
    const Bracket& br = t.brackets[static_cast<std::size_t>(res.bracket - 1)];
    if (t.form == Form::Subtractive)
        p.explain(res.tax, name, " table: ", Pct{br.rate}, " of ", b, " less ", Currency::round(br.base), times, factor());
    else if (br.base == 0)
        p.explain(res.tax, name, " table: ", Pct{br.rate}, " of the excess over ", br.over, times, factor());
    else
        p.explain(res.tax, name, " table: ", Currency::round(br.base), " + ", Pct{br.rate}, " of the excess over ",
                  br.over, times, factor());
    return res.tax;
}

}  // namespace wm
