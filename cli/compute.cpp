#include "cli/compute.h"

namespace wm::cli {

namespace {
class RaisingReport final : public BasicErrorReport {
public:
    explicit RaisingReport(FirstReport& first) : first_(first) {}
    int reportError() override
    {
        if (!first_.summary) {
            first_.summary = ReportSummary{std::stoi(data.field("Error Number")), data.field("Description"),
                                           data.field("Module Name"), data.field("Procedure Name"),
                                           std::stoi(data.field("Line Number"))};
            first_.text = data.text();
        }
        return static_cast<int>(Action::Raise);
    }

private:
    FirstReport& first_;
};
}  // namespace

bool runReported(PayRecord& record, std::string_view procedure, const std::function<void()>& body,
                 FirstReport& first)
{
    ErrorScheme errors(record, [&first] { return std::make_unique<RaisingReport>(first); });
    errors.appTitle = "wagemark-cli";
    Procedure proc(errors, "wagemark-cli", procedure);
    proc.topLevel();
    return proc.run(body);
}

Calculator::Calculator()
    : errors_(record_, [this] { return std::make_unique<RaisingReport>(first_); }),
      pass_(record_, request_.input, settings_, errors_)
{
    errors_.appTitle = "wagemark-cli";
}

void Calculator::run(const CalcRequest& q, bool explain)
{
    PayRecord& r = record_;
    // Copied from a fresh record kept for it: no new record (and its texts)
    // made and dropped on every line.
    static const PayRecord kFresh{};
    r = kFresh;
    if (&q != &request_) request_ = q;
    settings_.clear();
    settings_.lookThrough(&request_.optionSettings, &request_.settings);
    first_.summary.reset();
    first_.text.clear();
    errors_.current = {};
    errors_.last = {};
    errors_.reports = 0;
    pass_.reset();
    trace_.lines.clear();
    pass_.trace = explain ? &trace_ : nullptr;

    r.HowOft = q.HowOft;
    r.valMarried = q.valMarried;
    r.intState = q.intState;
    r.intSMarried = q.intSMarried;
    r.StateRate = q.StateRate;
    r.StateDeps = q.StateDeps;
    r.ILINDeps = q.ILINDeps;
    r.StateExmp = q.StateExmp;
    r.Method = q.Method;
    r.SPval = q.SPval;
    r.SPtx = q.SPtx;

    runCommand([&] {
        Procedure proc(errors_, "frmState", "cmdAccept_Click");
        if (!plainCurrency(q.StateAdd, r.StateAdd)) proc.run([&] { r.StateAdd = toCurrency(q.StateAdd); });
        calculateCommand(pass_);
    });
}

CalcOutcome compute(const CalcRequest& q, bool explain)
{
    Calculator c;
    c.run(q, explain);
    return {c.record(), c.lblModified(), c.notice(), c.trace(), c.error().summary, c.error().text};
}

BonusOutcome computeBonus(const CalcRequest& q, bool explain)
{
    BonusOutcome out;
    CalcOutcome& res = out.bonus;
    BonusEntries e;
    e.method = q.bonusMethod == 1 ? BonusMethod::Flat : BonusMethod::Aggregate;
    e.with401k = q.bonus401k;
    // The texts read as the pass reads its own: one that does not is a
    // run-time error of the calculation.
    FirstReport first;
    const bool read = runReported(res.record, "calc", [&] {
        e.amount = isBlank(q.txtBonus) ? Currency() : toCurrency(q.txtBonus);
        e.ssWagesSoFar = isBlank(q.txtBonusSSWages) ? Currency() : toCurrency(q.txtBonusSSWages);
    }, first);
    if (!read) {
        res.error = first.summary;
        res.errorReport = first.text;
        return out;
    }
    Calculator c;
    CalcRequest each = q;
    const std::optional<BonusCheck> check = checkBonus(e, q.input, [&](const PassInput& in) -> std::optional<PayRecord> {
        each.input = in;
        c.run(each, explain);
        res.lblModified = c.lblModified();
        if (!c.notice().empty()) res.notice = c.notice();
        if (c.error().summary) {
            res.error = c.error().summary;
            res.errorReport = c.error().text;
            return std::nullopt;
        }
        return c.record();
    });
    if (!check) return out;
    res.record = check->bonus;
    res.trace = check->trace;
    out.method = check->method;
    out.note = check->note;
    out.stateOrLocal = check->regular.intState > 0 || check->bonus.amtLocalTax != Currency() ||
                       check->regular.amtLocalTax != Currency();
    if (auto why = deductionsAboveGross(check->regular))
        out.refusal = *why;
    else if (auto beyond = bonusBeyondRange(check->regular.SSBase, e.amount))
        out.refusal = *beyond;
    else if (auto bonusWhy = deductionsAboveGross(check->bonus))
        out.refusal = "On the bonus: " + *bonusWhy;
    return out;
}

}  // namespace wm::cli
