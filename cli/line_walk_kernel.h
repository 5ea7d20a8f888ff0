// The walk of one batch line, built once per SIMD kernel (see line_walk.h):
// each line_walk*.cpp includes it once, with WAGEMARK_WALK_KERNEL naming its
// kernel (none: the generic build). Everything here but the walker itself
// has internal linkage, and nothing here calls into code of ours but
// through the sink.

#include "cli/line_walk.h"

#include <simdjson.h>

#include <bit>
#include <cstring>

// The kernel this copy is built for; without one, the kernel the compiler's
// flags give (the generic copy, lineWalker_generic).
#ifdef WAGEMARK_WALK_KERNEL
#define WALK_KERNEL WAGEMARK_WALK_KERNEL
#define WALK_NAME WAGEMARK_WALK_KERNEL
#else
#define WALK_KERNEL SIMDJSON_BUILTIN_IMPLEMENTATION
#define WALK_NAME generic
#endif
#define WALK_CAT2(a, b) a##b
#define WALK_CAT(a, b) WALK_CAT2(a, b)
#define WALK_STR2(a) #a
#define WALK_STR(a) WALK_STR2(a)

namespace wm::cli {

namespace {

// On-Demand exists only for the kernel the flags select: a build whose flags
// gave another kernel stops here.
namespace od = simdjson::WALK_KERNEL::ondemand;
using simdjson::error_code;

// Nesting deeper than this is refused; the line's own object (or array) is
// level 1, the values in it level 2, and so on.
constexpr int kMaxDepth = 64;
constexpr int kValueLevel = 2;
// Within "settings": a section, then a key of it.
constexpr int kSectionLevel = 3;
constexpr int kSettingLevel = 4;

JsonKind kindOf(od::json_type t) { return static_cast<JsonKind>(t); }

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The first quote or backslash from `p` on, in a string whose closing
// quote is there (the string was checked) in a line padded past its end:
// looked for eight bytes at a time.
inline const char* quoteOrBackslash(const char* p)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    for (;; p += 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        const std::uint64_t quote = w ^ (kOnes * '"'), slash = w ^ (kOnes * '\\');
        const std::uint64_t hit = (((quote - kOnes) & ~quote) | ((slash - kOnes) & ~slash)) & kHigh;
        if (hit) return p + std::countr_zero(hit) / 8;  // the first of them: a later one may be a false hit
    }
}

// A key as written when it holds no escape (the common case, and then it
// needs no copy); otherwise unescaped.
inline error_code keyOf(od::field& f, std::string_view& key)
{
    const char* start = f.key().raw();
    const char* end = quoteOrBackslash(start);
    if (*end == '\\') return f.unescaped_key().get(key);
    key = std::string_view(start, static_cast<std::size_t>(end - start));
    return simdjson::SUCCESS;
}

constexpr bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The bytes between a key's quotes, found from its value: only blanks and
// the colon lie between the closing quote and the value. Escapes are left
// as written.
inline std::string_view rawKey(od::field& f, od::value& v)
{
    const char* start = f.key().raw();
    const char* end = v.raw_json_token().data() - 1;
    while (isBlank(*end)) --end;  // to the colon
    --end;
    while (isBlank(*end)) --end;  // to the closing quote
    return {start, static_cast<std::size_t>(end - start)};
}

// Checks a value and all it holds as JSON, reading it to its end. `depth`
// is the level the value opens when it is an array or object.
error_code check(od::value v, int depth)
{
    od::json_type t;
    if (auto e = v.type().get(t)) return e;
    if ((t == od::json_type::array || t == od::json_type::object) && depth > kMaxDepth) return simdjson::DEPTH_ERROR;
    switch (t) {
    case od::json_type::array: {
        od::array a;
        if (auto e = v.get_array().get(a)) return e;
        for (auto item : a) {
            od::value x;
            if (auto e = item.get(x)) return e;
            if (auto e = check(x, depth + 1)) return e;
        }
        return simdjson::SUCCESS;
    }
    case od::json_type::object: {
        od::object o;
        if (auto e = v.get_object().get(o)) return e;
        for (auto item : o) {
            if (auto e = item.error()) return e;
            od::field&& f = std::move(item).value_unsafe();
            std::string_view key;
            if (auto e = keyOf(f, key)) return e;
            if (auto e = check(f.value(), depth + 1)) return e;
        }
        return simdjson::SUCCESS;
    }
    case od::json_type::number: {
        double d;
        return v.get_double().get(d);
    }
    case od::json_type::string: {
        std::string_view s;
        return v.get_string().get(s);
    }
    case od::json_type::boolean: {
        bool b;
        return v.get_bool().get(b);
    }
    case od::json_type::null: {
        bool isNull = false;
        if (auto e = v.is_null().get(isNull)) return e;
        return isNull ? simdjson::SUCCESS : simdjson::N_ATOM_ERROR;
    }
    }
    return simdjson::SUCCESS;
}

// A line that is not an object is still checked to its end first.
error_code checkRoot(od::document& doc, od::json_type t)
{
    switch (t) {
    case od::json_type::array: {
        od::array a;
        if (auto e = doc.get_array().get(a)) return e;
        for (auto item : a) {
            od::value x;
            if (auto e = item.get(x)) return e;
            if (auto e = check(x, kValueLevel)) return e;
        }
        const char* rest;
        return doc.current_location().get(rest) ? simdjson::SUCCESS : simdjson::TRAILING_CONTENT;
    }
    case od::json_type::number: {
        double d;
        return doc.get_double().get(d);
    }
    case od::json_type::string: {
        std::string_view s;
        return doc.get_string().get(s);
    }
    case od::json_type::boolean: {
        bool b;
        return doc.get_bool().get(b);
    }
    case od::json_type::null: {
        bool isNull = false;
        if (auto e = doc.is_null().get(isNull)) return e;
        return isNull ? simdjson::SUCCESS : simdjson::N_ATOM_ERROR;
    }
    case od::json_type::object: break;
    }
    return simdjson::SUCCESS;
}

// A string value: without an escape, where the line holds it (the
// structural pass has checked its bytes); else unescaped.
error_code plainString(od::value& v, std::string_view& text)
{
    const char* token = v.raw_json_token().data();
    const char* end = *token == '"' ? quoteOrBackslash(token + 1) : token;
    if (*end != '"') return v.get_string().get(text);
    od::raw_json_string raw;
    if (auto e = v.get_raw_json_string().get(raw)) return e;
    text = std::string_view(token + 1, static_cast<std::size_t>(end - token - 1));
    return simdjson::SUCCESS;
}

// One walk: the sink, and whether the keys are still read.
struct Walk {
    const BatchKeyTable& keys;
    LineSink& sink;
    bool reading = true;

