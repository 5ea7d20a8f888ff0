// The calculation pass: gross, 401(k), pre-tax, federal, FICA, state
// dispatch, local tax and the totals.
#include <gtest/gtest.h>

#include "core/state_dispatch.h"
#include "record/state_base.h"
#include "states/registry.h"
#include "support/harness.h"

namespace wm {
namespace {

TEST(Pass, EmptyIncomeIsZeroEverywhere)
{
    test::Harness h;
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.SSBase, 0_usd);
    EXPECT_EQ(h.r.amt401k, 0_usd);
    EXPECT_EQ(h.r.fTax, 0_usd);
    EXPECT_EQ(h.r.amtFICA, 0_usd);
    EXPECT_EQ(h.r.amtTotal, 0_usd);
}

TEST(Pass, FourOhOneKEntries)
{
    struct Row {
        const char* text;
        Currency expected;
    };
    for (const Row& row : {Row{"5", 50_usd}, Row{"5.0", 50_usd}, Row{"0.05", 50_usd}, Row{"1", 10_usd},
                           Row{"0.99", 990_usd}, Row{"0.5", 500_usd}, Row{"", 0_usd}}) {
        SCOPED_TRACE(row.text);
        test::Harness h;
        h.in.txtIncome = "1000";
        h.in.txt401k = row.text;
        ASSERT_TRUE(h.calculate());
        EXPECT_EQ(h.r.amt401k, row.expected);
    }
}

TEST(Pass, FourOhOneKAndPreTaxLowerFederalWages)
{
    test::Harness h;
    h.in.txtIncome = "$1,000.00";
    h.in.txt401k = "6";
    h.in.txtPreTax = "50";
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amt401k, 60_usd);
    EXPECT_EQ(h.r.taxBase, 890_usd);
}

TEST(Pass, PreTaxAboveGrossFloorsFederalWagesOnly)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.in.txtPreTax = "1200";
    h.in.exemptions = "1";
    h.r.HowOft = 0;
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.taxBase, 0_usd);
    EXPECT_EQ(h.r.ftaxBase, Currency() - 53.85_usd);
    EXPECT_EQ(h.r.fTax, 0_usd);
    // -200 less FICA on the full gross.
    EXPECT_EQ(h.r.amtTotal, Currency() - 200_usd - 76.5_usd);
}

// The federal tables, the allowance amounts and the FICA rates are pinned
// at every threshold, with the worked examples, by the boundary corpus
// (tests/corpus).

TEST(Fica, PreFicaAboveGrossIsNegative)
{
    test::Harness h;
    h.in.txtIncome = "100";
    h.in.txtPreFICA = "200";
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amtFICA, Currency() - 7.65_usd);
}

TEST(Pass, ResultLabelsRoundToEven)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.r.SPtx = 1;
    h.r.SPval = 0.00125;  // 1.25 exactly: the label keeps what it was before the local step
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.pass.resultLabel(0), formatPlain(h.r.fTax));
    EXPECT_EQ(h.pass.resultLabel(3), "76.5");
    EXPECT_EQ(h.pass.resultLabels()[7], "0");
    EXPECT_EQ(h.r.amtLocalTax, 1.25_usd);

    // A 401(k) of 0.025: the label rounds the half cent to even.
    h.in.txt401k = "0.000025";
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amt401k, 0.025_usd);
    EXPECT_EQ(h.pass.resultLabel(2), "0.02");
}

TEST(Dispatch, NoStateClearsWhatAnEarlierStateLeft)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.r.intState = 27;  // New Mexico
    ASSERT_TRUE(h.calculate());
    EXPECT_GT(h.r.sTax, 0_usd);
    constexpr std::pair<const char*, Currency PayRecord::*> kResults[] = {
        {"sTax", &PayRecord::sTax},       {"staxBase", &PayRecord::staxBase},   {"PersExmp", &PayRecord::PersExmp},
        {"stdDed", &PayRecord::stdDed},   {"DepDed", &PayRecord::DepDed},       {"TaxCredit", &PayRecord::TaxCredit},
        {"persExmpMiss", &PayRecord::persExmpMiss}};
    for (const auto& [name, field] : kResults) h.r.*field = 1.5_usd;  // as some calculator may leave them
    h.r.intState = 0;
    ASSERT_TRUE(h.calculate());
    for (const auto& [name, field] : kResults) EXPECT_EQ(h.r.*field, 0_usd) << name;
}

