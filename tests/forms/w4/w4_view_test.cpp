// Form W-4 view and personal information: settings, marital boxes, lines.
#include <gtest/gtest.h>

#include <array>

#include "forms/w4/logic/w4_view_model.h"
#include "support/harness.h"
#include "support/navigation.h"

namespace wm::w4 {
namespace {

constexpr CivilDate kToday{2000, 3, 7};

TEST(PersonalInfo, FirstStartShowsDashesAndMarried)
{
    test::WindowHarness h;
    h.r.valMarried = 1;
    PersonalInfo f(h.r, h.windows, h.settings, h.errors);
    for (const std::string* field : {&f.txtName, &f.txtAddress, &f.txtCity, &f.txtSSN}) EXPECT_EQ(*field, "-");
    EXPECT_EQ(f.optMaritalStatus, 0);
    EXPECT_EQ(h.r.valMarried, 0);
    EXPECT_TRUE(f.chkShow);
}

TEST(PersonalInfo, EmptyNameKeepsTheFormAndStoresNothing)
{
    for (const char* name : {"", "   "}) {
        SCOPED_TRACE(testing::Message() << '"' << name << '"');
        test::WindowHarness h;
        PersonalInfo f(h.r, h.windows, h.settings, h.errors);
        f.txtName = name;
        f.txtAddress = "12 Elm St";
        f.selectMarital(1);
        EXPECT_FALSE(f.exit());
        for (const char* key : {"UName", "UAdd", "UCity", "USSN"}) EXPECT_FALSE(h.settings.contains("User", key));
        EXPECT_FALSE(h.settings.contains("Settings", "MaritalStat"));
    }
}

// Names are text, not layout: a field holding a line break or a direction
// override keeps the form open, saves nothing and says which field.
TEST(PersonalInfo, LayoutCharactersAreRefusedWithTheField)
{
    const struct {
        const char* name;
        int field;
        std::string text;
        const char* said;
    } rows[] = {
        {"line break in the name", 0, "Pat\nDoe", "The name holds a line break (U+000A)"},
        {"override in the name", 0, "\u202Eevil.exe", "The name holds a direction override (U+202E)"},
        {"isolate in the address", 1, "12 Elm St\u2066", "The address holds a direction isolate"},
        {"tab in the city", 2, "Dover,\tDE", "The city, state and ZIP code holds a tab (U+0009)"},
        {"C1 control in the city", 2, "Dover\u0085", "holds a line break (U+0085)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::WindowHarness h;
        PersonalInfo f(h.r, h.windows, h.settings, h.errors);
        f.txtName = "Pat Doe";
        *std::array{&f.txtName, &f.txtAddress, &f.txtCity}[static_cast<std::size_t>(row.field)] = row.text;
        EXPECT_FALSE(f.exit());
        const auto problem = f.textProblem();
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->field, row.field);
        EXPECT_NE(problem->message.find(row.said), std::string::npos) << problem->message;
        EXPECT_FALSE(h.settings.contains("User", "UName"));
    }
}

// Saved before they were refused: shown, and saved again, without them.
TEST(PersonalInfo, SavedLayoutCharactersAreLeftOut)
{
    test::WindowHarness h;
    h.settings.save("User", "UName", "Pat\nDoe\u202E");
    h.settings.save("User", "UAdd", "\u202E12 Elm St");
    PersonalInfo f(h.r, h.windows, h.settings, h.errors);
    EXPECT_EQ(f.txtName, "PatDoe");
    EXPECT_EQ(f.txtAddress, "12 Elm St");
    W4View v(h.r, h.windows, h.settings, h.errors, kToday);
    EXPECT_EQ(v.lblName, "PatDoe");
    EXPECT_EQ(v.lblAddress, "12 Elm St");
}

TEST(PersonalInfo, ExitSavesIdentityAndStatus)
{
    test::WindowHarness h;
    {
        PersonalInfo f(h.r, h.windows, h.settings, h.errors);
        f.txtName = "Ann B. Cole";
        f.txtAddress = "12 Elm St";
        f.txtCity = "Dover, DE 19901";
        f.txtSSN = "123-45-6789";
        f.selectMarital(2);
        EXPECT_EQ(h.r.valMarried, 2);
        EXPECT_TRUE(f.exit());
    }
    EXPECT_EQ(h.settings.get("User", "UName", ""), "Ann B. Cole");
    EXPECT_EQ(h.settings.get("User", "UCity", ""), "Dover, DE 19901");
    EXPECT_EQ(h.settings.get("User", "USSN", ""), "123-45-6789");
    EXPECT_EQ(h.settings.get("Settings", "MaritalStat", ""), "2");

    h.r.valMarried = 0;
    PersonalInfo again(h.r, h.windows, h.settings, h.errors);
    EXPECT_EQ(again.txtName, "Ann B. Cole");
    EXPECT_EQ(again.optMaritalStatus, 2);
    EXPECT_EQ(h.r.valMarried, 2);
}

TEST(PersonalInfo, SsnWithoutDigitsIsStoredAsNotKnown)
{
    struct Row {
        const char* field;
        const char* stored;
    };
    for (const Row& row : {Row{"--", "-"}, Row{"", "-"}, Row{"  -  -    ", "-"}, Row{"123-4-", "123-4-"},
                           Row{"987-65-4321", "987-65-4321"}}) {
        SCOPED_TRACE(row.field);
        EXPECT_EQ(ssnForStore(row.field), row.stored);
    }
}

TEST(PersonalInfo, ClearingShowAtStartIsSavedAtOnce)
{
    test::WindowHarness h;
    PersonalInfo f(h.r, h.windows, h.settings, h.errors);
    f.setShowAtStart(false);
    EXPECT_EQ(h.windows.DontShowMe, 1);
    EXPECT_EQ(h.settings.get("User", "DontShow", ""), "1");
    f.setShowAtStart(true);
    EXPECT_EQ(h.windows.DontShowMe, 0);
    EXPECT_EQ(h.settings.get("User", "DontShow", ""), "0");
    f.setShowAtStart(false);
    PersonalInfo again(h.r, h.windows, h.settings, h.errors);
    EXPECT_FALSE(again.chkShow);
}

TEST(PersonalInfo, UnreadableStoredStatusGivesTheFirstOption)
{
    test::WindowHarness h;
    h.settings.save("Settings", "MaritalStat", "single");
    h.r.valMarried = 1;
    PersonalInfo f(h.r, h.windows, h.settings, h.errors);
    EXPECT_TRUE(h.log.reports.empty());
    EXPECT_EQ(f.optMaritalStatus, 0);
    EXPECT_EQ(h.settings.get("Settings", "MaritalStat", "?"), "0");
}

TEST(W4View, FirstStartFillsDashesDateAndLineFive)
{
    test::WindowHarness h;
    W4View v(h.r, h.windows, h.settings, h.errors, kToday);
    EXPECT_EQ(v.lblName, "-");
    EXPECT_EQ(v.lblSSN, "-");
    EXPECT_EQ(v.lblDate, "3/7/2000");
    EXPECT_EQ(v.lblW4Line5, "0");
    EXPECT_EQ(v.lblW4Line6, "");
    EXPECT_FALSE(v.exemptShown);
    // The printed certificate leaves unknown fields blank.
    const Certificate c = v.certificate();
    EXPECT_EQ(c.name.first, "");
    EXPECT_EQ(c.ssn, "");
}

TEST(W4View, MaritalBoxFollowsTheStatus)
{
    for (std::int16_t status : {0, 1, 2, 7}) {
        SCOPED_TRACE(status);
        test::WindowHarness h;
        h.r.valMarried = status;
        // The keys nobody writes are not what the boxes follow.
        h.settings.save("User", "Marital1", "1");
        W4View v(h.r, h.windows, h.settings, h.errors, kToday);
        EXPECT_EQ(v.maritalBox, status <= 2 ? status : -1);
    }
}

TEST(W4View, LineSixIsShownAsCurrency)
{
    struct Row {
        const char* in;
        const char* shown;
    };
    for (const Row& row : {Row{"210", "$210.00"}, Row{"333.3333", "$333.33"}, Row{"0", "$0.00"}, Row{"", ""},
                           Row{"1234.565", "$1,234.57"}, Row{"n/a", "n/a"}}) {
        SCOPED_TRACE(row.in);
        test::WindowHarness h;
        W4View v(h.r, h.windows, h.settings, h.errors, kToday);
        v.setLine6(row.in);
        EXPECT_EQ(v.lblW4Line6, row.shown);
    }
}

TEST(W4View, ExemptWordRule)
{
    test::WindowHarness h;
    W4View v(h.r, h.windows, h.settings, h.errors, kToday);
    v.doubleClickLine7();
    EXPECT_TRUE(v.certificate().exempt);
    v.clickLine7();
    EXPECT_FALSE(v.certificate().exempt);
    // A double-click arrives as a click, then the double-click.
    v.clickLine7();
    v.doubleClickLine7();
    EXPECT_TRUE(v.exemptShown);
}

TEST(W4View, IdentityFromTheStore)
{
    test::WindowHarness h;
    h.settings.save("User", "UName", "Ann B. Cole");
    h.settings.save("User", "UAdd", "12 Elm St");
    h.settings.save("User", "UCity", "Dover, DE 19901");
    h.settings.save("User", "USSN", "123-45-6789");
    h.windows.PersWkShtDeps = 4;
    W4View v(h.r, h.windows, h.settings, h.errors, kToday);
    const Certificate c = v.certificate();
    EXPECT_EQ(c.name.first, "Ann B.");
    EXPECT_EQ(c.name.last, "Cole");
    EXPECT_EQ(c.address, "12 Elm St");
    EXPECT_EQ(c.city, "Dover, DE 19901");
    EXPECT_EQ(c.ssn, "123-45-6789");
    EXPECT_EQ(c.line5, "4");
}

TEST(W4View, NameSplitsIntoTheTwoBoxes)
{
    struct Row {
        const char* full;
        const char* first;
        const char* last;
    };
    for (const Row& row : {Row{"Ann B. Cole", "Ann B.", "Cole"}, Row{"Cher", "Cher", ""},
                           Row{"  John   Smith ", "John", "Smith"}, Row{"John Q. Smith Jr.", "John Q.", "Smith Jr."},
                           Row{"John Smith, III", "John", "Smith, III"}, Row{"Mary Ann Lee", "Mary Ann", "Lee"},
                           Row{"", "", ""}}) {
        SCOPED_TRACE(row.full);
        const NameParts p = splitName(row.full);
        EXPECT_EQ(p.first, row.first);
        EXPECT_EQ(p.last, row.last);
    }
}

}  // namespace
}  // namespace wm::w4
