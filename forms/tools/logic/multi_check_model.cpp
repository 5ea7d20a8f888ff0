#include "forms/tools/logic/multi_check_model.h"

#include "app/form_id.h"

#include <stdexcept>

namespace wm {

namespace {
constexpr const char* kModule = "frmMultiCheck";
}  // namespace

const PayFrequency& checkFrequency(CheckPeriod period)
{
    static constexpr std::array<std::int16_t, kCheckPeriodCount> kColumnFrequency = {kWeekly, kBiWeekly,
                                                                                      kSemiMonthly, kMonthly};
    return kPayFrequencies[static_cast<std::size_t>(kColumnFrequency[static_cast<std::size_t>(period)])];
}

Currency monthlyEquivalent(double amount, CheckPeriod period)
{
    constexpr int kMonths = 12;
    const int periods = checkFrequency(period).periodsPerYear;
    const Currency monthly = Currency::round(periods == kMonths ? amount : amount * periods / kMonths);
    // The label shows whole cents and the shown text is read back.
    return centsRound(monthly);
}

Currency multiCheckTotal(const std::array<Currency, kCheckCount>& monthly)
{
    Currency sum;
    for (Currency c : monthly) sum += c;
    return sum;
}

std::string_view periodProcedure(CheckPeriod period)
{
    switch (period) {
    case CheckPeriod::Weekly: return "optSelectWeek_Click";
    case CheckPeriod::EveryTwoWeeks: return "optSelectETW_Click";
    case CheckPeriod::TwiceAMonth: return "optSelectTAW_Click";
    case CheckPeriod::Monthly: return "optSelectMonthly_Click";
    }
    return "optSelect_Click";
}

MultiCheckModel::MultiCheckModel(WindowState& state, ErrorScheme& errors) : state_(state), errors_(errors)
{
    state_.frmLoaded = formCode(FormId::MultiCheck);
    errors_.setModuleVariables(kModule, [this] {
        VarList v;
        for (std::size_t i = 0; i < checks_.size(); ++i) {
            v.push_back("Check" + std::to_string(i + 1));
            v.push_back(formatPlain(checks_[i].monthly));
        }
        return v;
    });
}

MultiCheckModel::~MultiCheckModel()
{
    errors_.clearModuleVariables(kModule);
    state_.frmLoaded = kNoFormCode;
}

std::size_t MultiCheckModel::index(int n)
{
    if (n < 1 || n > kCheckCount) throw std::out_of_range("check number " + std::to_string(n));
    return static_cast<std::size_t>(n - 1);
}

void MultiCheckModel::compute(std::size_t i)
{
    Check& c = checks_[i];
    if (!c.period) return;
    c.monthly = isBlank(c.text) ? Currency() : monthlyEquivalent(toDouble(c.text), *c.period);
}

void MultiCheckModel::setAmount(int n, std::string text)
{
    const std::size_t i = index(n);
    checks_[i].text = std::move(text);
    calculated_ = false;
    try {
        compute(i);
    } catch (const RuntimeError&) {
        // Still being typed; the next period choice or Calculate reports it.
    }
}

void MultiCheckModel::choosePeriod(int n, CheckPeriod period)
{
    const std::size_t i = index(n);
    checks_[i].period = period;
    calculated_ = false;
    const std::string indexText = std::to_string(i);
    runCommand([&] {
        Procedure p(errors_, kModule, periodProcedure(period));
        p.params([indexText] { return VarList{"Index", indexText}; });
        p.run([&] { compute(i); });
    });
}

bool MultiCheckModel::calculate()
{
    calculated_ = false;
    bool finished = false;
    const bool ok = runCommand([&] {
        Procedure p(errors_, kModule, "cmdCalc_Click");
        finished = p.run([&] { compute(0); }, [&] { compute(1); }, [&] { compute(2); }, [&] { compute(3); },
                         [&] {
                             std::array<Currency, kCheckCount> m{};
                             for (std::size_t i = 0; i < m.size(); ++i) m[i] = checks_[i].monthly;
                             state_.amtMultiChk = multiCheckTotal(m);
                         });
    });
    calculated_ = ok && finished;
    return calculated_;
}

std::optional<MultiCheckTransfer> MultiCheckModel::transfer()
{
    if (!calculate()) return std::nullopt;
    if (state_.amtMultiChk <= Currency()) return std::nullopt;
    return MultiCheckTransfer{formatPlain(state_.amtMultiChk), 3};
}

std::string MultiCheckModel::monthlyText(int n) const { return formatCurrency(monthly(n)); }

std::string MultiCheckModel::totalText() const { return calculated_ ? formatCurrency(state_.amtMultiChk) : ""; }

}  // namespace wm
