// The state options dialog without a window: the inputs each state
// enables, Maryland's Method, and what closing keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "forms/main/logic/state_options_model.h"
#include "main_support.h"
#include "states/calculators.h"

namespace wm {
namespace {

struct Dialog {
    test::Calculator c;
    StateOptionsModel m{c.ctx};

    explicit Dialog(int state = 0)
    {
        c.h.settings.save("Settings", "State", std::to_string(state));
        m.load();
    }
    std::vector<int> statusOptions() const
    {
        std::vector<int> v;
        for (int i = 0; i < StateOptionsModel::kStatusCount; ++i)
            if (m.statusEnabled[static_cast<std::size_t>(i)]) v.push_back(i);
        return v;
    }
    int rates() const
    {
        int n = 0;
        for (bool e : m.rateEnabled) n += e;
        return n;
    }
};

struct EnableRow {
    const char* name;
    int state;
    std::vector<int> status;
    int rates;
    bool deps0;
    bool special;
    const char* caption;
};

class StateEnableRules : public testing::TestWithParam<EnableRow> {};

TEST_P(StateEnableRules, ChoosingTheStateEnablesItsInputs)
{
    const EnableRow& row = GetParam();
    Dialog d;
    d.m.stateChanged(row.state);
    EXPECT_EQ(d.statusOptions(), row.status);
    EXPECT_EQ(d.rates(), row.rates);
    EXPECT_EQ(d.m.depsEnabled[0], row.deps0);
    EXPECT_EQ(d.m.specialEnabled, row.special);
    EXPECT_EQ(d.m.specialCaption, row.caption);
    EXPECT_EQ(d.c.h.r.intState, row.state);
    EXPECT_EQ(d.c.h.settings.get("Settings", "State", "?"), "0");  // in memory only
}

INSTANTIATE_TEST_SUITE_P(
    StateOptions, StateEnableRules,
    testing::Values(
        EnableRow{"Alabama", 1, {1, 2, 3, 4, 5}, 0, true, false, "Additional (State) Exemptions"},
        EnableRow{"Arizona", 2, {}, 0, false, true, "Select Withholding Percentage"},
        EnableRow{"California", 4, {0, 3, 8, 9}, 0, true, true, "Estimated Deductions"},
        EnableRow{"Connecticut", 6, {}, 4, false, false, "Additional (State) Exemptions"},
        EnableRow{"Georgia", 9, {0, 3, 6}, 0, true, false, "Additional (State) Exemptions"},
        EnableRow{"Louisiana", 17, {}, 0, true, true, "Additional (State) Exemptions"},
        EnableRow{"Maryland", 19, {}, 0, false, true, "Maryland Local Tax Rates"},
        EnableRow{"Michigan", 21, {0, 3, 9}, 0, false, false, "Additional (State) Exemptions"},
        EnableRow{"Mississippi", 23, {0, 7, 8, 9}, 0, false, true, "Additional (State) Exemptions"},
        EnableRow{"Missouri", 24, {0, 7, 8, 9}, 0, false, false, "Additional (State) Exemptions"},
        EnableRow{"Delaware", 7, {0, 1, 2}, 0, false, false, "Additional (State) Exemptions"},
        EnableRow{"Hawaii", 10, {0, 3}, 0, true, false, "Additional (State) Exemptions"},
        EnableRow{"Maine", 18, {}, 0, false, false, "Additional (State) Exemptions"},
        EnableRow{"Arkansas", 3, {}, 0, false, false, "Additional (State) Exemptions"},
        EnableRow{"NewJersey", 26, {}, 5, true, false, "Additional (State) Exemptions"},
        EnableRow{"NewYork", 28, {}, 0, false, false, "Additional (State) Exemptions"},
        EnableRow{"Oklahoma", 32, {0, 3, 8}, 0, true, false, "Additional (State) Exemptions"},
        EnableRow{"Kansas", 15, {}, 0, false, false, "Additional (State) Exemptions"},
        EnableRow{"NoState", 0, {}, 0, false, false, "Additional (State) Exemptions"}),
    [](const testing::TestParamInfo<EnableRow>& i) { return std::string(i.param.name); });

TEST(StateOptions, ArizonaOffersItsPercentagesWithTwentyChosen)
{
    Dialog d;
    d.m.stateChanged(2);
    EXPECT_EQ(d.m.specialItems, (std::vector<std::string>{"10", "20", "22", "28", "32"}));
    EXPECT_EQ(d.m.specialText, "20");
    EXPECT_FALSE(d.m.depsEnabled[0]);
}

TEST(StateOptions, ConnecticutTakesTheCalculatorsStatus)
{
    Dialog d;
    d.c.h.r.valMarried = 1;
    d.m.stateChanged(6);
    EXPECT_EQ(d.c.h.r.intSMarried, 1);
}

TEST(StateOptions, MarylandCountySetsMethodAndMichiganOffersNoList)
{
    Dialog d;
    auto choose = [&](std::string_view text) {
        const auto& items = d.m.specialItems;
        d.m.specialChosen(static_cast<int>(std::find(items.begin(), items.end(), text) - items.begin()));
    };
    d.m.stateChanged(19);
    choose("2.41");
    EXPECT_EQ(d.m.specialText, "2.41");
    EXPECT_EQ(d.c.h.r.Method, 241);
    EXPECT_EQ(d.c.h.settings.get("StateInfo", "MMethod", "?"), "241");
    choose("3.01");
    EXPECT_EQ(d.c.h.r.Method, 301);

    // Michigan's calculator has no rule for special exemptions: no list, a
    // line that says why, and nothing that could blank the county rate.
    d.m.stateChanged(21);
    EXPECT_FALSE(d.m.specialEnabled);
    EXPECT_NE(d.m.specialNote.find("Michigan"), std::string::npos);
    d.m.specialChosen(0);
    EXPECT_EQ(d.c.h.r.Method, 301);
    d.m.stateChanged(19);
    EXPECT_EQ(d.m.specialNote, "");
    EXPECT_EQ(d.m.specialText, "3.01");

    d.m.stateChanged(4);  // California's list does not touch Method
    d.m.specialChosen(5);
    EXPECT_EQ(d.c.h.r.Method, 301);
    EXPECT_EQ(d.c.h.settings.get("StateInfo", "MMethod", "?"), "301");
}

TEST(StateOptions, CaptionsSayWhatEachStatusMeansForTheChosenState)
{
    Dialog d;
    d.m.stateChanged(21);
    EXPECT_EQ(d.m.statusCaption[9], "Claimed as Dependent by Another");
    d.m.stateChanged(7);  // Delaware's codes 0, 1, 2 by their standard deduction
    EXPECT_EQ(d.m.statusCaption[0], "Married Filing Jointly");
    EXPECT_EQ(d.m.statusCaption[1], "Single");
    EXPECT_EQ(d.m.statusCaption[2], "Married Filing Separately");
    EXPECT_EQ(d.m.statusCaption[9], "Head of Family (Household)");
    d.m.stateChanged(9);
    EXPECT_EQ(d.m.statusCaption[0], "Single");
    d.m.stateChanged(18);  // Maine reads the calculator's marital status
    EXPECT_EQ(d.m.statusNote, "Maine follows the marital status chosen on the calculator.");
}

TEST(StateOptions, NoCaptionIsShownTwiceForAnyState)
{
    Dialog d;
    for (int state = 0; state < kStateCount; ++state) {
        SCOPED_TRACE(std::string(stateAt(state).name));
        d.m.stateChanged(state);
        std::set<std::string> seen;
        for (int i = 0; i < StateOptionsModel::kStatusCount; ++i) {
            const auto at = static_cast<std::size_t>(i);
            EXPECT_TRUE(d.m.statusShown[at] || !d.m.statusEnabled[at]);
            if (d.m.statusShown[at]) {
                EXPECT_TRUE(seen.insert(d.m.statusCaption[at]).second) << d.m.statusCaption[at];
            }
        }
    }
    d.m.stateChanged(7);  // Delaware: its own "Married Filing Separately" only
    EXPECT_FALSE(d.m.statusShown[6]);
    d.m.stateChanged(9);
    EXPECT_TRUE(d.m.statusShown[6]);
}

TEST(StateOptions, IllinoisAndIndianaOfferTheSecondDependentsBox)
{
    Dialog d;
    d.m.stateChanged(12);
    EXPECT_TRUE(d.m.depsEnabled[1]);
    d.m.depsText[1] = "3";
    d.m.stateChanged(13);  // Indiana's calculator reads it too
    EXPECT_TRUE(d.m.depsEnabled[1]);
    d.m.stateChanged(19);
    EXPECT_FALSE(d.m.depsEnabled[1]);
    EXPECT_EQ(d.m.depsText[1], "3");  // kept for the state that reads it
}

TEST(StateOptions, TheSavedSecondCountShowsAtLoad)
{
    for (int state : {12, 13, 19}) {
        SCOPED_TRACE(state);
        test::Calculator c;
        c.h.settings.save("Settings", "State", std::to_string(state));
        c.h.settings.save("StateInfo", "ILINDeps", "2");
        StateOptionsModel m(c.ctx);
        m.load();
        EXPECT_EQ(m.depsText[1], "2");
        EXPECT_EQ(m.depsEnabled[1], state != 19);
    }
}

TEST(StateOptions, LoadReadsTheSavedOptions)
{
    test::Calculator c;
    c.h.settings.save("Settings", "State", "26");
    for (auto [k, v] : {std::pair{"staDeps", "2"}, {"staExmp", "4"}, {"staAdd", "12.5"}, {"staMarried", "3"},
                        {"staRate", "4"}, {"sta401", "Y"}, {"staPreTax", "y"}})
        c.h.settings.save("StateInfo", k, v);
    StateOptionsModel m(c.ctx);
    m.load();
    EXPECT_EQ(c.h.windows.frmLoaded, "15");
    EXPECT_EQ(m.cboState, 26);
    EXPECT_EQ(m.depsText[0], "2");
    EXPECT_EQ(m.specialText, "4");
    EXPECT_EQ(m.additional, "12.5");
    EXPECT_EQ(c.h.r.intSMarried, 3);
    EXPECT_EQ(m.statusSelected, -1);  // New Jersey offers no filing status
    EXPECT_EQ(c.h.r.StateRate, 4);
    EXPECT_EQ(m.rateSelected, 4);
    EXPECT_TRUE(m.chk401k);
    EXPECT_TRUE(m.chkPreTax);  // anything but "N" ticks the box
    EXPECT_EQ(m.S401k, "Y");
}

TEST(StateOptions, FilingStatusClickSavesAndShowsTheSpousesPartForOptionEight)
{
    Dialog d(23);
    d.m.statusClicked(8);
    EXPECT_TRUE(d.m.spouseVisible);
    EXPECT_EQ(d.c.h.r.intSMarried, 8);
    EXPECT_EQ(d.c.h.settings.get("StateInfo", "staMarried", "?"), "8");
    d.m.statusClicked(7);
    EXPECT_FALSE(d.m.spouseVisible);
}

TEST(StateOptions, RateClickCountsOnlyForConnecticutAndNewJersey)
{
    Dialog d(26);
    d.m.rateClicked(3);
    EXPECT_EQ(d.c.h.r.StateRate, 3);
    d.m.stateChanged(19);
    d.m.rateClicked(1);
    EXPECT_EQ(d.c.h.r.StateRate, 3);
}

TEST(StateOptions, ConnecticutExplainsTheRateUnderThePointer)
{
    Dialog d(6);
    d.m.ratePointed(1);
    EXPECT_EQ(d.m.explanation, "You will file as Head of Household on your federal tax return.");
    d.m.rateLeft();
    EXPECT_EQ(d.m.explanation, "");
    d.m.stateChanged(26);
    d.m.ratePointed(1);
    EXPECT_EQ(d.m.explanation, "");
}

TEST(StateOptions, AcceptFillsThePayRecordAndSavesEveryOption)
{
    Dialog d(12);
    d.m.depsText = {"2", "3"};
    d.m.specialText = "1";
    d.m.additional = "$7.50";
    d.m.check401kClicked(true);
    d.m.rateSelected = -1;
    ASSERT_FALSE(d.m.accept());
    const PayRecord& r = d.c.h.r;
    EXPECT_EQ(r.StateDeps, 2);
    EXPECT_EQ(r.ILINDeps, 3);
    EXPECT_EQ(r.StateExmp, 1);
    EXPECT_EQ(r.StateAdd, 7.5_usd);
    EXPECT_EQ(r.intState, 12);
    EXPECT_EQ(d.c.h.windows.frmLoaded, "0");
    auto saved = [&](const char* key) { return d.c.h.settings.get("StateInfo", key, "?"); };
    EXPECT_EQ(saved("staDeps"), "2");
    EXPECT_EQ(saved("ILINDeps"), "3");
    EXPECT_EQ(saved("staExmp"), "1");
    EXPECT_EQ(saved("staAdd"), "7.5");
    EXPECT_EQ(saved("sta401"), "Y");
    EXPECT_EQ(saved("staPreTax"), "N");
    EXPECT_EQ(saved("staRate"), "0");
}

TEST(StateOptions, EmptyAdditionalIsSavedAsZero)
{
    Dialog d(1);
    d.m.additional = "";
    ASSERT_FALSE(d.m.accept());
    EXPECT_EQ(d.m.additional, "0");
    EXPECT_EQ(d.c.h.settings.get("StateInfo", "staAdd", "?"), "0");
}

TEST(StateOptions, MississippiKeepsTheAdditionalAmountAndTheSpousesPart)
{
    Dialog d(23);
    d.m.additional = "15";
    d.m.statusClicked(8);
    d.m.spousePart = "6000";
    ASSERT_FALSE(d.m.accept());
    EXPECT_EQ(d.c.h.r.StateAdd, 15_usd);
    EXPECT_EQ(d.c.h.settings.get("StateInfo", "staAdd", "?"), "15");

    StateOptionsModel again(d.c.ctx);
    again.load();
    EXPECT_EQ(again.additional, "15");
    EXPECT_EQ(again.spousePart, "6000");
    ASSERT_FALSE(again.accept());
    EXPECT_EQ(d.c.h.settings.get("StateInfo", "missPart", "?"), "6000");
}

TEST(StateOptions, UnreadableEntryIsRefusedAndNothingIsSaved)
{
    struct Row {
        const char* name;
        std::string StateOptionsModel::*field;
        const char* text;
    };
    for (const Row& row : {Row{"typed special", &StateOptionsModel::specialText, "two"},
                           Row{"special out of range", &StateOptionsModel::specialText, "40000"},
                           Row{"additional", &StateOptionsModel::additional, "1.2.3"},
                           Row{"spouse part", &StateOptionsModel::spousePart, "lots"}}) {
        SCOPED_TRACE(row.name);
        Dialog d(4);
        d.m.*row.field = row.text;
        const auto problem = d.m.accept();
        ASSERT_TRUE(problem);
        EXPECT_NE(problem->message.find(row.text), std::string::npos);
        EXPECT_EQ(d.c.h.settings.get("StateInfo", "staDeps", "?"), "?");
        EXPECT_EQ(d.c.h.windows.frmLoaded, "15");
    }
}

TEST(StateOptions, SavedOptionsReachTheNextCalculation)
{
    test::Calculator c;
    c.h.settings.save("Settings", "State", "1");  // Alabama
    c.main.load();
    c.main.txtIncome = "1000";
    ASSERT_FALSE(c.main.calculate());
    EXPECT_FALSE(c.main.notice.empty());  // no filing status yet

    StateOptionsModel d(c.ctx);
    d.load();
    d.statusClicked(1);
    d.additional = "5";
    ASSERT_FALSE(d.accept());
    c.main.activate();
    ASSERT_FALSE(c.main.calculate());
    EXPECT_EQ(c.main.notice, "");
    EXPECT_GT(c.h.r.sTax, 5_usd);
}

}  // namespace
}  // namespace wm

