#pragma once
// Names and other free text are text, not layout.
//
// Some characters steer how the text around them is laid out instead of
// being shown: C0 and C1 controls (a line break ends a printed header
// half-way), the line and paragraph separators, and the bidirectional
// embeddings, overrides and isolates (a right-to-left override prints what
// follows it backwards, "evil.exe" as "exe.live"). They are refused where
// such text is entered and left out where saved text is shown.

#include <optional>
#include <string>
#include <string_view>

namespace wm {

bool isLayoutCharacter(char32_t c);

// The first layout character of the UTF-8 `text` (bytes that are not UTF-8
// are left to whoever shows them).
std::optional<char32_t> firstLayoutCharacter(std::string_view text);

// `text` without its layout characters.
std::string withoutLayoutCharacters(std::string_view text);

// For messages: "a line break (U+000A)".
std::string describeCharacter(char32_t c);

}  // namespace wm
