// The local tax and pay raise tool without a window: the rate and its base,
// the raise examples, and what it hands back to the calculator.
#include <gtest/gtest.h>

#include "forms/main/logic/misc_model.h"
#include "main_support.h"
#include "print/logic/statement_builder.h"

namespace wm {
namespace {

// A calculator after Calculate on gross 1,000.00 for 40 (or other) hours.
struct RaiseSetup {
    test::Calculator c;
    explicit RaiseSetup(const char* hours = "40")
    {
        c.main.load();
        c.main.txtIncome = "1000";
        c.main.txtHours = hours;
        EXPECT_FALSE(c.main.calculate());
    }
};

TEST(LocalTax, RateAsPercentOrFractionAndTheButtonColour)
{
    struct Row {
        const char* text;
        double spval;
        const char* saved;
        int colour;
    };
    for (const Row& row : {Row{"2", 0.02, "0.02", kDarkRed}, Row{"", 0, "0", kBlack}, Row{".03", 0.03, "0.03", kDarkRed},
                           Row{"1", 0.01, "0.01", kDarkRed}, Row{"0", 0, "0", kBlack}}) {
        SCOPED_TRACE(row.text);
        test::Calculator c;
        c.main.load();
        MiscModel m(c.main, MiscModel::Page::LocalTax);
        m.load();
        EXPECT_EQ(c.h.windows.frmLoaded, "7");
        m.baseClicked(0);
        m.rate = row.text;
        ASSERT_FALSE(m.acceptLocalTax());
        EXPECT_DOUBLE_EQ(c.h.r.SPval, row.spval);
        EXPECT_EQ(c.h.settings.get("Settings", "Local", "?"), row.saved);
        EXPECT_EQ(c.main.varLocalTaxColor, row.colour);
        m.unload();
        EXPECT_EQ(c.h.windows.frmLoaded, "6");
    }
}

TEST(LocalTax, BaseChoiceIsSavedAndUsedByTheNextCalculation)
{
    RaiseSetup s;
    MiscModel m(s.c.main, MiscModel::Page::LocalTax);
    m.load();
    EXPECT_EQ(m.lstGrossPay, -1);  // nothing chosen yet
    m.baseClicked(1);              // gross pay less 401k
    EXPECT_EQ(s.c.h.r.SPtx, 2);
    EXPECT_EQ(s.c.h.settings.get("Settings", "ApplyTo", "?"), "2");
    EXPECT_EQ(s.c.h.settings.get("Settings", "ApplyToDisp", "?"), "1");
    m.rate = "1";
    ASSERT_FALSE(m.acceptLocalTax());
    s.c.main.txt401k = "6";
    ASSERT_FALSE(s.c.main.calculate());
    EXPECT_EQ(s.c.h.r.amtLocalTax, 9.40_usd);  // (1,000 - 60) x 1 %

    MiscModel again(s.c.main, MiscModel::Page::LocalTax);
    again.load();
    EXPECT_EQ(again.lstGrossPay, 1);
    EXPECT_EQ(again.rate, "1");  // the percentage, not the fraction kept
}

TEST(LocalTax, ARateWithoutABaseAsksForOne)
{
    test::Calculator c;
    MiscModel m(c.main, MiscModel::Page::LocalTax);
    m.load();
    m.rate = "2";
    const auto problem = m.acceptLocalTax();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, "Local Tax base");
    EXPECT_EQ(c.h.settings.get("Settings", "Local", "?"), "?");
    EXPECT_EQ(c.h.r.SPval, 0);
}

TEST(PayRaise, ThreePercentOnAThousandForFortyHours)
{
    RaiseSetup s;
    MiscModel m(s.c.main, MiscModel::Page::PayRaise);
    m.load();
    EXPECT_EQ(m.oldShow, "$25.00");
    m.percent = "3";
    ASSERT_FALSE(m.calculateRaise());
    EXPECT_EQ(m.percent, "3");  // as typed
    EXPECT_EQ(m.newWage, "$25.75");
    EXPECT_EQ(s.c.main.txtIncome, "1030");
    EXPECT_EQ(s.c.h.r.TaxOrigan, 1);
    EXPECT_EQ(s.c.h.r.SSBase, 1030_usd);
    EXPECT_EQ(s.c.main.grid[0].amount, 1030_usd);  // the grid shows the raised period
    EXPECT_EQ(s.c.h.settings.get("Settings", "IncAmt", "?"), "1000");
    m.closeRaise();
    EXPECT_EQ(s.c.main.raiseCaption, "$25.75");
    EXPECT_EQ(s.c.main.raiseColor, kDarkRed);
}

// The new gross is f x the income on top of it, in whole cents; the income
// field, the grid and the new wage all come from it. An entry of 1 is 1 %.
TEST(PayRaise, PercentRaisesTheLastGross)
{
    struct Row {
        const char* hours;
        const char* percent;
        const char* newWage;
        const char* income;
        Currency gross;
    };
    for (const Row& row : {Row{"37", "3", "$27.84", "1030", 1030_usd}, Row{"40", "1", "$25.25", "1010", 1010_usd}}) {
        SCOPED_TRACE(testing::Message() << row.percent << " % at " << row.hours << " h");
        RaiseSetup s(row.hours);
        MiscModel m(s.c.main, MiscModel::Page::PayRaise);
        m.load();
        m.percent = row.percent;
        ASSERT_FALSE(m.calculateRaise());
        EXPECT_EQ(m.newWage, row.newWage);
        EXPECT_EQ(s.c.main.txtIncome, row.income);
        EXPECT_EQ(s.c.h.r.SSBase, row.gross);
    }
}

TEST(PayRaise, NewWageGivesThePercentageAndTheGross)
{
    RaiseSetup s;
    MiscModel m(s.c.main, MiscModel::Page::PayRaise);
    m.load();
    m.newWage = "27.50";
    ASSERT_FALSE(m.calculateRaise());
    EXPECT_EQ(m.percent, "10");
    EXPECT_EQ(s.c.main.txtIncome, "1100");
    EXPECT_EQ(s.c.h.r.SSBase, 1100_usd);
    EXPECT_EQ(m.newWage, "$27.50");
}

// After a raise the income field, the grid and the statement show one
// raised gross, and Calculate changes nothing: every frequency, a raise as
// a percentage or as a new wage, with exemptions changed since the last
// Calculate (the raise uses them as Calculate would).
TEST(PayRaise, OneRaisedFigureThatCalculateKeeps)
{
    struct Row {
        const char* name;
        int howOft;
        const char* income;
        const char* hours;
        const char* percent;
        const char* newWage;
        Currency gross;
        const char* newWageShown;
    };
    for (const Row& row : {Row{"5 % every two weeks", 2, "1000", "80", "5", "", 1050_usd, "$13.13"},
                           Row{"3 % monthly, odd cents", 3, "4533.34", "173", "3", "", 4669.34_usd, "$26.99"},
                           Row{"0.5 weekly", 0, "987.65", "37", ".5", "", 1481.48_usd, "$40.04"},
                           Row{"new wage twice a month", 1, "2000", "86", "", "24.37", 2095.82_usd, "$24.37"}}) {
        SCOPED_TRACE(row.name);
        test::Calculator c;
        c.main.load();
        c.main.frequencyClicked(row.howOft);
        c.main.txtIncome = row.income;
        c.main.txtHours = row.hours;
        c.main.stateClicked(27);
        ASSERT_FALSE(c.main.calculate());
        c.main.exemptionsClicked(2);
        MiscModel m(c.main, MiscModel::Page::PayRaise);
        m.load();
        m.percent = row.percent;
        m.newWage = row.newWage;
        ASSERT_FALSE(m.calculateRaise());
        EXPECT_EQ(toCurrency(c.main.txtIncome), row.gross);
        EXPECT_EQ(m.newWage, row.newWageShown);
        ASSERT_EQ(c.main.grid.size(), 12u);
        EXPECT_EQ(c.main.grid[0].amount, row.gross);
        EXPECT_TRUE(c.main.resultsCurrent());
        const std::string statement = statementTable(c.h.r, StatementData{});
        EXPECT_NE(statement.find(formatCurrency(row.gross)), std::string::npos) << statement;
        EXPECT_NE(statement.find(formatCurrency(c.main.grid[11].amount)), std::string::npos) << statement;

        std::vector<GridRow> raised = c.main.grid;
        ASSERT_FALSE(c.main.calculate());
        for (std::size_t i = 0; i < raised.size(); ++i) EXPECT_EQ(c.main.grid[i].amount, raised[i].amount) << i;
        EXPECT_TRUE(c.h.log.reports.empty());
    }
}

TEST(PayRaise, BothFieldsEmptyIsNoRaise)
{
    RaiseSetup s;
    MiscModel m(s.c.main, MiscModel::Page::PayRaise);
    m.load();
    ASSERT_FALSE(m.calculateRaise());
    EXPECT_EQ(m.percent, "0");
    EXPECT_EQ(s.c.h.r.SSBase, 1000_usd);
    EXPECT_EQ(m.newWage, "$25.00");
}

TEST(PayRaise, HalfMeansFiftyPercent)
{
    RaiseSetup s;
    MiscModel m(s.c.main, MiscModel::Page::PayRaise);
    m.load();
    m.percent = "0.5";
    ASSERT_FALSE(m.calculateRaise());
    EXPECT_EQ(s.c.h.r.SSBase, 1500_usd);
    EXPECT_EQ(m.newWage, "$37.50");
}

TEST(PayRaise, WithoutAKnownWageItSaysWhatToEnter)
{
    for (const char* hours : {"0", ""}) {
        SCOPED_TRACE(hours);
        test::Calculator c;
        c.main.txtIncome = "1000";
        c.main.txtHours = hours;
        MiscModel m(c.main, MiscModel::Page::PayRaise);
        m.load();
        EXPECT_EQ(m.oldShow, "");
        m.percent = "3";
        const auto problem = m.calculateRaise();
        ASSERT_TRUE(problem);
        EXPECT_NE(problem->message.find("Hours"), std::string::npos);
        EXPECT_EQ(c.main.txtIncome, "1000");
        EXPECT_TRUE(c.h.log.reports.empty());
    }
}

TEST(PayRaise, OnlyDigitsAndAFullStopAreTyped)
{
    for (char ch : std::string("0123456789.")) EXPECT_TRUE(MiscModel::keyAllowed(ch)) << ch;
    for (char ch : std::string("-,$% a\b")) EXPECT_FALSE(MiscModel::keyAllowed(ch)) << int(ch);
}

TEST(PayRaise, CaptionFollowsThePage)
{
    test::Calculator c;
    MiscModel m(c.main, MiscModel::Page::LocalTax);
    EXPECT_EQ(m.caption(), "Local Tax - Enter Percentage");
    EXPECT_FALSE(m.raisePageEnabled);
    m.showPage(MiscModel::Page::PayRaise);
    EXPECT_EQ(m.caption(), "Pay Raise - Enter Percent or New Rate");
    MiscModel r(c.main, MiscModel::Page::PayRaise);
    EXPECT_TRUE(r.raisePageEnabled);
}

TEST(PayRaise, RoundingIsToTwoDecimalsHalvesToEven)
{
    EXPECT_DOUBLE_EQ(MiscModel::round2(25.755), 25.76);  // 2575.4999.. in binary: below the half
    EXPECT_DOUBLE_EQ(MiscModel::round2(0.125), 0.12);
    EXPECT_DOUBLE_EQ(MiscModel::round2(0.375), 0.38);
    EXPECT_DOUBLE_EQ(MiscModel::round2(10.0), 10.0);
}

}  // namespace
}  // namespace wm

