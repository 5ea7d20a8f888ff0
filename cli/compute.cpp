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

}  // namespace wm::cli
