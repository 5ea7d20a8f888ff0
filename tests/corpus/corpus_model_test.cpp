// The boundary corpus through the desktop program's logic: each pay-period
// line as saved settings the calculator loads and calculates, each line of
// the year through the Year Check on that calculation. The figures must be
// those batch and year give.
#include <gtest/gtest.h>

#include "cli/line_reader.h"
#include "cli/options.h"
#include "corpus/corpus_check.h"
#include "forms/main/main_support.h"
#include "forms/tools/logic/year_check_model.h"

namespace wm::corpus {
namespace {

// The request of a batch line or of the options of `year`, saved as the
// calculator and the state options dialog keep it.
void save(SettingsStore& s, const cli::CalcRequest& q)
{
    const PassInput& in = q.input;
    for (const auto& [key, value] :
         {std::pair<const char*, std::string>{"IncAmt", in.txtIncome}, {"401k", in.txt401k}, {"NotTax", in.txtPreTax},
          {"SSExmp", in.txtPreFICA}, {"Deps", in.exemptions}, {"Self", in.chkSelfEmployed ? "-1" : "0"},
          {"State", std::to_string(q.intState)}, {"Frequency", std::to_string(q.HowOft)},
          {"MaritalStat", std::to_string(q.valMarried)}, {"Local", formatPlain(q.SPval)},
          {"ApplyTo", std::to_string(q.SPtx)}})
        s.save("Settings", key, value);
    for (const auto& [key, value] :
         {std::pair<const char*, std::string>{"staMarried", std::to_string(q.intSMarried)},
          {"staRate", std::to_string(q.StateRate)}, {"staDeps", std::to_string(q.StateDeps)},
          {"ILINDeps", std::to_string(q.ILINDeps)}, {"staExmp", std::to_string(q.StateExmp)},
          {"MMethod", std::to_string(q.Method)}, {"staAdd", q.StateAdd}})
        s.save("StateInfo", key, value);
    for (const SettingList* l : {&q.settings, &q.optionSettings})
        l->forEach([&](std::string_view section, std::string_view key, std::string_view value) {
            s.save(section, key, value);
        });
}

// Loads and calculates; the refusal's message when the calculator refused.
std::string calculate(test::Calculator& c, const cli::CalcRequest& q)
{
    save(c.h.settings, q);
    c.main.load();
    // Married withholding at the single rate comes from the personal
    // information form, not from the calculator's own options.
    if (q.valMarried == 2) c.h.r.valMarried = 2;
    const std::optional<Refusal> no = c.main.calculate();
    return no ? no->message : "";
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::optional<std::string> recordValue(const test::Calculator& c, const std::string& key)
{
    const PayRecord& r = c.h.r;
    const std::pair<const char*, Currency> amounts[] = {
        {"SSBase", r.SSBase}, {"taxBase", r.taxBase}, {"ftaxBase", r.ftaxBase}, {"amtDed", r.amtDed},
        {"amt401k", r.amt401k}, {"PreTax", r.PreTax}, {"SSEmp", r.SSEmp}, {"fTax", r.fTax},
        {"amtFICA", r.amtFICA}, {"amtSS", r.amtSS}, {"amtMedicare", r.amtMedicare}, {"sTax", r.sTax},
        {"amtLocalTax", r.amtLocalTax}, {"amtDedTot", r.amtDedTot}, {"amtTotal", r.amtTotal},
        {"staxBase", r.staxBase}, {"PersExmp", r.PersExmp}};
    for (const auto& [k, v] : amounts)
        if (key == k) return quoted(formatFixed4(v));
    if (key == "DepsNumber") return std::to_string(r.DepsNumber);
    if (key == "lblModified") return quoted(c.main.lblModified);
    if (key == "notice" && !c.main.notice.empty()) return quoted(c.main.notice);
    return std::nullopt;
}

std::optional<std::string> yearValue(const YearCheck& y, const std::string& key)
{
    const ReturnFigures& f = y.figures;
    const std::pair<const char*, Currency> amounts[] = {
        {"wages", y.wages}, {"federalWithholding", y.federalWithholding}, {"stateWithholding", y.stateWithholding},
        {"socialSecurity", y.socialSecurity}, {"medicare", y.medicare}, {"spouseWages", y.spouseWages},
        {"spouseWithholding", y.spouseWithholding}, {"adjustedGrossIncome", f.adjustedGrossIncome},
        {"deduction", f.deduction}, {"exemptions", f.exemptions}, {"taxableIncome", f.taxableIncome},
        {"tax", f.tax}, {"childTaxCredit", f.childTaxCredit}, {"incomeTax", f.incomeTax}, {"refund", y.refund},
        {"advisedAdditional", y.advisedAdditional}};
    for (const auto& [k, v] : amounts)
        if (key == k) return quoted(formatFixed4(v));
    if (key == "effectiveRate") return quoted(rateText(f.effectiveRate));
    if (key == "marginalRate") return quoted(rateText(f.marginalRate));
    if (key == "advisedAllowances") return std::to_string(y.advisedAllowances);
    if (key == "paychecksPaid") return std::to_string(y.paychecksPaid);
    if (key == "paychecksLeft") return std::to_string(y.paychecksLeft);
    if (key == "socialSecurityEndsInPeriod")
        return y.socialSecurityEndsInPeriod > 0 ? std::to_string(y.socialSecurityEndsInPeriod) : "null";
    if (key == "socialSecurityReachedSoFar") return y.socialSecurityReachedSoFar ? "true" : "false";
    return std::nullopt;
}

TEST(BoundaryCorpus, CalculatorFromSavedSettingsAnswersAsKept)
{
    cli::LineReader reader;
    Mismatches m;
    for (const CorpusLine& l : corpus().lines) {
        if (!l.yearArgs.empty()) continue;
        cli::CalcRequest q;
        std::string id, error;
        ASSERT_TRUE(reader.read(l.batchLine, q, id, error)) << l.id << ": " << error;
        test::Calculator c;
        const std::string refused = calculate(c, q);
        m.check(l, [&](const std::string& key) -> std::optional<std::string> {
            if (!refused.empty()) return "refused: " + refused;
            return recordValue(c, key);
        });
    }
    EXPECT_TRUE(m.empty()) << m.report("the calculator");
}

TEST(BoundaryCorpus, YearCheckWindowAnswersAsKept)
{
    Mismatches m;
    for (const CorpusLine& l : corpus().lines) {
        if (l.yearArgs.empty()) continue;
        std::vector<std::string> args = {"wagemark-cli", "year"};
        args.insert(args.end(), l.yearArgs.begin(), l.yearArgs.end());
        cli::YearOptions o;
        try {
            o = cli::parseYear(args, 2);
        } catch (const cli::UsageError& e) {  // outside every range: no field takes it
            m.check(l, [&](const std::string& key) -> std::optional<std::string> {
                if (key == "refused") return "\"" + e.message.substr(0, e.message.find(':')) + "\"";
                return "refused: " + e.message;
            });
            continue;
        }
        test::Calculator c;
        const std::string refused = calculate(c, o.request);
        YearCheckModel y(c.h.r, c.h.settings, c.h.errors);
        y.load();
        if (o.filing) y.entries.filing = *o.filing;
        y.txtChildren = std::to_string(o.children);
        if (o.exemptions) {
            y.txtExemptions = std::to_string(*o.exemptions);
            y.exemptionsGiven = true;
        }
        y.txtOtherIncome = formatPlain(o.otherIncome);
        y.txtItemized = formatPlain(o.itemized);
        y.txtSpouseWages = formatPlain(o.spouse.wages);
        y.txtSpouseWithheld = formatPlain(o.spouse.withholding);
        y.txtPaid = std::to_string(o.soFar.paid);
        for (auto [input, text] : {std::pair{Input::WagesSoFar, &y.txtWagesSoFar},
                                   {Input::FederalSoFar, &y.txtWithheldSoFar}, {Input::StateSoFar, &y.txtStateSoFar},
                                   {Input::SocialSecuritySoFar, &y.txtSocialSecuritySoFar}})
            if (const auto given = o.given.find(input); given != o.given.end()) *text = given->second.second;
        y.refresh();
        m.check(l, [&](const std::string& key) -> std::optional<std::string> {
            // A refused entry: the option of the field it names.
            if (key == "refused" && y.refused) {
                const auto given = o.given.find(*y.refused);
                return "\"" + (given == o.given.end() ? std::string("--income") : given->second.first) + "\"";
            }
            if (!refused.empty() || !y.check()) return "no check: " + refused + y.message;
            return yearValue(*y.check(), key);
        });
    }
    EXPECT_TRUE(m.empty()) << m.report("the Year Check window");
}

}  // namespace
}  // namespace wm::corpus