TEST(Dispatch, StateBaseExcludesOnlyOnAnExactY)
{
    struct Row {
        const char* key;
        const char* value;
        Currency samt401k, staPreTax;
    };
    for (const Row& row : {Row{"sta401", "Y", 60_usd, 0_usd}, Row{"sta401", "y", 0_usd, 0_usd},
                           Row{"sta401", "N", 0_usd, 0_usd}, Row{"staPreTax", "Y", 0_usd, 50_usd},
                           Row{"staPreTax", "y", 0_usd, 0_usd}}) {
        SCOPED_TRACE(testing::Message() << row.key << "=" << row.value);
        test::Harness h;
        h.in.txtIncome = "1000";
        h.in.txt401k = "6";
        h.in.txtPreTax = "50";
        h.settings.save("StateInfo", row.key, row.value);
        ASSERT_TRUE(h.calculate());
        StateBase(h.pass);
        EXPECT_EQ(h.r.Samt401k, row.samt401k);
        EXPECT_EQ(h.r.StaPreTax, row.staPreTax);
    }
}

// Every index through the real dispatch, on two fixed sets of entries, one
// pass after the other on one record: a calculator wired to another index,
// a working field left over from the state before, or a changed table row
// that these amounts reach shows here.
TEST(Dispatch, EveryIndexReachesItsCalculator)
{
    struct Row {
        const char* name;
        Currency singleBiweekly, marriedMonthly;
    };
    // Alabama has no state filing status 0 and Missouri none 3: those give 0.
    const Row rows[] = {
        {"No State", 0_usd, 0_usd},
        {"Alabama", 36.5631_usd, 0_usd},
        {"Arizona", 1.6099_usd, 9.9492_usd},
        {"Arkansas", 54.4961_usd, 231.643_usd},
        {"California", 19.1924_usd, 227.8464_usd},
        {"Colorado", 51_usd, 166_usd},
        {"Connecticut", 9.8239_usd, 84.0597_usd},
        {"Delaware", 49.4219_usd, 159.2163_usd},
        {"Dist of Columbia", 83.4408_usd, 326.3076_usd},
        {"Georgia", 47.2086_usd, 189.6754_usd},
        {"Hawaii", 71.897_usd, 300.3636_usd},
        {"Idaho", 78_usd, 244_usd},
        {"Illinois", 33.5754_usd, 114.6327_usd},
        {"Indiana", 38.7059_usd, 132.7506_usd},
        {"Iowa", 56_usd, 227_usd},
        {"Kansas", 48.6912_usd, 146.6306_usd},
        {"Kentucky", 61.689_usd, 230.7654_usd},
        {"Louisiana", 28.7675_usd, 89.6327_usd},
        {"Maine", 69_usd, 203_usd},
        {"Maryland", 64.166_usd, 274.5671_usd},
        {"Massachusetts", 56.8103_usd, 207.1208_usd},
        {"Michigan", 47.1668_usd, 161.1863_usd},
        {"Minnesota", 66_usd, 216_usd},
        {"Mississippi", 53_usd, 156_usd},
        {"Missouri", 0_usd, 171_usd},
        {"Nebraska", 51.9982_usd, 180.5538_usd},
        {"New Jersey", 20.0832_usd, 86.3317_usd},
        {"New Mexico", 47.3641_usd, 155.2712_usd},
        {"New York", 48.2951_usd, 208.8044_usd},
        {"North Carolina", 68.8687_usd, 245.1801_usd},
        {"North Dakota", 22.5386_usd, 69.6444_usd},
        {"Ohio", 39.9754_usd, 170.8464_usd},
        {"Oklahoma", 51_usd, 243_usd},
        {"Oregon", 87.0304_usd, 305.6081_usd},
        {"Pennsylvania", 34.5677_usd, 120.9905_usd},
        {"Rhode Island", 41.8785_usd, 129.3408_usd},
        {"South Carolina", 61.6884_usd, 235.4763_usd},
        {"Utah", 68_usd, 236_usd},
        {"Vermont", 41.4209_usd, 119.3915_usd},
        {"Virginia", 58.3189_usd, 218.1398_usd},
        {"West Virginia", 43.4338_usd, 170.525_usd},
        {"Wisconsin", 75.0165_usd, 281.0224_usd},
    };
    ASSERT_EQ(std::size(rows), stateList().size());
    test::Harness h;
    auto stateTax = [&h](int index, bool married) {
        h.in.txtIncome = married ? "4321.09" : "1234.56";
        h.in.exemptions = married ? "2" : "1";
        h.r.HowOft = married ? 3 : 2;
        h.r.valMarried = married ? 0 : 1;
        h.r.intSMarried = married ? 0 : 3;
        h.r.StateExmp = h.r.StateDeps = h.r.ILINDeps = h.r.StateRate = married ? 2 : 1;
        h.r.Method = married ? 241 : 125;
        h.r.intState = static_cast<std::int16_t>(index);
        EXPECT_TRUE(h.calculate());
        return h.r.sTax;
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(stateList()[i].name, rows[i].name);
        EXPECT_EQ(stateTax(static_cast<int>(i), false), rows[i].singleBiweekly);
        EXPECT_EQ(stateTax(static_cast<int>(i), true), rows[i].marriedMonthly);
    }
}

