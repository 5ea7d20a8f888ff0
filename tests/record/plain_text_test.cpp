// Text that would be laid out instead of shown: found and left out, other
// text (accents, other scripts, emoji, bytes that are not UTF-8) untouched.
#include <gtest/gtest.h>

#include "record/plain_text.h"

namespace wm {
namespace {

TEST(PlainText, LayoutCharactersAreFoundAndLeftOut)
{
    const struct {
        const char* name;
        std::string text;
        char32_t first;  // 0: none
        std::string without;
    } rows[] = {
        {"plain", "Pat Doe", 0, "Pat Doe"},
        {"accents, other scripts, emoji", "Zoë Müller – 東京 😀", 0, "Zoë Müller – 東京 😀"},
        {"Hebrew and a right-to-left mark", "\u05D3\u05D5\u05D3 \u200F", 0, "\u05D3\u05D5\u05D3 \u200F"},
        {"line feed", "Pat\nDoe", U'\n', "PatDoe"},
        {"carriage return and NUL", std::string("a\r\0b", 4), U'\r', "ab"},
        {"tab", "a\tb", U'\t', "ab"},
        {"DEL", "a\x7F" "b", 0x7F, "ab"},
        {"C1 next line", "a\u0085b", 0x85, "ab"},
        {"C1 range end", "a\u009Fb", 0x9F, "ab"},
        {"no-break space is text", "a\u00A0b", 0, "a\u00A0b"},
        {"line separator", "a\u2028b", 0x2028, "ab"},
        {"paragraph separator", "a\u2029b", 0x2029, "ab"},
        {"right-to-left override", "\u202Eevil.exe", 0x202E, "evil.exe"},
        {"left-to-right embedding", "a\u202Ab", 0x202A, "ab"},
        {"first strong isolate and pop", "\u2068a\u2069", 0x2068, "a"},
        {"isolates end", "a\u2069", 0x2069, "a"},
        {"right next to them is text", "\u2029\u202F\u2065\u206A", 0x2029, "\u202F\u2065\u206A"},
        {"bytes that are not UTF-8 stay", "a\x85\xC2", 0, "a\x85\xC2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto first = firstLayoutCharacter(row.text);
        EXPECT_EQ(first.value_or(0), row.first);
        EXPECT_EQ(withoutLayoutCharacters(row.text), row.without);
        EXPECT_FALSE(firstLayoutCharacter(withoutLayoutCharacters(row.text)));
    }
}

TEST(PlainText, MessagesNameTheCharacter)
{
    EXPECT_EQ(describeCharacter(U'\n'), "a line break (U+000A)");
    EXPECT_EQ(describeCharacter(0x202E), "a direction override (U+202E)");
    EXPECT_EQ(describeCharacter(0x2066), "a direction isolate (U+2066)");
    EXPECT_EQ(describeCharacter(0x1B), "a control character (U+001B)");
}

}  // namespace
}  // namespace wm
