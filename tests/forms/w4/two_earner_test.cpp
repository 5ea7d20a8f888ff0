// Two-Earner/Two-Job Worksheet: Tables 1 and 2, line 3, lines 4 to 9.
#include <gtest/gtest.h>

#include "forms/w4/logic/two_earner_model.h"
#include "support/harness.h"
#include "support/navigation.h"

namespace wm::w4 {
namespace {

TEST(TwoEarnerTables, RowsOfEachColumn)
{
    struct Row {
        int table;
        TableGroup group;
        std::size_t count;
        const char* first;
        const char* last;
        std::int16_t lastValue;
    };
    for (const Row& row : {Row{1, TableGroup::MarriedJointly, 16, "0 - $4,000", "$110,001 and over", 15},
                           Row{1, TableGroup::AllOthers, 11, "0 - $5,000", "$100,001 and over", 10},
                           Row{2, TableGroup::MarriedJointly, 5, "0 - $50,000", "$250,001 and over", 1100},
                           Row{2, TableGroup::AllOthers, 5, "0 - $30,000", "$270,001 and over", 1100}}) {
        SCOPED_TRACE(testing::Message() << "table " << row.table << " group " << static_cast<int>(row.group));
        const auto rows = tableRows(row.table, row.group);
        ASSERT_EQ(rows.size(), row.count);
        EXPECT_EQ(rows.front().label, row.first);
        EXPECT_EQ(rows.back().label, row.last);
        EXPECT_EQ(rows.back().value, row.lastValue);
    }
}

TEST(TwoEarnerTables, TableOneValueIsThePosition)
{
    for (TableGroup g : {TableGroup::MarriedJointly, TableGroup::AllOthers}) {
        const auto rows = tableRows(1, g);
        for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].value, static_cast<std::int16_t>(i));
    }
}

TEST(TwoEarnerTables, TableTwoAmountsRiseWithWages)
{
    const std::int16_t amounts[] = {420, 780, 870, 1000, 1100};
    for (TableGroup g : {TableGroup::MarriedJointly, TableGroup::AllOthers}) {
        const auto rows = tableRows(2, g);
        for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].value, amounts[i]);
    }
    EXPECT_EQ(tableRows(2, TableGroup::MarriedJointly)[1].label, "$50,001 - $100,000");
    EXPECT_EQ(tableRows(2, TableGroup::AllOthers)[3].label, "$120,001 - $270,000");
}

// Every range starts one dollar above the end of the range before it and
// ends where the printed table ends it.
TEST(TwoEarnerTables, RangesAreContiguousAndEndAsPrinted)
{
    auto bounds = [](std::string_view label) {
        std::vector<long> n;
        long cur = -1;
        for (char c : label) {
            if (c >= '0' && c <= '9') cur = (cur < 0 ? 0 : cur * 10) + (c - '0');
            else if (c != ',' && cur >= 0) n.push_back(cur), cur = -1;
        }
        if (cur >= 0) n.push_back(cur);
        return n;
    };
    struct Column {
        int table;
        TableGroup group;
        std::vector<long> ends;  // in thousands; the last row is "and over"
    };
    for (const Column& col :
         {Column{1, TableGroup::MarriedJointly, {4, 7, 13, 19, 25, 31, 37, 41, 45, 55, 63, 70, 85, 100, 110}},
          Column{1, TableGroup::AllOthers, {5, 11, 17, 22, 27, 40, 50, 65, 80, 100}},
          Column{2, TableGroup::MarriedJointly, {50, 100, 130, 250}},
          Column{2, TableGroup::AllOthers, {30, 60, 120, 270}}}) {
        const auto rows = tableRows(col.table, col.group);
        ASSERT_EQ(rows.size(), col.ends.size() + 1);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            SCOPED_TRACE(rows[i].label);
            const auto n = bounds(rows[i].label);
            if (i > 0) {
                EXPECT_EQ(n.front(), bounds(rows[i - 1].label).back() + 1);
            }
            if (i < col.ends.size()) {
                EXPECT_EQ(n.back(), col.ends[i] * 1000);
            }
        }
    }
}

struct Line3Case {
    const char* name;
    std::int16_t line1;
    std::int16_t row;
    const char* line3;
    bool nextEnabled;
    bool formW4Visible;
    std::int16_t deps;
};

class TwoEarnerLine3 : public ::testing::TestWithParam<Line3Case> {};

