#include "record/plain_text.h"

#include <cstdio>
#include <utility>

namespace wm {

namespace {

// One character of UTF-8 at `at`: its code point and length. A byte that
// starts no well-formed character stands for itself, one byte long.
std::pair<char32_t, std::size_t> decode(std::string_view s, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(at);
    const std::size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (length <= 1 || at + length > s.size()) return {b, 1};
    char32_t c = b & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return {b, 1};
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    return {c, length};
}

}  // namespace

bool isLayoutCharacter(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

std::optional<char32_t> firstLayoutCharacter(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const auto [c, length] = decode(text, at);
        // A lone byte of 0x80..0x9F is not UTF-8 for a C1 control.
        if (isLayoutCharacter(c) && !(length == 1 && c >= 0x80)) return c;
        at += length;
    }
    return std::nullopt;
}

std::string withoutLayoutCharacters(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto [c, length] = decode(text, at);
        if (!isLayoutCharacter(c) || (length == 1 && c >= 0x80)) out.append(text.substr(at, length));
        at += length;
    }
    return out;
}

std::string describeCharacter(char32_t c)
{
    const char* what = "a control character";
    if (c == '\t') what = "a tab";
    else if (c == '\n' || c == '\r' || c == 0x85 || c == 0x2028 || c == 0x2029) what = "a line break";
    else if (c >= 0x202A && c <= 0x202E) what = "a direction override";
    else if (c >= 0x2066 && c <= 0x2069) what = "a direction isolate";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    return std::string(what) + " (" + code + ")";
}

}  // namespace wm