    // Only checks the value when the keys are no longer read.
    error_code wrong(std::string_view key, std::string_view what, od::value& v, od::json_type t)
    {
        reading = sink.wrong(key, what, kindOf(t));
        return check(v, kValueLevel);
    }

    const BatchKeySlot* find(const KeyWords& w, std::size_t n) const
    {
        const BatchKeySlot& s = keys.slots[batchKeySlot(w, n, keys.factor)];
        return isSlotKey(s, w, n) ? &s : nullptr;
    }

    error_code document(od::document& doc);
    error_code id(od::document& doc, od::value& v);
    // The value by reference where the iteration holds it, never copied
    // (bench/NOTES.md).
    error_code refused(error_code e, std::string_view name, std::string_view what, od::value& v, od::json_type type);
    error_code key(const BatchKeySlot& k, std::string_view name, od::value& v);
    error_code whole(const BatchKeySlot& k, std::string_view name, od::value& v);
    error_code settings(std::string_view key, od::value& v);
    error_code section(std::string_view section, od::value& v);
};

error_code Walk::document(od::document& doc)
{
    od::json_type t;
    if (auto e = doc.type().get(t)) return e;
    if (t != od::json_type::object) {
        if (auto e = checkRoot(doc, t)) return e;
        sink.notAnObject(kindOf(t));
        return simdjson::SUCCESS;
    }
    od::object obj;
    if (auto e = doc.get_object().get(obj)) return e;
    for (auto item : obj) {
        // The field where the iteration holds it: a copy would cost more than the rest of the key.
        if (auto e = item.error()) return e;
        od::field&& f = std::move(item).value_unsafe();
        od::value& v = f.value();
        // A key as written is a batch key or holds no escape, or is
        // unescaped and looked up again.
        std::string_view name = rawKey(f, v);
        const BatchKeySlot* k = find(keyWords(name.data(), name.size()), name.size());
        if (!k && std::memchr(name.data(), '\\', name.size())) {
            if (auto e = f.unescaped_key().get(name)) return e;
            k = find(keyWords(name), name.size());
        }
        if (k && k->type == BatchType::Id) {
            if (auto e = id(doc, v)) return e;
            continue;
        }
        if (auto e = k && reading ? key(*k, name, v) : check(v, kValueLevel)) return e;
    }
    const char* rest;
    return doc.current_location().get(rest) ? simdjson::SUCCESS : simdjson::TRAILING_CONTENT;
}

// Echoed as written: from its first character to the next token.
error_code Walk::id(od::document& doc, od::value& v)
{
    const char* start = v.raw_json_token().data();
    const char* next = nullptr;
    if (auto e = check(v, kValueLevel)) return e;
    if (auto e = doc.current_location().get(next)) return e;
    sink.id(trimRight(std::string_view(start, static_cast<std::size_t>(next - start))));
    return simdjson::SUCCESS;
}

// A value the typed read `e` refused: wrong when it is of another type,
// else not valid JSON (a "tru" is a boolean that does not read).
error_code Walk::refused(error_code e, std::string_view name, std::string_view what, od::value& v, od::json_type type)
{
    od::json_type t;
    if (auto te = v.type().get(t)) return te;
    return t == type ? e : wrong(name, what, v, t);
}

// Each value is read as the type its key takes; its type is asked only
// when that read fails. Inlined into the loop over the line's keys, its one
// caller, as most reads are shorter than a call.
[[gnu::always_inline]] inline error_code Walk::key(const BatchKeySlot& k, std::string_view name, od::value& v)
{
    switch (k.type) {
    case BatchType::Text: {
        std::string_view text;
        if (auto e = plainString(v, text)) return refused(e, name, "a string", v, od::json_type::string);
        reading = sink.text(k.row, name, text);
        return simdjson::SUCCESS;
    }
    case BatchType::Bool: {
        bool b;
        if (auto e = v.get_bool().get(b)) return refused(e, name, "true or false", v, od::json_type::boolean);
        reading = sink.flag(k.row, b);
        return simdjson::SUCCESS;
    }
    case BatchType::Whole: return whole(k, name, v);
    case BatchType::Number: {
        const std::string_view raw = trimRight(v.raw_json_token());
        double d;
        if (auto e = v.get_double().get(d)) return refused(e, name, "a number", v, od::json_type::number);
        reading = sink.number(k.row, name, d, raw);
        return simdjson::SUCCESS;
    }
    case BatchType::Settings: return settings(name, v);
    case BatchType::Id:
    case BatchType::None: break;
    }
    return check(v, kValueLevel);
}

error_code Walk::whole(const BatchKeySlot& k, std::string_view name, od::value& v)
{
    const std::string_view token = v.raw_json_token();
    // Most are integers within their range as written; "2.0", "1e1" or a
    // huge one read as a double, and the sink says what is wrong.
    std::int64_t i;
    double d;
    if (!v.get_int64().get(i)) {
        if (i >= k.lo && i <= k.hi) {
            reading = sink.inRange(k.row, static_cast<std::int16_t>(i));
            return simdjson::SUCCESS;
        }
        d = static_cast<double>(i);
    } else if (auto e = v.get_double().get(d)) {
        return refused(e, name, "a whole number", v, od::json_type::number);
    }
    reading = sink.whole(k.row, name, d, trimRight(token));
    return simdjson::SUCCESS;
}

// {"SECTION": {"KEY": "VALUE", ...}, ...}
error_code Walk::settings(std::string_view key, od::value& v)
{
    od::object sections;
    if (auto e = v.get_object().get(sections)) return refused(e, key, "an object of sections", v, od::json_type::object);
    for (auto item : sections) {
        if (auto e = item.error()) return e;
        od::field&& f = std::move(item).value_unsafe();
        std::string_view name;
        od::json_type t;
        if (auto e = keyOf(f, name)) return e;
        if (auto e = f.value().type().get(t)) return e;
        if (t != od::json_type::object) {
            reading = sink.wrongSetting(name, {}, "an object of keys", kindOf(t));
            if (auto e = check(f.value(), kSectionLevel)) return e;
            continue;
        }
        if (auto e = section(name, f.value())) return e;
    }
    return simdjson::SUCCESS;
}

error_code Walk::section(std::string_view section, od::value& v)
{
    od::object keys;
    if (auto e = v.get_object().get(keys)) return e;
    for (auto entry : keys) {
        if (auto e = entry.error()) return e;
        od::field&& g = std::move(entry).value_unsafe();
        std::string_view name, value;
        od::json_type t;
        if (auto e = keyOf(g, name)) return e;
        if (auto e = g.value().type().get(t)) return e;
        if (t != od::json_type::string || !reading) {
            reading = sink.wrongSetting(section, name, "a string", kindOf(t));
            if (auto e = check(g.value(), kSettingLevel)) return e;
            continue;
        }
        if (auto e = g.value().get_string().get(value)) return e;
        reading = sink.setting(section, name, value);
    }
    return simdjson::SUCCESS;
}

void* create() { return new od::parser; }

void destroy(void* parser) { delete static_cast<od::parser*>(parser); }

int walk(void* parser, const char* padded, std::size_t length, std::size_t capacity, const BatchKeyTable& keys,
         LineSink& sink)
{
    od::document doc;
    error_code e = static_cast<od::parser*>(parser)->iterate(padded, length, capacity).get(doc);
    if (!e) {
        Walk w{keys, sink};
        e = w.document(doc);
    }
    return static_cast<int>(e);
}

}  // namespace

extern const LineWalker WALK_CAT(lineWalker_, WALK_NAME);
const LineWalker WALK_CAT(lineWalker_, WALK_NAME) = {WALK_STR(WALK_KERNEL), create, destroy, walk};

}  // namespace wm::cli
