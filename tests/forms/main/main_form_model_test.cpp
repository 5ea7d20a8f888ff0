// The main calculator without a window: load, Calculate, the settings it
// keeps, refused entries, Clear, the hint and the pictures.
#include <gtest/gtest.h>

#include "main_support.h"

namespace wm {
namespace {

using test::Calculator;

TEST(MainFormLoad, FirstStartShowsTheDefaults)
{
    Calculator c;
    c.main.load();
    EXPECT_EQ(c.h.windows.frmLoaded, "6");
    EXPECT_EQ(c.main.txtIncome, "0");
    EXPECT_EQ(c.main.txt401k, "0");
    EXPECT_EQ(c.main.txtPreTax, "0");
    EXPECT_EQ(c.main.txtPreFICA, "0");
    EXPECT_EQ(c.main.txtHours, "0");
    EXPECT_EQ(c.main.lstFrequency, 2);
    EXPECT_EQ(c.main.optStatus, 0);
    EXPECT_EQ(c.h.r.valMarried, 0);
    EXPECT_EQ(c.main.cboState, 0);
    EXPECT_EQ(c.main.cboExemptions, 0);
    EXPECT_FALSE(c.main.chkSelfEmployed);
    EXPECT_EQ(c.main.Pic, 1);
    EXPECT_EQ(c.main.varLocalTaxColor, kBlack);
    EXPECT_FALSE(c.main.printEnabled);
    EXPECT_TRUE(c.main.grid.empty());
    EXPECT_TRUE(c.h.log.reports.empty());
}

TEST(MainFormLoad, StoredEntriesComeBack)
{
    Calculator c;
    for (auto [k, v] : {std::pair{"Deps", "3"}, {"IncAmt", "1234.5"}, {"401k", "0.05"}, {"NotTax", "20"},
                        {"SSExmp", "10"}, {"State", "27"}, {"Hours", "75"}, {"Frequency", "0"}, {"MaritalStat", "1"},
                        {"Local", "0.01"}, {"Self", "-1"}, {"BckGnd", "7"}})
        c.h.settings.save("Settings", k, v);
    c.h.settings.save("StateInfo", "MMethod", "241");
    c.main.load();
    EXPECT_EQ(c.main.cboExemptions, 3);
    EXPECT_EQ(c.main.txtIncome, "1234.5");
    EXPECT_EQ(c.main.txt401k, "5");  // kept as the fraction, shown as typed
    EXPECT_EQ(c.main.cboState, 27);
    EXPECT_EQ(c.main.txtHours, "75");
    EXPECT_EQ(c.main.lstFrequency, 0);
    EXPECT_EQ(c.main.optStatus, 1);
    EXPECT_TRUE(c.main.chkSelfEmployed);
    EXPECT_EQ(c.h.r.Method, 241);
    EXPECT_EQ(c.h.r.SPval, 0.01);
    EXPECT_EQ(c.main.varLocalTaxColor, kDarkRed);
    EXPECT_EQ(c.main.Pic, 7);
}

TEST(MainFormLoad, StoredStatusTwoLoadsAsOptionTwoWithTheSingleRate)
{
    Calculator c;
    c.h.settings.save("Settings", "MaritalStat", "2");
    c.main.load();
    EXPECT_EQ(c.main.optStatus, 2);
    EXPECT_EQ(c.h.r.valMarried, 1);
}

TEST(MainFormLoad, UnreadableSettingGivesItsDefaultAndTheRestStillLoads)
{
    struct Row {
        const char* key;
        const char* value;
        const char* replacement;
    };
    for (const Row& row : {Row{"Frequency", "weekly", "2"}, Row{"Frequency", "7", "2"}, Row{"State", "42", "0"},
                           Row{"Deps", "", "0"}, Row{"Local", "1%", "0"}, Row{"PgInst", "99999999", "10"}}) {
        SCOPED_TRACE(std::string(row.key) + "=" + row.value);
        Calculator c;
        c.h.settings.save("Settings", row.key, row.value);
        c.h.settings.save("Settings", "Self", "-1");
        c.main.load();
        EXPECT_TRUE(c.h.log.reports.empty());
        EXPECT_EQ(c.saved(row.key), row.replacement);
        EXPECT_EQ(c.main.lstFrequency, 2);
        EXPECT_EQ(c.main.cboState, 0);
        EXPECT_TRUE(c.main.chkSelfEmployed);  // statements after it ran
    }
}

// The shared context with a store whose read of one key fails, as a store
// that cannot be read would.
struct FaultyStore final : SettingsStore {
    using SettingsStore::get;
    using SettingsStore::save;
    std::string get(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view def) override
    {
        if (key == fault) raise(err::kFileNotFound, "File not found");
        return inner.get(app, section, key, def);
    }
    void save(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override
    {
        inner.save(app, section, key, value);
    }
    MemorySettingsStore inner;
    std::string fault;
};

struct FaultyCalculator {
    test::WindowHarness h;
    test::RecordingNavigator nav;
    FaultyStore store;
    AppContext ctx{h.r, h.windows, store, h.errors, nav};
    MainFormModel main{ctx};
};

// A fault the load cannot read around: whatever the report's answer, the
// load ends without throwing and the calculator works.
TEST(MainFormLoad, EveryAnswerToALoadReportLeavesAWorkingCalculator)
{
    for (const std::deque<int>& answers : {std::deque<int>{3}, std::deque<int>{4, 3}, std::deque<int>{5},
                                           std::deque<int>{0}}) {
        SCOPED_TRACE(answers.front());
        FaultyCalculator c;
        c.store.fault = "Hours";
        c.h.log.answers = answers;
        c.main.load();
        c.store.fault.clear();
        ASSERT_EQ(c.h.log.reports.size(), answers.size());
        EXPECT_EQ(c.h.log.reports[0].field("Procedure Name"), "Form_Load");
        EXPECT_EQ(c.h.log.reports[0].field("Error Number"), "53");
        EXPECT_EQ(c.h.windows.frmLoaded, "6");
        c.main.txtIncome = "1000";
        EXPECT_FALSE(c.main.calculate().has_value());
        EXPECT_FALSE(c.main.grid.empty());
        EXPECT_EQ(c.h.log.reports.size(), answers.size());
    }
}

TEST(MainFormCalculate, FillsTheGridAndSavesTheEntries)
{
    Calculator c;
    c.main.load();
    c.main.txtIncome = "$1,000.00";
    c.main.txt401k = "5";
    c.main.txtPreTax = "50.125";  // amounts are saved with all four decimals
    c.main.txtPreFICA = "";
    c.main.txtHours = "";
    c.h.r.SPtx = 1;
    c.h.r.SPval = 0.012345;
    ASSERT_FALSE(c.main.calculate());
    ASSERT_EQ(c.main.grid.size(), 12u);
    const char* titles[] = {"Gross Pay", "401k Deduction", "Non-Taxable", "Pre-FICA", "Federal Tax", "State Tax",
                            "Local Tax", "FICA",      "Social Security", "Medicare", "Total Ded", "Check Amt"};
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(c.main.grid[i].title, titles[i]);
    EXPECT_EQ(c.main.grid[0].amount, 1000_usd);
    EXPECT_EQ(c.main.grid[1].amount, 50_usd);
    EXPECT_EQ(c.main.grid[2].amount, 50.125_usd);
    EXPECT_EQ(c.main.grid[11].amount, c.h.r.amtTotal);
    EXPECT_EQ(c.main.txtHours, "80");
    EXPECT_TRUE(c.main.printEnabled);
    EXPECT_TRUE(c.main.raiseVisible);
    EXPECT_FALSE(c.main.explanation.empty());
    EXPECT_EQ(c.saved("IncAmt"), "1000");
    EXPECT_EQ(c.saved("401k"), "0.05");
    EXPECT_EQ(c.saved("NotTax"), "50.125");
    EXPECT_EQ(c.saved("SSExmp"), "0");
    EXPECT_EQ(c.saved("Hours"), "80");
    EXPECT_EQ(c.saved("State"), "0");
    EXPECT_EQ(c.saved("Frequency"), "2");
    EXPECT_EQ(c.saved("MaritalStat"), "0");
    EXPECT_EQ(c.saved("LocalAmt"), "12.345");
}

TEST(MainFormCalculate, ALaterStartRestoresAndCalculatesTheSame)
{
    Calculator first;
    first.main.load();
    first.main.txtIncome = "1234.56";
    first.main.txt401k = "5";
    first.main.frequencyClicked(3);
    first.main.statusClicked(1);
    first.main.exemptionsClicked(2);
    first.main.stateClicked(27);
    ASSERT_FALSE(first.main.calculate());
    const PayRecord before = first.h.r;

    test::Calculator later;
    later.h.settings = first.h.settings;
    later.main.load();
    EXPECT_EQ(later.main.txtIncome, "1234.56");
    EXPECT_EQ(later.main.txt401k, "5");  // as it was typed
    EXPECT_EQ(later.main.lstFrequency, 3);
    EXPECT_EQ(later.main.optStatus, 1);
    EXPECT_EQ(later.main.cboExemptions, 2);
    EXPECT_EQ(later.main.cboState, 27);
    EXPECT_EQ(later.main.txtHours, "173");
    ASSERT_FALSE(later.main.calculate());
    EXPECT_EQ(later.h.r.amt401k, before.amt401k);
    EXPECT_EQ(later.h.r.fTax, before.fTax);
    EXPECT_EQ(later.h.r.sTax, before.sTax);
    EXPECT_EQ(later.h.r.amtTotal, before.amtTotal);
    EXPECT_EQ(later.saved("StateName"), "New Mexico");
}

TEST(MainFormCalculate, EmptyOrZeroHoursTakeTheFrequencysHours)
{
    const int expected[] = {40, 86, 80, 173};
    for (int f = 0; f < 4; ++f) {
        for (const char* hours : {"", "0"}) {
            SCOPED_TRACE(std::to_string(f) + " '" + hours + "'");
            Calculator c;
            c.main.load();
            c.main.frequencyClicked(f);
            c.main.txtHours = hours;
            ASSERT_FALSE(c.main.calculate());
            EXPECT_EQ(c.main.txtHours, std::to_string(expected[f]));
        }
    }
    Calculator kept;
    kept.main.txtHours = "0.0";
    ASSERT_FALSE(kept.main.calculate());
    EXPECT_EQ(kept.main.txtHours, "0.0");
}

TEST(MainFormCalculate, UnreadableEntryIsRefusedAndNothingIsCalculatedOrSaved)
{
    struct Row {
        const char* name;
        std::string MainFormModel::*field;
        const char* text;
        const char* label;
    };
    const Row rows[] = {
        {"letters in income", &MainFormModel::txtIncome, "12a0", "Income Amount"},
        {"two points in pre-tax", &MainFormModel::txtPreTax, "1.2.3", "Pre-Tax"},
        {"dash only in pre-FICA", &MainFormModel::txtPreFICA, "-", "Pre-FICA"},
        {"letters in 401k", &MainFormModel::txt401k, "five", "401(k)%"},
        {"two points in hours", &MainFormModel::txtHours, "4..0", "Hours"},
        {"income out of range", &MainFormModel::txtIncome, "99999999999999999999", "Income Amount"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Calculator c;
        c.main.load();
        c.main.txtIncome = "1000";
        c.main.*row.field = row.text;
        c.h.r.SSBase = 5_usd;
        const auto problem = c.main.calculate();
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->field, row.label);
        EXPECT_NE(problem->message.find(row.label), std::string::npos);
        EXPECT_NE(problem->message.find(row.text), std::string::npos);
        EXPECT_EQ(c.h.r.SSBase, 5_usd);
        EXPECT_TRUE(c.main.grid.empty());
        EXPECT_FALSE(c.main.printEnabled);
        EXPECT_EQ(c.saved("IncAmt"), "<none>");
        EXPECT_TRUE(c.h.log.reports.empty());
    }
}

// A saved spouse's part that is no amount stops Mississippi's calculator:
// the step that failed reports it, and the procedures it passes through do
// not again.
TEST(MainFormCalculate, OneBadEntryGivesOneReport)
{
    Calculator c;
    c.h.settings.save("Settings", "State", "23");
    c.h.settings.save("StateInfo", "staMarried", "8");
    c.h.settings.save("StateInfo", "missPart", "abc");
    c.main.load();
    c.main.txtIncome = "1000";
    EXPECT_FALSE(c.main.calculate().has_value());  // Abort, the default answer
    ASSERT_EQ(c.h.log.reports.size(), 1u);
    EXPECT_EQ(c.h.log.reports[0].field("Procedure Name"), "Mississippi");
    EXPECT_EQ(c.h.log.reports[0].field("Error Number"), "13");
    EXPECT_TRUE(c.main.grid.empty());
}

TEST(MainFormCalculate, MoneyTextsAsAUserTypesThem)
{
    for (const char* income : {"1250", "1,250.00", "$1,250.00", " 1250 ", "1250.0000"}) {
        SCOPED_TRACE(income);
        Calculator c;
        c.main.txtIncome = income;
        ASSERT_FALSE(c.main.calculate());
        EXPECT_EQ(c.h.r.SSBase, 1250_usd);
    }
    // Read, and refused: no pay is below zero.
    Calculator negative;
    negative.main.txtIncome = "(100.00)";
    const auto problem = negative.main.calculate();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, "Income Amount");
    EXPECT_TRUE(negative.main.grid.empty());
}

TEST(MainFormCalculate, NoticeOfAStateWithoutATableShowsBesideTheGrid)
{
    Calculator c;
    c.main.txtIncome = "1000";
    c.main.stateClicked(1);  // Alabama, no state filing status chosen
    ASSERT_FALSE(c.main.calculate());
    EXPECT_NE(c.main.notice.find("Alabama"), std::string::npos);
    c.main.stateClicked(0);
    ASSERT_FALSE(c.main.calculate());
    EXPECT_EQ(c.main.notice, "");
    EXPECT_EQ(c.main.lblModified, "");
}

TEST(MainFormCalculate, StateModifiedCaptionComesFromTheCalculator)
{
    Calculator c;
    c.main.txtIncome = "1000";
    c.main.stateClicked(27);
    ASSERT_FALSE(c.main.calculate());
    EXPECT_EQ(c.main.lblModified.rfind("Tax Code last modified: ", 0), 0u);
}

TEST(MainFormCommands, ClearEmptiesEntriesAndDisablesPrintUntilTheNextCalculate)
{
    Calculator c;
    c.main.load();
    c.main.txtIncome = "900";
    c.main.txt401k = "3";
    c.main.stateClicked(27);
    c.main.exemptionsClicked(4);
    c.main.selfEmployedClicked(true);
    c.main.statusClicked(1);
    c.h.r.SPval = 0.01;
    c.main.localRateChanged();
    ASSERT_FALSE(c.main.calculate());
    ASSERT_TRUE(c.main.printEnabled);

    c.main.clear();
    c.main.clearResults();
    EXPECT_FALSE(c.main.printEnabled);
    EXPECT_TRUE(c.main.grid.empty());
    EXPECT_TRUE(c.main.explanation.empty());
    EXPECT_EQ(c.main.txtIncome, "");
    EXPECT_EQ(c.main.txt401k, "");
    EXPECT_EQ(c.main.txtHours, "");
    EXPECT_EQ(c.main.cboState, 0);
    EXPECT_EQ(c.main.cboExemptions, 0);
    EXPECT_FALSE(c.main.chkSelfEmployed);
    EXPECT_EQ(c.main.optStatus, 0);
    EXPECT_EQ(c.saved("State"), "0");
    EXPECT_EQ(c.saved("Deps"), "0");
    EXPECT_EQ(c.saved("Self"), "0");
    EXPECT_EQ(c.h.r.SSBase, 0_usd);
    EXPECT_EQ(c.h.r.fTax, 0_usd);
    EXPECT_EQ(c.h.r.SPval, 0);
    EXPECT_EQ(c.main.varLocalTaxColor, kBlack);
    EXPECT_EQ(c.saved("IncAmt"), "900");  // the last calculation stays saved

    c.main.txtIncome = "500";
    ASSERT_FALSE(c.main.calculate());
    EXPECT_TRUE(c.main.printEnabled);
}

TEST(MainFormCommands, ListClicksSaveTheirSettings)
{
    Calculator c;
    c.main.frequencyClicked(0);
    EXPECT_EQ(c.saved("Frequency"), "0");
    EXPECT_EQ(c.h.r.HowOft, 0);
    EXPECT_EQ(c.h.r.Freq, 0);  // periods per year follow at Calculate
    c.main.exemptionsClicked(7);
    EXPECT_EQ(c.saved("Deps"), "7");
    c.main.selfEmployedClicked(true);
    EXPECT_EQ(c.saved("Self"), "-1");
    c.main.stateClicked(8);
    EXPECT_EQ(c.saved("State"), "8");
    EXPECT_EQ(c.saved("StateName"), "Dist of Columbia");
    EXPECT_EQ(c.h.r.intState, 8);
    c.main.statusClicked(2);
    EXPECT_EQ(c.h.r.valMarried, 1);
    EXPECT_EQ(c.saved("MaritalStat"), "<none>");  // saved by Calculate only
}

TEST(MainFormCommands, RaiseButtonHidesOnIncomeFocusAndComesBackAfterCalculate)
{
    Calculator c;
    c.main.load();
    EXPECT_FALSE(c.main.raiseVisible);
    ASSERT_FALSE(c.main.calculate());
    EXPECT_TRUE(c.main.raiseVisible);
    c.main.raiseCaption = "$25.75";
    c.main.raiseColor = kDarkRed;
    c.main.beforeCommand();
    EXPECT_EQ(c.main.raiseCaption, "Raise");
    EXPECT_EQ(c.main.raiseColor, kBlack);
    c.main.incomeFocused();
    EXPECT_FALSE(c.main.raiseVisible);
}

TEST(MainFormCommands, IncomeFromAnotherToolSelectsItsFrequency)
{
    Calculator c;
    c.main.load();
    c.main.receiveIncome("4166.67", 3);
    EXPECT_EQ(c.main.txtIncome, "4166.67");
    EXPECT_EQ(c.main.lstFrequency, 3);
    EXPECT_EQ(c.saved("Frequency"), "3");
    ASSERT_FALSE(c.main.calculate());
    EXPECT_EQ(c.h.r.SSBase, 4166.67_usd);
    EXPECT_EQ(c.h.r.Freq, 12);
}

struct HintRow {
    const char* name;
    const char* pgInst;
    int state;
    bool afterClick;
    bool afterActivation;
};

class StateHint : public testing::TestWithParam<HintRow> {};

TEST_P(StateHint, ClickThenActivation)
{
    const HintRow& row = GetParam();
    Calculator c;
    c.h.settings.save("Settings", "PgInst", row.pgInst);
    c.main.load();
    c.main.stateClicked(row.state);
    EXPECT_EQ(c.main.stateHintVisible, row.afterClick);
    c.main.activate();
    EXPECT_EQ(c.main.stateHintVisible, row.afterActivation);
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, StateHint,
    testing::Values(HintRow{"DelawareShowsOnClickAndAtActivation", "20", 7, true, true},
                    HintRow{"IowaShowsOnClickAndAtActivation", "20", 14, true, true},
                    HintRow{"MissouriNeedsOptions", "20", 24, true, true},
                    HintRow{"MarylandShowsWithLabelsOn", "20", 19, true, true},
                    HintRow{"KansasNeedsNoOptions", "20", 15, false, false},
                    HintRow{"LabelsOffHideAtActivation", "10", 19, true, false},
                    HintRow{"OtherValueKeepsCheckStatesChoice", "15", 7, true, true},
                    HintRow{"OtherValueNoState", "15", 0, false, false}),
    [](const testing::TestParamInfo<HintRow>& i) { return std::string(i.param.name); });

// The alert and the options hint follow the state the options were last
// accepted for ("StateInfo"/"StateName"; "" for settings that do not say).
struct OptionsRow {
    const char* name;
    const char* optionsFor;
    const char* pgInst;
    int state;
    bool alertAfterClick, hintAfterClick, alertAfterActivation, hintAfterActivation;
};

class OptionsFollowTheRecord : public testing::TestWithParam<OptionsRow> {};

TEST_P(OptionsFollowTheRecord, ClickThenActivation)
{
    const OptionsRow& row = GetParam();
    Calculator c;
    c.h.settings.save("Settings", "PgInst", row.pgInst);
    if (*row.optionsFor) c.h.settings.save("StateInfo", "StateName", row.optionsFor);
    c.main.load();
    c.main.stateClicked(row.state);
    EXPECT_EQ(c.main.stateHintVisible, row.alertAfterClick);
    EXPECT_EQ(c.main.optionsHintVisible(), row.hintAfterClick);
    c.main.activate();
    EXPECT_EQ(c.main.stateHintVisible, row.alertAfterActivation);
    EXPECT_EQ(c.main.optionsHintVisible(), row.hintAfterActivation);
    // A hint names the state the options are for.
    if (c.main.optionsHintVisible()) {
        EXPECT_NE(c.main.optionsHint.find(row.optionsFor), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, OptionsFollowTheRecord,
    testing::Values(OptionsRow{"SetForTheChosenStateNoAlert", "Georgia", "20", 9, false, false, false, false},
                    OptionsRow{"OldSpellingNamesTheStateToo", "Massachusettes", "20", 20, false, false, false, false},
                    OptionsRow{"AnotherStateTheAlertSaysIt", "Georgia", "20", 1, true, false, true, false},
                    OptionsRow{"LabelsOffTheHintTakesItsPlace", "Georgia", "10", 1, true, false, false, true},
                    OptionsRow{"GeorgiasOptionsOnNoState", "Georgia", "10", 0, false, true, false, true},
                    OptionsRow{"GeorgiasOptionsOnColorado", "Georgia", "20", 5, false, true, false, true},
                    OptionsRow{"OptionsForNoStateCountForNone", "No State", "20", 9, true, false, true, false},
                    OptionsRow{"SettingsThatDoNotSayAsBefore", "", "20", 9, true, false, true, false}),
    [](const testing::TestParamInfo<OptionsRow>& i) { return std::string(i.param.name); });

TEST(MainFormCommands, ClickingTheHintHidesItAndRemembers)
{
    Calculator c;
    c.h.settings.save("Settings", "PgInst", "20");
    c.main.load();
    c.main.stateClicked(19);
    ASSERT_TRUE(c.main.stateHintVisible);
    c.main.stateHintClicked();
    EXPECT_FALSE(c.main.stateHintVisible);
    EXPECT_EQ(c.saved("PgInst"), "10");
    EXPECT_EQ(c.h.windows.intShowStateLabel, 20);  // until the next start
}

TEST(MainFormPictures, NextPictureWrapsWithinTheDesign)
{
    struct Row {
        const char* design;
        const char* stored;
        int loaded;
        int next;
    };
    for (const Row& row : {Row{"Pictures", "23", 23, 1}, Row{"Pictures", "1", 1, 2}, Row{"Patterns", "38", 38, 24},
                           Row{"Patterns", "5", 24, 25}, Row{"Pictures", "30", 1, 2}, Row{"", "12", 12, 13}}) {
        SCOPED_TRACE(std::string(row.design) + " " + row.stored);
        Calculator c;
        c.h.windows.strPicSelect = row.design;
        c.h.settings.save("Settings", "BckGnd", row.stored);
        c.main.load();
        EXPECT_EQ(c.main.Pic, row.loaded);
        c.main.nextPicture();
        EXPECT_EQ(c.main.Pic, row.next);
        EXPECT_EQ(c.saved("BckGnd"), std::to_string(row.next));
    }
}

TEST(MainFormPictures, DesignChangeRedrawsInTheNewRange)
{
    Calculator c;
    c.h.windows.strPicSelect = "Pictures";
    c.main.load();
    c.h.windows.strPicSelect = "Patterns";
    c.main.properPicture();
    EXPECT_EQ(c.main.Pic, 24);
}

// A saved picture that is in no design is one more setting that cannot be
// read: the first picture, said once, no run-time error.
TEST(MainFormPictures, PictureOutsideEverySetIsAnUnreadableSetting)
{
    for (const char* stored : {"40", "0", "-1", "50", "zz"}) {
        SCOPED_TRACE(stored);
        Calculator c;
        c.h.windows.strPicSelect = "Pictures";
        c.h.settings.save("Settings", "BckGnd", stored);
        std::vector<UnreadableSetting> told;
        c.h.settings.onUnreadable = [&told](const UnreadableSetting& u) { told.push_back(u); };
        c.main.properPicture();
        EXPECT_TRUE(c.h.log.reports.empty());
        EXPECT_EQ(c.main.Pic, 1);
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].key, "BckGnd");
        EXPECT_EQ(c.saved("BckGnd"), "1");
    }
}

TEST(MainFormModelRules, DefaultHoursAndActivationList)
{
    EXPECT_EQ(MainFormModel::defaultHours(0), 40);
    EXPECT_EQ(MainFormModel::defaultHours(1), 86);
    EXPECT_EQ(MainFormModel::defaultHours(2), 80);
    EXPECT_EQ(MainFormModel::defaultHours(3), 173);
    int shown = 0;
    for (int s = 0; s < kStateCount; ++s) shown += MainFormModel::hintAtActivation(s);
    EXPECT_EQ(shown, 25);  // the same list as the state dispatch's
}

}  // namespace
}  // namespace wm