namespace wm {
namespace {

// ---- Saved options are in effect from the start -----------------------

struct StartRow {
    const char* name;
    std::vector<std::pair<const char*, const char*>> settings;  // "Section/key", value
    const char* stateTax;  // first Calculate after the start, as wagemark-cli calc gives it; null: not checked
    const char* localTax;
};

// A start with saved entries and options; the first Calculate must give what
// the same Calculate gives after visiting the dialog and accepting it.
void startCalculatesAsAfterTheDialog(const StartRow& row)
{
    SCOPED_TRACE(row.name);
    test::Calculator c;
    for (auto [key, value] : row.settings) {
        const std::string k(key);
        c.h.settings.save(k.substr(0, k.find('/')), k.substr(k.find('/') + 1), value);
    }
    c.main.load();
    c.main.activate();
    ASSERT_FALSE(c.main.calculate());
    const PayRecord start = c.h.r;
    const std::string startNotice = c.main.notice;
    if (row.stateTax) {
        EXPECT_EQ(formatFixed4(start.sTax), row.stateTax);
    }
    EXPECT_EQ(formatFixed4(start.amtLocalTax), row.localTax);

    StateOptionsModel d(c.ctx);
    d.load();
    ASSERT_FALSE(d.accept());
    c.main.activate();
    ASSERT_FALSE(c.main.calculate());
    EXPECT_EQ(formatFixed4(c.h.r.sTax), formatFixed4(start.sTax));
    EXPECT_EQ(formatFixed4(c.h.r.amtLocalTax), formatFixed4(start.amtLocalTax));
    EXPECT_EQ(formatFixed4(c.h.r.amtTotal), formatFixed4(start.amtTotal));
    EXPECT_EQ(c.main.notice, startNotice);
}

TEST(SavedOptionsAtStart, FirstCalculateIsTheSameAsAfterTheDialog)
{
    using S = std::vector<std::pair<const char*, const char*>>;
    const S weekly = {{"Settings/IncAmt", "1000"}, {"Settings/Frequency", "0"}, {"Settings/Deps", "1"}};
    auto with = [&](S more) {
        S all = weekly;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    const StartRow rows[] = {
        {"Georgia M with 2 dependents",
         with({{"Settings/State", "9"}, {"StateInfo/staMarried", "3"}, {"StateInfo/staDeps", "2"}}), "42.3400",
         "0.0000"},
        {"Alabama single", with({{"Settings/State", "1"}, {"StateInfo/staMarried", "1"}}), "39.6009", "0.0000"},
        {"Maryland 2.41 and 5.00 more",
         with({{"Settings/State", "19"}, {"StateInfo/MMethod", "241"}, {"StateInfo/staAdd", "5"}}), "71.1721",
         "0.0000"},
        {"local tax 1 % of gross", with({{"Settings/Local", "0.01"}, {"Settings/ApplyTo", "1"}}), "0.0000",
         "10.0000"},
        {"New Jersey rate C", with({{"Settings/State", "26"}, {"StateInfo/staRate", "2"}}), nullptr, "0.0000"},
        {"Illinois second count", with({{"Settings/State", "12"}, {"StateInfo/ILINDeps", "2"}}), nullptr, "0.0000"},
        {"Mississippi exemptions", with({{"Settings/State", "23"}, {"StateInfo/staExmp", "2"}}), nullptr, "0.0000"},
    };
    for (const StartRow& row : rows) startCalculatesAsAfterTheDialog(row);
}

TEST(SavedOptionsAtStart, UnreadableValueTakesItsDefaultAndIsNamedOnce)
{
    test::Calculator c;
    std::vector<std::string> named;
    c.h.settings.onUnreadable = [&](const UnreadableSetting& u) { named.push_back(u.section + "/" + u.key); };
    c.h.settings.save("Settings", "State", "9");
    c.h.settings.save("StateInfo", "staMarried", "3");
    c.h.settings.save("StateInfo", "staDeps", "two");
    c.h.settings.save("StateInfo", "staAdd", "5");
    c.h.settings.save("Settings", "ApplyTo", "99999");
    c.main.load();
    EXPECT_TRUE(c.h.log.reports.empty());
    EXPECT_EQ(c.h.r.StateDeps, 0);
    EXPECT_EQ(c.h.r.SPtx, 0);
    EXPECT_EQ(c.h.r.intSMarried, 3);  // the readable ones still count
    EXPECT_EQ(c.h.r.StateAdd, 5_usd);
    EXPECT_EQ(named, (std::vector<std::string>{"StateInfo/staDeps", "Settings/ApplyTo"}));
    EXPECT_EQ(c.h.settings.get("StateInfo", "staDeps", ""), "0");  // the next start is clean
    c.main.txtIncome = "1000";
    ASSERT_FALSE(c.main.calculate());
    EXPECT_EQ(c.main.notice, "");
}

}  // namespace
}  // namespace wm

namespace wm {
namespace {

// ---- A status kept for another state is "not chosen" -------------------

TEST(StatusesOffered, AStoredCodeTheStateDoesNotOfferIsNotChosenAndTheNoticeSaysWhatToChoose)
{
    for (int state = 1; state < kStateCount; ++state) {
        const StateEntry& entry = stateAt(state);
        if (entry.dialog.statuses.empty()) continue;
        SCOPED_TRACE(entry.name);
        int other = 0;
        while (offeredStatus(entry, other)) ++other;
        test::Calculator c;
        c.h.settings.save("Settings", "State", std::to_string(state));
        c.h.settings.save("StateInfo", "staMarried", std::to_string(other));
        c.h.settings.save("StateInfo", "MMethod", "241");
        c.main.load();
        c.main.txtIncome = "1000";
        ASSERT_FALSE(c.main.calculate());
        for (const StatusChoice& choice : entry.dialog.statuses) {
            const std::string quoted = "\"" + std::string(choice.caption) + "\"";
            EXPECT_NE(c.main.notice.find(quoted), std::string::npos) << c.main.notice;
        }

        StateOptionsModel d(c.ctx);
        d.load();
        EXPECT_EQ(d.statusSelected, -1);
        EXPECT_EQ(d.statusNote, StateOptionsModel::kStatusNotChosen);
        d.statusClicked(entry.dialog.statuses.back().code);
        EXPECT_EQ(d.statusSelected, entry.dialog.statuses.back().code);
        EXPECT_EQ(d.statusNote, "");
    }
}

// ---- The special lists show the value in use --------------------------

TEST(SpecialListInUse, MarylandShowsTheCountyRateInUseOrAsksForOne)
{
    Dialog none(19);
    ASSERT_FALSE(none.m.specialItems.empty());
    EXPECT_EQ(none.m.specialItems.front(), "choose your county rate");
    EXPECT_EQ(none.m.specialText, "choose your county rate");
    ASSERT_FALSE(none.m.accept());
    none.c.main.load();
    none.c.main.txtIncome = "1000";
    ASSERT_FALSE(none.c.main.calculate());
    EXPECT_NE(none.c.main.notice.find("county rate"), std::string::npos);  // never a silent 0.00

    test::Calculator c;
    c.h.settings.save("Settings", "State", "19");
    c.h.settings.save("StateInfo", "MMethod", "241");
    c.h.settings.save("StateInfo", "staExmp", "3");
    c.main.load();
    StateOptionsModel chosen(c.ctx);
    chosen.load();
    EXPECT_EQ(chosen.specialText, "2.41");
    EXPECT_EQ(chosen.specialItems.size(), 8u);  // no "choose" entry once a rate is in use
    ASSERT_FALSE(chosen.accept());
    EXPECT_EQ(c.h.r.Method, 241);
    EXPECT_EQ(c.h.settings.get("StateInfo", "staExmp", "?"), "3");  // a county rate is no exemption count
}

TEST(SpecialListInUse, EveryCountyRateOfTheListHasAMarylandTable)
{
    for (const ListItem& county : marylandCounties()) {
        SCOPED_TRACE(county.text);
        test::Harness h;
        h.r.Method = county.value;
        h.r.HowOft = 0;
        h.state(&Maryland, 1000_usd);
        EXPECT_EQ(h.pass.notice, "");
        EXPECT_GT(h.r.sTax, 0_usd);
    }
}

TEST(StateOptionsAccept, SaysWhichStateTheOptionsAreForAndTheAlertGoes)
{
    Dialog d(1);  // the calculator on Alabama
    d.c.h.settings.save("Settings", "PgInst", "20");
    d.c.main.load();
    d.c.main.activate();
    ASSERT_TRUE(d.c.main.stateHintVisible);
    d.m.statusClicked(3);
    ASSERT_FALSE(d.m.accept());
    EXPECT_EQ(d.c.saved("StateName", "StateInfo"), "Alabama");
    d.c.main.activate();
    EXPECT_FALSE(d.c.main.stateHintVisible);
    EXPECT_FALSE(d.c.main.optionsHintVisible());
}

}  // namespace
}  // namespace wm
