// The state list: a state is found by its list text, its full name or its
// calculator's name, whatever the case.
#include <gtest/gtest.h>

#include "states/registry.h"

namespace wm {
namespace {

struct NameCase {
    const char* typed;
    const char* listText;  // the state it finds; "" for none
};

TEST(StateList, FindsAStateByAnyOfItsNames)
{
    const NameCase cases[] = {
        {"Dist of Columbia", "Dist of Columbia"},  // the list text
        {"District of Columbia", "Dist of Columbia"},  // in full
        {"DCTax", "Dist of Columbia"},              // the calculator
        {"dctax", "Dist of Columbia"},
        {"Massachusetts", "Massachusetts"},
        {"Massachusettes", "Massachusetts"},       // as earlier lists spelt it
        {"MASSACHUSETTES", "Massachusetts"},
        {"NewYork", "New York"},
        {"new york", "New York"},
        {"No State", "No State"},
        {"Wisconsin", "Wisconsin"},
        {"", ""},
        {"Columbia", ""},
        {"Puerto Rico", ""},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.typed);
        const int i = findState(c.typed);
        if (*c.listText == '\0') {
            EXPECT_EQ(i, -1);
            continue;
        }
        ASSERT_GE(i, 0);
        EXPECT_EQ(stateAt(i).name, c.listText);
    }
}

TEST(StateList, EveryNameFindsItsOwnState)
{
    for (int i = 0; i < kStateCount; ++i) {
        const StateEntry& s = stateAt(i);
        SCOPED_TRACE(std::string(s.name));
        EXPECT_EQ(findState(s.name), i);
        if (!s.procedure.empty()) {
            EXPECT_EQ(findState(s.procedure), i);
        }
        if (!s.fullName.empty()) {
            EXPECT_EQ(findState(s.fullName), i);
        }
        if (!s.formerName.empty()) {
            EXPECT_EQ(findState(s.formerName), i);
        }
    }
}

}  // namespace
}  // namespace wm