namespace wm {
namespace {

TEST(PayRaise, GridAndTotalsShowTheRaisedPayPeriod)
{
    RaiseSetup s;
    s.c.main.txt401k = "5";
    s.c.main.txtPreTax = "20";
    ASSERT_FALSE(s.c.main.calculate());
    MiscModel m(s.c.main, MiscModel::Page::PayRaise);
    m.load();
    m.percent = "3";
    ASSERT_FALSE(m.calculateRaise());
    const auto raised = s.c.main.grid;
    const PayRecord afterRaise = s.c.h.r;

    // The same pay period calculated directly: every line and total agrees.
    test::Calculator direct;
    direct.main.load();
    direct.main.txtIncome = "1030";
    direct.main.txt401k = "5";
    direct.main.txtPreTax = "20";
    ASSERT_FALSE(direct.main.calculate());
    ASSERT_EQ(raised.size(), direct.main.grid.size());
    for (std::size_t i = 0; i < raised.size(); ++i) {
        SCOPED_TRACE(raised[i].title);
        EXPECT_EQ(formatFixed4(raised[i].amount), formatFixed4(direct.main.grid[i].amount));
    }
    EXPECT_EQ(formatFixed4(afterRaise.amtDedTot), formatFixed4(direct.h.r.amtDedTot));
    EXPECT_EQ(formatFixed4(afterRaise.amtTotal), formatFixed4(direct.h.r.amtTotal));
}

}  // namespace
}  // namespace wm