TEST_P(TwoEarnerLine3, FromATableOneRow)
{
    const Line3Case& c = GetParam();
    test::WindowHarness h;
    h.windows.PersWkShtDeps = c.line1;
    TwoEarnerWkSht w(h.windows, h.errors);
    EXPECT_EQ(w.lblDedFromG, std::to_string(c.line1));
    w.applyTable1Row(c.row);
    EXPECT_EQ(w.lbl2WkerT1, std::to_string(c.row));
    EXPECT_EQ(w.lbl2WkerResult4, std::to_string(c.row));
    EXPECT_EQ(w.lbl2Wker3, c.line3);
    EXPECT_EQ(w.nextPageEnabled, c.nextEnabled);
    EXPECT_EQ(w.formW4OnPage1Visible, c.formW4Visible);
    EXPECT_EQ(h.windows.PersWkShtDeps, c.deps);
    EXPECT_EQ(h.windows.num2Wker, c.deps);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TwoEarnerLine3,
    ::testing::Values(Line3Case{"EqualLinesGiveZeroAndStop", 3, 3, "0", false, true, 0},
                      // Compared as numbers: "10" is not below "7".
                      Line3Case{"TenOverSevenIsNumeric", 10, 7, "3", false, true, 3},
                      Line3Case{"LineOneBelowGoesOnToPageTwo", 2, 9, "0", true, false, 0},
                      Line3Case{"NoAllowancesFirstRow", 0, 0, "0", false, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TwoEarnerWorksheet, ExampleThroughToLineNine)
{
    test::WindowHarness h;
    h.windows.PersWkShtDeps = 2;
    TwoEarnerWkSht w(h.windows, h.errors);
    EXPECT_FALSE(w.nextPageEnabled);
    w.showTable(0);
    EXPECT_EQ(h.windows.Table, 1);
    w.applyTable1Row(9);  // "$45,001 - $55,000"
    ASSERT_TRUE(w.nextPageEnabled);
    w.nextPage();
    EXPECT_EQ(w.page, 2);
    EXPECT_EQ(w.lbl2WkerResult4, "9");
    EXPECT_EQ(w.lbl2WkerResult5, "2");
    EXPECT_EQ(w.lbl2WkerResult6, "7");
    w.showTable(1);
    EXPECT_EQ(h.windows.Table, 2);
    w.applyTable2Row(780);  // "$50,001 - $100,000"
    EXPECT_EQ(w.lblTable2, "780");
    w.txtNumPayDays = "26";
    ASSERT_FALSE(w.calculate());
    EXPECT_EQ(w.lblMultiply8, "5460");
    EXPECT_EQ(w.lblDollarAmt, "210");
    EXPECT_EQ(h.windows.DollarAmt, 210_usd);
    EXPECT_EQ(h.windows.PersWkShtDeps, 0);

    const Next n = w.formW4(1);
    EXPECT_EQ(n.open, FormId::W4View);
    EXPECT_TRUE(n.closeSelf);
    EXPECT_EQ(h.windows.W4Line5, "0");
    EXPECT_EQ(h.windows.W4Line6, "210");
}

struct Line9Case {
    const char* name;
    std::int16_t amount;  // line 7
    std::int16_t line6;
    const char* payDays;
    const char* line8;
    const char* line9;
    const char* payDaysAfter;
};

class TwoEarnerLine9 : public ::testing::TestWithParam<Line9Case> {};

TEST_P(TwoEarnerLine9, DividesLineEightByThePayDays)
{
    const Line9Case& c = GetParam();
    test::WindowHarness h;
    h.windows.PersWkShtDeps = 0;
    TwoEarnerWkSht w(h.windows, h.errors);
    w.applyTable1Row(c.line6);
    w.nextPage();
    w.applyTable2Row(c.amount);
    w.txtNumPayDays = c.payDays;
    ASSERT_FALSE(w.calculate());
    EXPECT_EQ(w.lblMultiply8, c.line8);
    EXPECT_EQ(w.lblDollarAmt, c.line9);
    EXPECT_EQ(w.txtNumPayDays, c.payDaysAfter);
}

INSTANTIATE_TEST_SUITE_P(
    PayDays, TwoEarnerLine9,
    ::testing::Values(Line9Case{"EmptyPayDaysBecomeOne", 780, 7, "", "5460", "5460", "1"},
                      // 1000 / 3 keeps four decimals, halves to even.
                      Line9Case{"FourDecimals", 1000, 1, "3", "1000", "333.3333", "3"},
                      Line9Case{"TwoThirdsRoundUp", 1000, 2, "3", "2000", "666.6667", "3"},
                      Line9Case{"WeeklyPeriodsLeft", 870, 4, "52", "3480", "66.9231", "52"},
                      // 2610 / 64 = 40.78125 exactly: the half goes to the even 2.
                      Line9Case{"TieGoesToEven", 870, 3, "64", "2610", "40.7812", "64"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TwoEarnerWorksheet, PayDaysThatCannotBeUsedAreRefused)
{
    for (const char* entry : {"0", "abc", "-4", "0.0"}) {
        SCOPED_TRACE(entry);
        test::WindowHarness h;
        TwoEarnerWkSht w(h.windows, h.errors);
        w.applyTable1Row(9);
        w.nextPage();
        w.applyTable2Row(780);
        h.windows.DollarAmt = 12_usd;
        w.txtNumPayDays = entry;
        const auto refused = w.calculate();
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->field, "9");
        EXPECT_EQ(w.lblMultiply8, "");
        EXPECT_EQ(w.lblDollarAmt, "");
        EXPECT_EQ(w.txtNumPayDays, entry);
        EXPECT_EQ(h.windows.DollarAmt, 12_usd);
        EXPECT_TRUE(h.log.reports.empty());
    }
}

TEST(TwoEarnerWorksheet, CalculateBeforeAnyTableUsesZeroes)
{
    test::WindowHarness h;
    TwoEarnerWkSht w(h.windows, h.errors);
    w.txtNumPayDays = "12";
    EXPECT_FALSE(w.calculate());
    EXPECT_EQ(w.lbl2WkerResult6, "0");
    EXPECT_EQ(w.lblTable2, "0");
    EXPECT_EQ(w.lblMultiply8, "0");
    EXPECT_EQ(w.lblDollarAmt, "0");
}

TEST(TwoEarnerWorksheet, BackToPageOneCopiesLineTwoToLineFour)
{
    test::WindowHarness h;
    h.windows.PersWkShtDeps = 1;
    TwoEarnerWkSht w(h.windows, h.errors);
    w.applyTable1Row(5);
    w.nextPage();
    w.previousPage();
    EXPECT_EQ(w.page, 1);
    EXPECT_EQ(w.lbl2WkerResult4, "5");
    // A second row changes the branch: the page-1 "Form W4" appears, the next page closes.
    w.applyTable1Row(1);
    EXPECT_EQ(w.lbl2Wker3, "0");
    EXPECT_FALSE(w.nextPageEnabled);
    EXPECT_TRUE(w.formW4OnPage1Visible);
    w.applyTable1Row(4);
    EXPECT_TRUE(w.nextPageEnabled);
    EXPECT_TRUE(w.formW4OnPage1Visible);
}

TEST(TwoEarnerWorksheet, TableTwoRowKeepsTheLastLineThree)
{
    test::WindowHarness h;
    h.windows.PersWkShtDeps = 10;
    {
        TwoEarnerWkSht w(h.windows, h.errors);
        w.applyTable1Row(7);
    }
    EXPECT_EQ(h.windows.num2Wker, 3);
    h.windows.PersWkShtDeps = 8;
    TwoEarnerWkSht w(h.windows, h.errors);
    w.applyTable2Row(420);
    EXPECT_EQ(h.windows.PersWkShtDeps, 3);
}

TEST(TwoEarnerWorksheet, FormW4FromPageOneKeepsTheWorksheet)
{
    test::WindowHarness h;
    h.windows.PersWkShtDeps = 10;
    TwoEarnerWkSht w(h.windows, h.errors);
    w.applyTable1Row(7);
    const Next n = w.formW4(2);
    EXPECT_EQ(n.open, FormId::W4View);
    EXPECT_EQ(h.windows.W4Line5, "3");
    EXPECT_EQ(h.windows.W4Line6, "");
    EXPECT_FALSE(n.closeSelf);
}

TEST(TwoEarnerWorksheet, CalendarOpensTheCalendar)
{
    test::WindowHarness h;
    TwoEarnerWkSht w(h.windows, h.errors);
    EXPECT_EQ(w.calendar().open, FormId::Calendar);
    EXPECT_EQ(w.lbl2WkerResult4, "0");
}

TEST(TablePicker, ListsTheCurrentTableAndSwitchesGroups)
{
    test::WindowHarness h;
    h.windows.frmLoaded = "1";
    h.windows.Table = 2;
    {
        TablePicker p(h.windows);
        EXPECT_EQ(h.windows.frmLoaded, "16");
        EXPECT_EQ(p.lblCboTable, "Table 2");
        EXPECT_EQ(p.caption, "If wages from HIGHEST paying job are -");
        EXPECT_EQ(p.group, TableGroup::MarriedJointly);
        EXPECT_EQ(p.lstTableOne.front().label, "0 - $50,000");
        p.chooseGroup(TableGroup::AllOthers);
        EXPECT_EQ(p.lstTableOne.front().label, "0 - $30,000");
    }
    // The worksheet is current again.
    EXPECT_EQ(h.windows.frmLoaded, "1");
    h.windows.Table = 1;
    TablePicker p(h.windows);
    EXPECT_EQ(p.caption, "If wages from LOWEST paying job are -");
    EXPECT_EQ(p.lstTableOne.size(), 16u);
}

TEST(TwoEarnerArithmetic, Lines)
{
    EXPECT_EQ(line3(3, 3).num2Wker, 0);
    EXPECT_TRUE(line3(3, 3).lineOneCovers);
    EXPECT_FALSE(line3(2, 9).lineOneCovers);
    EXPECT_EQ(line8(1100_usd, 15), 16500_usd);
    EXPECT_EQ(line9(5460_usd, 26), 210_usd);
    EXPECT_THROW(line9(5460_usd, 0), RuntimeError);
}

}  // namespace
}  // namespace wm::w4
