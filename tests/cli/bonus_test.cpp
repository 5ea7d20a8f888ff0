// The Bonus Check: the worked example, then one row per case that changes
// how a bonus is withheld. Each row is a command line of calc.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/compute.h"
#include "cli/options.h"

namespace wm::cli {
namespace {

CalcRequest request(const std::string& line)
{
    std::vector<std::string> args = {"wagemark-cli", "calc", "--frequency", "weekly", "--status", "single",
                                     "--exemptions", "1"};
    std::istringstream words(line);
    for (std::string w; words >> w;) args.push_back(w);
    return parseCalc(args, 2, false).request;
}

struct Row {
    const char* what;
    const char* line;
    // Of the bonus alone, in cents; null where the row does not say.
    const char *fTax, *ss, *medicare, *k401, *check;
    BonusMethod method = BonusMethod::Aggregate;
    bool note = false;       // the flat rate asked for was not allowed
    bool aggregate = false;  // state and local: regular + bonus less regular, through calc itself
};

// Single, weekly, 1 allowance (53.85). On 3,000: (2,946.15 - 2,581) x 36 % +
// 688.22 = 819.67; on 1,000: (946.15 - 536) x 28 % + 72.75 = 187.59; so
// 632.08. FICA 2,000 x 6.2 % = 124.00 and x 1.45 % = 29.00; the check
// 2,000 - 632.08 - 153.00 = 1,214.92. Flat: 28 % of 2,000 = 560.00, the
// check 2,000 - 560.00 - 153.00 = 1,287.00.
const Row kRows[] = {
    {"worked example, aggregate", "--income 1000 --bonus 2000", "632.08", "124.00", "29.00", "0.00", "1,214.92"},
    {"worked example, flat", "--income 1000 --bonus 2000 --bonus-method flat", "560.00", "124.00", "29.00", "0.00",
     "1,287.00", BonusMethod::Flat},
    // 401(k) 5 %: (2,796.15 - 2,581) x 36 % + 688.22 = 765.67 less (896.15 - 536) x 28 % + 72.75 = 173.59.
    {"401(k) on the bonus", "--income 1000 --bonus 2000 --401k 5", "592.08", "124.00", "29.00", "100.00", "1,154.92"},
    // Only the regular 50: (2,896.15 - 2,581) x 36 % + 688.22 = 801.67 less 173.59.
    {"401(k) not on the bonus", "--income 1000 --bonus 2000 --401k 5 --bonus-no-401k", "628.08", "124.00", "29.00",
     "0.00", "1,218.92"},
    {"flat after the 401(k)", "--income 1000 --bonus 2000 --401k 5 --bonus-method flat", "532.00", "124.00", "29.00",
     "100.00", "1,215.00", BonusMethod::Flat},
    {"self-employed", "--income 1000 --bonus 2000 --self-employed", "632.08", "248.00", "58.00", "0.00", "1,061.92"},
    {"Social Security wages below the base", "--income 1000 --bonus 2000 --bonus-ss-wages-so-far 70000", "632.08",
     "124.00", "29.00", nullptr, "1,214.92"},
    {"Social Security wages at the base", "--income 1000 --bonus 2000 --bonus-ss-wages-so-far 76200", "632.08",
     "0.00", "29.00", nullptr, "1,338.92"},
    // 1,200 left under the base: 74.40.
    {"Social Security wages across the base", "--income 1000 --bonus 2000 --bonus-ss-wages-so-far 75000", "632.08",
     "74.40", "29.00", nullptr, "1,264.52"},
    // 76,200 x 6.2 %.
    {"a bonus alone above the base", "--income 1000 --bonus 100000", nullptr, "4,724.40", "1,450.00", nullptr,
     nullptr},
    {"a bonus of 0", "--income 1000 --bonus 0 --state Kansas --local-rate 1 --401k 5", "0.00", "0.00", "0.00", "0.00",
     "0.00", BonusMethod::Aggregate, false, true},
    // No income tax on 100 - 53.85: the aggregate method, on 2,046.15:
    // (2,046.15 - 1,152) x 31 % + 245.23.
    {"flat with no income tax on the regular pay", "--income 100 --bonus 2000 --bonus-method flat", "522.42",
     "124.00", "29.00", nullptr, nullptr, BonusMethod::Aggregate, true},
    // A state of each calculator family, and the local tax on each base.
    {"percentage rate", "--income 1000 --bonus 2000 --state Pennsylvania", "632.08", nullptr, nullptr, nullptr,
     nullptr, BonusMethod::Aggregate, false, true},
    {"annualized", "--income 1000 --bonus 2000 --state Alabama --state-status 1", nullptr, nullptr, nullptr, nullptr, nullptr,
     BonusMethod::Aggregate, false, true},
    {"per-period tables", "--income 1000 --bonus 2000 --state Colorado", nullptr, nullptr, nullptr, nullptr, nullptr,
     BonusMethod::Aggregate, false, true},
    {"Georgia", "--income 1000 --bonus 2000 --state Georgia", nullptr, nullptr, nullptr, nullptr, nullptr,
     BonusMethod::Aggregate, false, true},
    {"California", "--income 1000 --bonus 2000 --state California --bonus-method flat", "560.00", nullptr, nullptr,
     nullptr, nullptr, BonusMethod::Flat, false, true},
    {"Connecticut", "--income 1000 --bonus 2000 --state Connecticut", nullptr, nullptr, nullptr, nullptr, nullptr,
     BonusMethod::Aggregate, false, true},
    {"New Jersey", "--income 1000 --bonus 2000 --state NewJersey", nullptr, nullptr, nullptr, nullptr, nullptr,
     BonusMethod::Aggregate, false, true},
    {"per-period brackets", "--income 1000 --bonus 2000 --state NewMexico", nullptr, nullptr, nullptr, nullptr,
     nullptr, BonusMethod::Aggregate, false, true},
    {"tables with variants", "--income 1000 --bonus 2000 --state Utah", nullptr, nullptr, nullptr, nullptr, nullptr,
     BonusMethod::Aggregate, false, true},
    {"tables with own deductions", "--income 1000 --bonus 2000 --state Oregon", nullptr, nullptr, nullptr, nullptr,
     nullptr, BonusMethod::Aggregate, false, true},
    {"Maryland and its county", "--income 1000 --bonus 2000 --state Maryland --county-rate 2.41", nullptr, nullptr,
     nullptr, nullptr, nullptr, BonusMethod::Aggregate, false, true},
    {"annualized brackets", "--income 1000 --bonus 2000 --state Virginia", nullptr, nullptr, nullptr, nullptr, nullptr,
     BonusMethod::Aggregate, false, true},
    {"Oklahoma", "--income 1000 --bonus 2000 --state Oklahoma", nullptr, nullptr, nullptr, nullptr, nullptr,
     BonusMethod::Aggregate, false, true},
    {"local tax on gross pay", "--income 1000 --bonus 2000 --401k 5 --pretax 50 --local-rate 1 --local-base 1",
     nullptr, nullptr, nullptr, nullptr, nullptr, BonusMethod::Aggregate, false, true},
    {"local tax less 401(k)", "--income 1000 --bonus 2000 --401k 5 --pretax 50 --local-rate 1 --local-base 2",
     nullptr, nullptr, nullptr, nullptr, nullptr, BonusMethod::Aggregate, false, true},
    {"local tax less pre-tax", "--income 1000 --bonus 2000 --401k 5 --pretax 50 --local-rate 1 --local-base 3",
     nullptr, nullptr, nullptr, nullptr, nullptr, BonusMethod::Aggregate, false, true},
    {"local tax less both", "--income 1000 --bonus 2000 --401k 5 --pretax 50 --local-rate 1 --local-base 4", nullptr,
     nullptr, nullptr, nullptr, nullptr, BonusMethod::Aggregate, false, true},
    {"local tax less the exemption", "--income 1000 --bonus 2000 --state Kansas --local-rate 1 --local-base 5",
     nullptr, nullptr, nullptr, nullptr, nullptr, BonusMethod::Aggregate, false, true},
};

TEST(BonusCheck, EachCase)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        const CalcRequest q = request(row.line);
        const BonusOutcome b = computeBonus(q, true);
        ASSERT_FALSE(b.bonus.error) << b.bonus.errorReport;
        ASSERT_FALSE(b.refusal) << *b.refusal;
        const PayRecord& r = b.bonus.record;
        const std::pair<const char*, Currency> figures[] = {
            {row.fTax, r.fTax}, {row.ss, r.amtSS}, {row.medicare, r.amtMedicare}, {row.k401, r.amt401k},
            {row.check, r.amtTotal}};
        for (const auto& [want, got] : figures)
            if (want) {
                EXPECT_EQ(formatAmount(got), want);
            }
        EXPECT_EQ(r.PreTax, Currency());
        EXPECT_EQ(r.SSEmp, Currency());
        EXPECT_EQ(b.method, row.method);
        EXPECT_EQ(b.note.empty(), !row.note);
        EXPECT_FALSE(b.bonus.trace.lines.empty());
        if (!row.aggregate) continue;
        // The calculator itself on the regular pay, and on it plus the bonus.
        CalcRequest regular = q, together = q;
        regular.bonus = together.bonus = false;
        together.input.txtIncome = formatPlain(toCurrency(q.input.txtIncome) + toCurrency(q.txtBonus));
        const PayRecord one = compute(regular).record, both = compute(together).record;
        EXPECT_EQ(r.sTax, both.sTax - one.sTax);
        EXPECT_EQ(r.amtLocalTax, both.amtLocalTax - one.amtLocalTax);
        EXPECT_EQ(r.sTax != Currency() || r.amtLocalTax != Currency(), q.txtBonus != "0");
    }
}

}  // namespace
}  // namespace wm::cli