namespace wm {
namespace {

// ---- Hours follow the pay frequency ------------------------------------

TEST(HoursFollowFrequency, DefaultHoursMoveWithTheFrequencyTypedHoursStay)
{
    struct Row {
        int from;
        const char* hours;
        int to;
        const char* expected;
    };
    for (const Row& row : {Row{0, "40", 3, "173"}, Row{3, "173", 0, "40"}, Row{2, "80", 1, "86"},
                           Row{1, "86", 2, "80"}, Row{0, "37.5", 3, "37.5"}, Row{0, "80", 3, "80"},
                           Row{2, "", 0, ""}}) {
        SCOPED_TRACE(std::to_string(row.from) + " " + row.hours + " -> " + std::to_string(row.to));
        Calculator c;
        c.main.load();
        c.main.frequencyClicked(row.from);
        c.main.txtHours = row.hours;
        c.main.frequencyClicked(row.to);
        EXPECT_EQ(c.main.txtHours, row.expected);
    }
    Calculator transfer;  // "Use on Calculator" selects Monthly as a click would
    transfer.main.load();
    transfer.main.frequencyClicked(0);
    transfer.main.txtHours = "40";
    transfer.main.receiveIncome("3600", 3);
    EXPECT_EQ(transfer.main.txtHours, "173");
}

// ---- Results never go stale ---------------------------------------------

TEST(FreshResults, UseOnCalculatorRecalculatesOrClears)
{
    Calculator c;
    c.main.load();
    c.main.txtIncome = "1000";
    ASSERT_FALSE(c.main.calculate());
    c.main.receiveIncome("4166.67", 3);
    ASSERT_EQ(c.main.grid.size(), 12u);
    EXPECT_EQ(c.main.grid[0].amount, 4166.67_usd);
    EXPECT_EQ(c.main.grid[11].amount, c.h.r.amtTotal);
    EXPECT_EQ(c.h.r.Freq, 12);
    EXPECT_TRUE(c.main.printEnabled);

    c.main.txt401k = "five";  // cannot be calculated: no old results stay on show
    c.main.receiveIncome("2000", 3);
    EXPECT_TRUE(c.main.grid.empty());
    EXPECT_FALSE(c.main.printEnabled);
    EXPECT_NE(c.main.notice.find("401(k)%"), std::string::npos);
}

}  // namespace
}  // namespace wm
