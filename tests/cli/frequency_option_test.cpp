// --frequency takes each name of the table of pay frequencies, its code, and
// nothing else; the help offers the names the shortest period first.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "cli/options.h"

namespace wm {
namespace {

std::variant<std::int16_t, std::string> frequencyOf(const std::string& typed)
{
    try {
        return cli::parseCalc({"--frequency", typed}, 0, false).request.HowOft;
    } catch (const cli::UsageError& e) {
        return e.message;
    }
}

TEST(FrequencyOption, TakesEveryNameAndCodeOfTheTable)
{
    const struct {
        const char* typed;
        std::int16_t code;
    } rows[] = {
        {"weekly", 0},          {"semimonthly", 1},     {"semi-monthly", 1}, {"twice-a-month", 1},
        {"biweekly", 2},        {"bi-weekly", 2},       {"every-two-weeks", 2}, {"monthly", 3},
        {" Monthly ", 3},       {"BIWEEKLY", 2},        {"0", 0},            {"3", 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const auto got = frequencyOf(row.typed);
        ASSERT_TRUE(std::holds_alternative<std::int16_t>(got)) << std::get<std::string>(got);
        EXPECT_EQ(std::get<std::int16_t>(got), row.code);
    }
}

TEST(FrequencyOption, RefusesWhatIsNoFrequency)
{
    for (const char* typed : {"4", "-1", "daily", "", "fortnightly", "twice a month", "03"}) {
        SCOPED_TRACE(typed);
        const auto got = frequencyOf(typed);
        ASSERT_TRUE(std::holds_alternative<std::string>(got));
        EXPECT_EQ(std::get<std::string>(got), "--frequency: expected weekly, biweekly, semimonthly or monthly, got \"" +
                                                  std::string(typed) + "\"");
    }
}

TEST(FrequencyOption, HelpOffersTheShortestPeriodFirst)
{
    for (const cli::Option& o : cli::options()) {
        if (o.name != "--frequency") continue;
        EXPECT_EQ(o.help, "weekly | biweekly | semimonthly | monthly (default biweekly)");
        EXPECT_EQ(o.choices(), (std::vector<std::string>{"weekly", "biweekly", "semimonthly", "monthly"}));
        EXPECT_EQ(o.limit->hi, kLastFrequency);
        return;
    }
    FAIL() << "no --frequency option";
}

}  // namespace
}  // namespace wm