TEST(Dispatch, CheckStateReadsTheSavedIndex)
{
    test::Harness h;
    h.settings.save("Settings", "State", "7");
    EXPECT_TRUE(CheckState(h.r, h.settings, h.errors));
    EXPECT_EQ(h.r.intState, 7);
    h.settings.save("Settings", "State", "15");
    EXPECT_FALSE(CheckState(h.r, h.settings, h.errors));
    EXPECT_FALSE(stateNeedsOptions(0));
    EXPECT_TRUE(stateNeedsOptions(32));
}

// The five bases are in the boundary corpus; without a base code, or with
// one outside 1 to 5, the local tax of the pass before stays.
TEST(LocalTax, NoBaseKeepsTheLastAmount)
{
    for (std::int16_t code : {0, 6}) {
        SCOPED_TRACE(code);
        test::Harness h;
        h.in.txtIncome = "1000";
        h.r.SPval = 0.01;
        h.r.SPtx = code;
        h.r.amtLocalTax = 99_usd;  // left from an earlier pass
        ASSERT_TRUE(h.calculate());
        EXPECT_EQ(h.r.amtLocalTax, 99_usd);
    }
}

// A tax never pays the employee: a base below zero gives no local tax, so
// the check is never above the gross pay.
TEST(LocalTaxFloor, ABaseBelowZeroGivesNoLocalTax)
{
    struct Row {
        const char* name;
        const char* income;
        const char* preTax;
        std::int16_t code;
        std::int16_t state;
        std::int16_t howOft;
        const char* exemptions;
        Currency expected;
    };
    for (const Row& row : {
             // Married weekly, 2 exemptions, Delaware: its exemption is above $15.
             Row{"less Deps Deduction below zero", "15", "", 5, 7, 0, "2", 0_usd},
             Row{"less Deps Deduction above zero", "1000", "", 5, 7, 0, "2", 11.70_usd},
             Row{"less pre-tax below zero", "100", "150", 3, 0, 2, "0", 0_usd},
             Row{"less pre-tax at zero", "100", "100", 3, 0, 2, "0", 0_usd},
             Row{"less 401k and pre-tax below zero", "100", "150", 4, 0, 2, "0", 0_usd},
             Row{"gross", "100", "150", 1, 0, 2, "0", 1.50_usd},
         }) {
        SCOPED_TRACE(row.name);
        test::Harness h;
        h.r.HowOft = row.howOft;
        h.r.intState = row.state;
        h.r.intSMarried = 0;
        h.in.txtIncome = row.income;
        h.in.txtPreTax = row.preTax;
        h.in.exemptions = row.exemptions;
        h.r.SPval = 0.015;
        h.r.SPtx = row.code;
        h.r.amtLocalTax = 99_usd;  // left from an earlier pass
        ASSERT_TRUE(h.calculate());
        EXPECT_EQ(h.r.amtLocalTax, row.expected);
        EXPECT_LE(h.r.amtTotal, h.r.SSBase);
    }
}

TEST(Pass, BadIncomeTextIsReportedWithItsPlace)
{
    test::Harness h;
    h.in.txtIncome = "12x";
    EXPECT_FALSE(h.calculate());
    ASSERT_FALSE(h.log.reports.empty());
    const ReportData& first = h.log.reports.front();
    EXPECT_EQ(first.field("Error Number"), "13");
    EXPECT_EQ(first.field("Procedure Name"), "Calculate");
    EXPECT_EQ(first.field("Line Number"), "100");
}

TEST(Pass, GridRowsInOrder)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    ASSERT_TRUE(h.calculate());
    const auto rows = gridRows(h.r);
    EXPECT_EQ(rows.front().title, "Gross Pay");
    EXPECT_EQ(rows.back().title, "Check Amt");
    EXPECT_EQ(rows.back().amount, h.r.amtTotal);
    EXPECT_EQ(h.r.amtTotal, h.r.SSBase - h.r.amtDedTot);
}

}  // namespace
}  // namespace wm
