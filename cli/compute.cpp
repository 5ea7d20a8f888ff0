#include "cli/compute.h"

namespace wm::cli {

namespace {
// Keeps the first report of a calculation and answers "raise".
struct FirstReport {
    std::optional<ReportSummary> summary;
    std::string text;
};

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

CalcOutcome compute(const CalcRequest& q, bool explain)
{
    CalcOutcome out;
    PayRecord& r = out.record;
    MemorySettingsStore settings;
    for (const auto& [section, key, value] : q.settings) settings.save(section, key, value);

    FirstReport first;
    ErrorScheme errors(r, [&first] { return std::make_unique<RaisingReport>(first); });
    errors.appTitle = "wagemark-cli";

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

    Pass pass(r, q.input, settings, errors);
    if (explain) pass.trace = &out.trace;
    runCommand([&] {
        Procedure proc(errors, "frmState", "cmdAccept_Click");
        proc.run([&] { r.StateAdd = toCurrency(q.StateAdd); });
        calculateCommand(pass);
    });
    out.lblModified = pass.lblModified;
    out.notice = pass.notice;
    out.resultLabels = pass.resultLabels();
    out.error = first.summary;
    out.errorReport = first.text;
    return out;
}

}  // namespace wm::cli
