// Every line of the worksheets, the pay analysis and the statement can fail
// a test: from a base case each row changes one line alone and gives what
// every line then shows, and each check of the Multiple Check Worksheet is
// made unreadable once.
#include <gtest/gtest.h>

#include <set>

#include "forms/tools/logic/analysis_model.h"
#include "forms/tools/logic/multi_check_model.h"
#include "forms/w4/logic/dednadj_model.h"
#include "forms/w4/logic/pers_wksht_model.h"
#include "forms/w4/logic/two_earner_model.h"
#include "print/logic/statement_builder.h"
#include "support/harness.h"
#include "support/navigation.h"

namespace wm {
namespace {

using namespace w4;

// ---- Personal Allowances: each line alone ---------------------------------

TEST(WorksheetLines, PersonalAllowancesEachLineAlone)
{
    struct Row {
        const char* line;
        int tick;  // TickLine, or -1
        const char* D;
        const char* G;
        std::int16_t H;
    };
    for (const Row& row : {Row{"A", kLineA, "", "", 1}, Row{"B", kLineB, "", "", 1}, Row{"C", kLineC, "", "", 1},
                           Row{"D", -1, "2", "", 2}, Row{"E", kLineE, "", "", 1}, Row{"F", kLineF, "", "", 1},
                           Row{"G", -1, "", "3", 3}}) {
        SCOPED_TRACE(row.line);
        test::WindowHarness h;
        PersWkSht w(h.windows, h.errors);
        if (row.tick >= 0) w.chkPersWkShtA[static_cast<std::size_t>(row.tick)] = true;
        w.txtPersWkEnterDeps = row.D;
        w.txtChild = row.G;
        ASSERT_FALSE(w.calculate());
        EXPECT_EQ(h.windows.PersWkShtDeps, row.H);
        EXPECT_EQ(w.lblTotalDepsClaim, std::to_string(row.H));
    }
}

// ---- Deductions and Adjustments: each entry alone -------------------------

TEST(WorksheetLines, DeductionsAndAdjustmentsEachEntryAlone)
{
    // Base: 10,000 itemized, single ($4,400), 399.99 adjustments, 0.01 of
    // credits and of nonwage income: line 7 is a cent short of two divisors,
    // so a cent more anywhere adds an allowance.
    struct Row {
        const char* what;
        const char* line1;
        int category;
        const char* line4;
        const char* credits;
        const char* line6;
        std::int16_t deps;
        const char* line2;
        const char* line3;
        const char* line5;
        const char* line7;
        const char* line8;
        std::int16_t line10;
    };
    const Row rows[] = {
        {"base", "10000", 2, "399.99", "0.01", "0.01", 2, "$4,400.00", "$5,600.00", "$6,000.00", "$5,999.99", "1", 3},
        {"line 1", "10000.01", 2, "399.99", "0.01", "0.01", 2, "$4,400.00", "$5,600.01", "$6,000.01", "$6,000.00",
         "2", 4},
        {"line 2 married", "10000", 0, "399.99", "0.01", "0.01", 2, "$7,350.00", "$2,650.00", "$3,050.00",
         "$3,049.99", "1", 3},
        {"line 2 head", "10000", 1, "399.99", "0.01", "0.01", 2, "$6,450.00", "$3,550.00", "$3,950.00", "$3,949.99",
         "1", 3},
        {"line 2 separate", "10000", 3, "399.99", "0.01", "0.01", 2, "$3,675.00", "$6,325.00", "$6,725.00",
         "$6,724.99", "2", 4},
        {"line 4", "10000", 2, "400", "0.01", "0.01", 2, "$4,400.00", "$5,600.00", "$6,000.01", "$6,000.00", "2", 4},
        {"credits", "10000", 2, "399.99", "0.02", "0.01", 2, "$4,400.00", "$5,600.00", "$6,000.01", "$6,000.00", "2",
         4},
        {"line 6", "10000", 2, "399.99", "0.01", "", 2, "$4,400.00", "$5,600.00", "$6,000.00", "$6,000.00", "2", 4},
        {"line 9", "10000", 2, "399.99", "0.01", "0.01", 5, "$4,400.00", "$5,600.00", "$6,000.00", "$5,999.99", "1",
         6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        test::WindowHarness h;
        h.windows.PersWkShtDeps = row.deps;
        DednAdjWkSht w(h.windows, h.errors);
        w.txtGetItemized = row.line1;
        ASSERT_FALSE(w.chooseCategory(row.category));
        w.nextPage();
        w.txtAdjustments = row.line4;
        w.txtP919Wkst7 = row.credits;
        w.txtNonWage = row.line6;
        ASSERT_TRUE(w.calculate().ran);
        EXPECT_EQ(w.lblGetPersDed, row.line2);
        EXPECT_EQ(w.lblSubTotal, row.line3);
        EXPECT_EQ(w.lblTotal5, row.line5);
        EXPECT_EQ(w.lblTotal7, row.line7);
        EXPECT_EQ(w.lblDivide, row.line8);
        EXPECT_EQ(w.lblPersWrkShtDeps, std::to_string(row.deps));
        EXPECT_EQ(w.lblTotal10, std::to_string(row.line10));
        EXPECT_EQ(h.windows.PersWkShtDeps, row.line10);
    }
}

// ---- Two-Earner/Two-Job: each line alone ----------------------------------

TEST(WorksheetLines, TwoEarnerEachLineAlone)
{
    struct Row {
        const char* what;
        std::int16_t line1;
        std::int16_t table1;
        std::int16_t table2;
        const char* payDays;
        const char* line6;
        const char* line8;
        const char* line9;
    };
    for (const Row& row : {Row{"base", 2, 9, 780, "26", "7", "5460", "210"},
                           Row{"line 1", 3, 9, 780, "26", "6", "4680", "180"},
                           Row{"line 2", 2, 8, 780, "26", "6", "4680", "180"},
                           Row{"line 7", 2, 9, 870, "26", "7", "6090", "234.2308"},
                           Row{"pay days", 2, 9, 780, "24", "7", "5460", "227.5"}}) {
        SCOPED_TRACE(row.what);
        test::WindowHarness h;
        h.windows.PersWkShtDeps = row.line1;
        TwoEarnerWkSht w(h.windows, h.errors);
        EXPECT_EQ(w.lblDedFromG, std::to_string(row.line1));
        w.showTable(0);
        w.applyTable1Row(row.table1);
        EXPECT_EQ(w.lbl2WkerT1, std::to_string(row.table1));
        EXPECT_EQ(w.lbl2Wker3, "0");
        w.nextPage();
        EXPECT_EQ(w.lbl2WkerResult4, std::to_string(row.table1));
        EXPECT_EQ(w.lbl2WkerResult5, std::to_string(row.line1));
        EXPECT_EQ(w.lbl2WkerResult6, row.line6);
        w.showTable(1);
        w.applyTable2Row(row.table2);
        EXPECT_EQ(w.lblTable2, std::to_string(row.table2));
        w.txtNumPayDays = row.payDays;
        ASSERT_FALSE(w.calculate());
        EXPECT_EQ(w.lblMultiply8, row.line8);
        EXPECT_EQ(w.lblDollarAmt, row.line9);
        EXPECT_EQ(formatPlain(h.windows.DollarAmt), row.line9);
    }
}

// ---- Multiple Check Worksheet: each check in each period, each made bad ------

TEST(WorksheetLines, MultipleCheckEachCheckInEachPeriod)
{
    const std::pair<CheckPeriod, Currency> periods[] = {{CheckPeriod::Weekly, 4333.33_usd},
                                                        {CheckPeriod::EveryTwoWeeks, 2166.67_usd},
                                                        {CheckPeriod::TwiceAMonth, 2000_usd},
                                                        {CheckPeriod::Monthly, 1000_usd}};
    for (int n = 1; n <= kCheckCount; ++n)
        for (const auto& [period, monthly] : periods) {
            SCOPED_TRACE(testing::Message() << "check " << n << ", period " << static_cast<int>(period));
            test::WindowHarness h;
            MultiCheckModel m(h.windows, h.errors);
            m.setAmount(n, "1000");
            m.choosePeriod(n, period);
            ASSERT_TRUE(m.calculate());
            for (int k = 1; k <= kCheckCount; ++k) EXPECT_EQ(m.monthly(k), k == n ? monthly : 0_usd) << k;
            EXPECT_EQ(h.windows.amtMultiChk, monthly);
        }
}

TEST(WorksheetLines, MultipleCheckEachCheckMadeBad)
{
    for (int bad = 1; bad <= kCheckCount; ++bad) {
        SCOPED_TRACE(testing::Message() << "check " << bad);
        test::WindowHarness h;
        MultiCheckModel m(h.windows, h.errors);
        // Checks of 1,000, 2,000, 3,000 and 4,000 a month; then one of them
        // becomes unreadable.
        for (int n = 1; n <= kCheckCount; ++n) {
            m.setAmount(n, std::to_string(1000 * n));
            m.choosePeriod(n, CheckPeriod::Monthly);
        }
        m.setAmount(bad, "1O00");
        h.log.answers = {static_cast<int>(Action::Continue)};
        EXPECT_TRUE(m.calculate());
        ASSERT_EQ(h.log.reports.size(), 1u);
        EXPECT_EQ(h.log.reports[0].field("Procedure Name"), "cmdCalc_Click");
        EXPECT_EQ(h.log.reports[0].field("Line Number"), std::to_string(99 + bad));
        // The bad check keeps its last equivalent; the others are read again.
        EXPECT_EQ(h.windows.amtMultiChk, 10000_usd);
        for (int n = 1; n <= kCheckCount; ++n) EXPECT_EQ(m.monthly(n), Currency::dollars(1000 * n)) << n;
        // Once it reads again, Calculate takes its new amount.
        m.setAmount(bad, "500");
        EXPECT_TRUE(m.calculate());
        EXPECT_EQ(h.windows.amtMultiChk, 10000_usd - Currency::dollars(1000 * bad) + 500_usd);
    }
}

// ---- Pay analysis: which figures each amount moves ------------------------

TEST(WorksheetLines, PayAnalysisEachAmountMovesItsFigures)
{
    auto base = [] {
        PayRecord r;
        r.Freq = 52;
        r.SSBase = 1000_usd;
        r.fTax = 100_usd;
        r.sTax = 30_usd;
        r.amtLocalTax = 10_usd;
        r.amt401k = 50_usd;
        r.PreTax = 20_usd;
        r.amtSS = 62_usd;
        r.amtMedicare = 14.5_usd;
        r.amtFICA = 76.5_usd;
        return r;
    };
    struct Row {
        const char* what;
        void (*change)(PayRecord&, int&);
        const char* figures;  // the figures that change
    };
    const Row rows[] = {
        {"gross pay", [](PayRecord& r, int&) { r.SSBase += 7_usd; }, "0123456789"},
        {"federal tax", [](PayRecord& r, int&) { r.fTax += 7_usd; }, "1234569"},
        {"state tax", [](PayRecord& r, int&) { r.sTax += 7_usd; }, "123479"},
        {"local tax", [](PayRecord& r, int&) { r.amtLocalTax += 7_usd; }, "12349"},
        {"401(k)", [](PayRecord& r, int&) { r.amt401k += 7_usd; }, "245"},
        {"pre-tax", [](PayRecord& r, int&) { r.PreTax += 7_usd; }, "245"},
        {"FICA", [](PayRecord& r, int&) { r.amtFICA += 7_usd; }, "24"},
        {"hours", [](PayRecord&, int& hours) { ++hours; }, "012"},
        {"periods", [](PayRecord& r, int&) { r.Freq = 26; }, "89"},
    };
    PayRecord r0 = base();
    formTotals(r0);
    const Analysis a0 = analyzePay(r0, 40);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PayRecord r = base();
        int hours = 40;
        row.change(r, hours);
        formTotals(r);
        const Analysis a = analyzePay(r, hours);
        std::string changed;
        for (std::size_t i = 0; i < a.figures.size(); ++i)
            if (a.figures[i].text() != a0.figures[i].text()) changed += static_cast<char>('0' + i);
        EXPECT_EQ(changed, row.figures);
    }
}

// ---- The statement: each amount and setting on its own row ------------------

std::vector<std::string> statementRows(const PayRecord& r, const StatementData& d)
{
    const std::string s = statementTable(r, d);
    std::vector<std::string> out;
    for (std::size_t start = s.find(';') + 1; start < s.size();) {
        const std::size_t end = s.find(';', start);
        out.push_back(s.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

TEST(WorksheetLines, StatementEachAmountOnItsOwnRow)
{
    PayRecord r0;
    Currency PayRecord::*amounts[] = {&PayRecord::SSBase, &PayRecord::amt401k,   &PayRecord::fTax,
                                      &PayRecord::sTax,   &PayRecord::amtLocalTax, &PayRecord::amtFICA,
                                      &PayRecord::amtDedTot, &PayRecord::amtTotal, &PayRecord::amtSS,
                                      &PayRecord::amtMedicare, &PayRecord::PreTax, &PayRecord::SSEmp};
    // Rows (after the header) of the amounts above, in order.
    const int rowOf[] = {1, 2, 3, 4, 5, 6, 8, 9, 12, 13, 16, 17};
    for (std::size_t i = 0; i < std::size(amounts); ++i) r0.*amounts[i] = Currency::dollars(100 + 10 * (int)i);
    const StatementData d0{"Married", "Kansas", "Weekly", "No", 2};
    const std::vector<std::string> base = statementRows(r0, d0);
    ASSERT_EQ(base.size(), 25u);
    auto changedRows = [&](const PayRecord& r, const StatementData& d) {
        const std::vector<std::string> now = statementRows(r, d);
        std::set<std::size_t> out;
        for (std::size_t k = 0; k < now.size(); ++k)
            if (now[k] != base[k]) out.insert(k);
        return out;
    };
    for (std::size_t i = 0; i < std::size(amounts); ++i) {
        SCOPED_TRACE(base[static_cast<std::size_t>(rowOf[i])]);
        PayRecord r = r0;
        r.*amounts[i] += 1_usd;
        EXPECT_EQ(changedRows(r, d0), std::set<std::size_t>{static_cast<std::size_t>(rowOf[i])});
    }
    const std::pair<void (*)(StatementData&), std::size_t> texts[] = {
        {[](StatementData& d) { d.mStatus = "Single"; }, 20}, {[](StatementData& d) { d.DepsNumber = 3; }, 21},
        {[](StatementData& d) { d.stateName = "Ohio"; }, 22}, {[](StatementData& d) { d.pd = "Monthly"; }, 23},
        {[](StatementData& d) { d.SE = "Yes"; }, 24}};
    for (const auto& [change, row] : texts) {
        SCOPED_TRACE(base[row]);
        StatementData d = d0;
        change(d);
        EXPECT_EQ(changedRows(r0, d), std::set<std::size_t>{row});
    }
}

TEST(WorksheetLines, StatementSettingsFromTheRecordAndTheStore)
{
    struct Row {
        std::int16_t valMarried;
        std::int16_t howOft;
        const char* self;
        const char* status;
        const char* frequency;
        const char* se;
    };
    for (const Row& row : {Row{0, 0, "-1", "Married", "Weekly", "Yes"}, Row{1, 1, "1", "Single", "Twice A Month", "No"},
                           Row{0, 2, "0", "Married", "Every Two Weeks", "No"},
                           Row{1, 3, "-1", "Single", "Monthly", "Yes"}}) {
        SCOPED_TRACE(row.frequency);
        test::WindowHarness h;
        h.r.valMarried = row.valMarried;
        h.r.HowOft = row.howOft;
        h.settings.save("Settings", "Self", row.self);
        h.settings.save("Settings", "Deps", std::to_string(row.howOft + 4));
        h.settings.save("Settings", "StateName", row.frequency);
        PrintModel p(h.r, {h.windows.FromForm, h.windows.intAction, h.windows.intHours}, h.settings, h.errors);
        p.GetPrintData();
        EXPECT_EQ(p.data().mStatus, row.status);
        EXPECT_EQ(p.data().pd, row.frequency);
        EXPECT_EQ(p.data().SE, row.se);
        EXPECT_EQ(p.data().DepsNumber, row.howOft + 4);
        EXPECT_EQ(p.data().stateName, row.frequency);
    }
}

}  // namespace
}  // namespace wm
