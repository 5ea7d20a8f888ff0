// The main window's rules without a window: preferences, start form,
// "Nothing to Work With!", New, the day's background, the help file path.
#include <gtest/gtest.h>

#include "record/settings_store.h"
#include "shell/logic/shell_model.h"
#include "support/navigation.h"

namespace wm {
namespace {

struct Shell : test::Context {
    ShellModel model{ctx};
};

TEST(ShellModel, FirstStartReadsTheDefaults)
{
    Shell s;
    s.model.load();
    EXPECT_EQ(s.h.windows.VarLoadMDI, 1);
    EXPECT_EQ(s.h.windows.DontShowMe, 0);
    EXPECT_EQ(s.h.windows.strPicSelect, "Pictures");
    EXPECT_EQ(s.model.menuAnimation(), MenuAnimation::None);
    EXPECT_EQ(s.h.windows.intShowStateLabel, 10);
    EXPECT_EQ(s.model.labelTool(), -1);
    EXPECT_EQ(s.model.startForm(), FormId::PersonalInfo);
    s.model.unload();
    EXPECT_EQ(s.h.windows.VarLoadMDI, 0);
}

TEST(ShellModel, StoredPreferencesAreMirrored)
{
    Shell s;
    s.h.settings.save("User", "DontShow", "1");
    s.h.settings.save("Settings", "BckGndDsgn", "Patterns");
    s.h.settings.save("Settings", "Animations", "3");
    s.h.settings.save("Settings", "PgInst", "20");
    s.model.load();
    EXPECT_EQ(s.model.startForm(), FormId::Main);
    EXPECT_TRUE(s.model.patterns());
    EXPECT_EQ(s.model.menuAnimation(), MenuAnimation::Slide);
    EXPECT_EQ(s.model.labelTool(), 1);
}

// A background design the program does not have is a setting it cannot
// read: the pictures, said once, saved in its place.
TEST(ShellModel, UnknownBackgroundDesignIsAnUnreadableSetting)
{
    for (const char* stored : {"zz", "-1", "", "patterns"}) {
        SCOPED_TRACE(stored);
        Shell s;
        s.h.settings.save("Settings", "BckGndDsgn", stored);
        std::vector<std::string> told;
        s.h.settings.onUnreadable = [&told](const UnreadableSetting& u) { told.push_back(u.key); };
        s.model.load();
        EXPECT_EQ(s.h.windows.strPicSelect, "Pictures");
        EXPECT_EQ(told, std::vector<std::string>{"BckGndDsgn"});
        EXPECT_EQ(s.h.settings.get("Settings", "BckGndDsgn", ""), "Pictures");
        EXPECT_TRUE(s.h.log.reports.empty());
    }
}

TEST(ShellModel, PgInstOtherThanTenOrTwentySelectsNoLabelTool)
{
    Shell s;
    s.h.settings.save("Settings", "PgInst", "15");
    s.model.load();
    EXPECT_EQ(s.model.labelTool(), 0);
}

TEST(ShellModel, PreferenceToolsSaveTheirSettings)
{
    Shell s;
    s.model.load();
    s.model.setBackgroundDesign(kPatterns);
    s.model.setMenuAnimation(MenuAnimation::Unfold);
    s.model.setStateLabel(true);
    EXPECT_EQ(s.h.settings.get("Settings", "BckGndDsgn", ""), "Patterns");
    EXPECT_EQ(s.h.settings.get("Settings", "Animations", ""), "2");
    EXPECT_EQ(s.h.settings.get("Settings", "PgInst", ""), "20");
    EXPECT_EQ(s.h.windows.intShowStateLabel, 20);
    s.model.setStateLabel(false);
    EXPECT_EQ(s.h.settings.get("Settings", "PgInst", ""), "10");
}

TEST(ShellModel, AnalyzeNeedsACalculation)
{
    Shell s;
    EXPECT_FALSE(s.model.canAnalyze());
    s.h.in.txtIncome = "1000";
    ASSERT_TRUE(s.h.calculate());
    EXPECT_TRUE(s.model.canAnalyze());
    s.model.clearResults();  // New
    EXPECT_FALSE(s.model.canAnalyze());
}

TEST(ShellModel, ClearResetsTheResultsAndTheLocalRate)
{
    Shell s;
    s.h.in.txtIncome = "1000";
    s.h.in.txt401k = "5";
    s.h.in.txtPreTax = "20";
    s.h.in.txtPreFICA = "10";
    s.h.r.SPval = 0.02;
    s.h.r.SPtx = 1;
    ASSERT_TRUE(s.h.calculate());
    ASSERT_NE(s.h.r.amtLocalTax, 0_usd);
    s.model.clearResults();
    const PayRecord& r = s.h.r;
    for (Currency c : {r.SSBase, r.amt401k, r.PreTax, r.SSEmp, r.fTax, r.sTax, r.amtLocalTax, r.amtSS,
                       r.amtMedicare, r.amtFICA})
        EXPECT_EQ(c, 0_usd);
    EXPECT_EQ(r.SPval, 0);
    EXPECT_EQ(r.SPtx, 1);  // the base stays chosen
}

TEST(ShellModel, NewClearsOnlyTheCurrentCalculator)
{
    Shell s;
    for (const char* code : {"0", "9", "15", "7", ""}) {
        s.h.windows.frmLoaded = code;
        EXPECT_FALSE(s.model.newClearsMain()) << code;
    }
    s.h.windows.frmLoaded = "6";
    EXPECT_TRUE(s.model.newClearsMain());
}

TEST(ShellModel, OnlyTheLastDigitOfTheDayPicksTheBackground)
{
    for (int day : {10, 12, 20, 28, 30, 2, 4, 6, 8}) EXPECT_TRUE(ShellModel::evenDay(day)) << day;
    for (int day : {1, 9, 11, 31, 3, 5, 7, 13, 29}) EXPECT_FALSE(ShellModel::evenDay(day)) << day;
}

TEST(HelpFilePath, OneSeparatorBetweenFolderAndFile)
{
    struct Row {
        const char* folder;
        const char* expected;
    };
    for (const Row& row : {Row{"/usr/bin", "/usr/bin/Wagemark.html"}, Row{"/", "/Wagemark.html"},
                           Row{"/opt/wagemark/", "/opt/wagemark/Wagemark.html"},
                           Row{"  /opt/w  ", "/opt/w/Wagemark.html"}, Row{"", "/Wagemark.html"}}) {
        SCOPED_TRACE(row.folder);
        EXPECT_EQ(helpFilePath(row.folder), row.expected);
    }
}

TEST(ShellModel, UnreadablePreferencesFallBackToTheirDefaults)
{
    Shell s;
    s.h.settings.save("User", "DontShow", "x");
    s.h.settings.save("Settings", "Animations", "fast");
    s.h.settings.save("Settings", "PgInst", "99999999");
    s.model.load();
    EXPECT_TRUE(s.h.log.reports.empty());
    EXPECT_EQ(s.model.startForm(), FormId::PersonalInfo);
    EXPECT_EQ(s.model.menuAnimation(), MenuAnimation::None);
    EXPECT_EQ(s.h.windows.intShowStateLabel, 10);
    EXPECT_EQ(s.h.settings.get("User", "DontShow", "?"), "0");
    EXPECT_EQ(s.h.settings.get("Settings", "Animations", "?"), "0");
    EXPECT_EQ(s.h.settings.get("Settings", "PgInst", "?"), "10");
}

}  // namespace
}  // namespace wm
