#include "cli/line_reader.h"

#include <simdjson.h>

#include <array>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "cli/options.h"
#include "record/settings_store.h"

namespace wm::cli {

namespace od = simdjson::ondemand;
using simdjson::error_code;

namespace {

// Nesting deeper than this is refused; the line's own object (or array) is
// level 1, the values in it level 2, and so on.
constexpr int kMaxDepth = 64;
constexpr int kValueLevel = 2;
// Within "settings": a section, then a key of it.
constexpr int kSectionLevel = 3;
constexpr int kSettingLevel = 4;

const char* kindName(od::json_type t)
{
    switch (t) {
    case od::json_type::null: return "null";
    case od::json_type::boolean: return "a boolean";
    case od::json_type::number: return "a number";
    case od::json_type::string: return "a string";
    case od::json_type::array: return "an array";
    case od::json_type::object: return "an object";
    }
    return "?";
}

std::string_view syntaxText(error_code e)
{
    switch (e) {
    case simdjson::NUMBER_ERROR: return "a number with a leading zero, or beyond the range of a double";
    case simdjson::STRING_ERROR: return "a bad escape or a lone surrogate in a string";
    case simdjson::UNESCAPED_CHARS: return "a control character in a string";
    case simdjson::UNCLOSED_STRING: return "a string that is not closed";
    case simdjson::UTF8_ERROR: return "invalid UTF-8";
    case simdjson::DEPTH_ERROR: return "nesting deeper than 64 levels";
    case simdjson::TRAILING_CONTENT: return "more text after the value";
    case simdjson::EMPTY: return "an empty line";
    case simdjson::T_ATOM_ERROR:
    case simdjson::F_ATOM_ERROR:
    case simdjson::N_ATOM_ERROR:
    case simdjson::INCORRECT_TYPE: return "a value that is not a JSON value";
    default: return "a missing or misplaced brace, bracket, comma, colon or value";
    }
}

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A key as written when it holds no escape (the common case, and then it
// needs no copy); otherwise unescaped.
error_code keyOf(od::field& f, std::string_view& key)
{
    const char* start = f.key().raw();
    const char* end = start;
    while (*end != '"' && *end != '\\') ++end;  // the closing quote is there: the string was checked
    if (*end == '"') {
        key = std::string_view(start, static_cast<std::size_t>(end - start));
        return simdjson::SUCCESS;
    }
    return f.unescaped_key().get(key);
}

// Checks a value and all it holds as JSON, reading it to its end. `depth`
// is the level the value opens when it is an array or object (a number or
// a string opens none).
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
            od::field f;
            std::string_view key;
            if (auto e = std::move(item).get(f)) return e;
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

void reset(CalcRequest& q)
{
    q.input.txtIncome.clear();
    q.input.txt401k.clear();
    q.input.txtPreTax.clear();
    q.input.txtPreFICA.clear();
    q.input.exemptions = "0";
    q.input.chkSelfEmployed = false;
    q.HowOft = 2;
    q.valMarried = 0;
    q.intState = 0;
    q.intSMarried = 0;
    q.StateRate = 0;
    q.StateDeps = 0;
    q.ILINDeps = 0;
    q.StateExmp = 0;
    q.Method = 0;
    q.StateAdd = "0";
    q.SPval = 0;
    q.SPtx = 0;
    q.settings.clear();
}

}  // namespace

struct LineReader::Impl {
    od::parser parser;
    std::vector<char> buffer;
    std::string fault;  // the first key in the line that is wrong
    std::size_t generalSettings = 0;  // entries of "settings" in the request's settings

    void wrong(std::string_view key, const char* what, od::json_type t)
    {
        if (!fault.empty()) return;
        fault.assign(key).append(" must be ").append(what).append(", not ").append(kindName(t));
    }

    error_code document(od::document& doc, CalcRequest& q, std::string& id);
    error_code key(const Option& o, std::string_view key, od::value v, CalcRequest& q);
    error_code whole(const Option& o, std::string_view key, od::value v, CalcRequest& q);
    // A text that reads but lies outside its input's range is the line's
    // fault; text that does not read is left to the calculation, which
    // reports it as the Calculate command would.
    void textInRange(const InputLimit& l, std::string_view key, std::string_view text)
    {
        if (!fault.empty()) return;
        bool inside = true;
        try {
            if (l.unit == InputUnit::Amount) {
                const Currency c = isBlank(text) ? Currency() : toCurrency(text);
                inside = within(l, c);
                for (std::size_t i = 0; i < kParts.size(); ++i)
                    if (&l == &limitOf(kParts[i])) parts[i] = c;
            } else if (!isBlank(text)) {
                inside = within(l, toDouble(text));
            }
        } catch (const RuntimeError&) {
            return;
        }
        if (!inside)
            fault.assign(key).append(" must be ").append(describe(l)).append(", not \"").append(text).append("\"");
    }
    // Pre-Tax and Pre-FICA (read as above) are parts of the gross pay.
    static constexpr std::array<Input, 3> kParts = {Input::Income, Input::PreTax, Input::PreFica};
    std::array<Currency, 3> parts{};  // as read on this line; 0 when absent or blank
    void partsWithinIncome()
    {
        if (!fault.empty()) return;
        for (std::size_t i : {std::size_t{1}, std::size_t{2}})
            if (parts[i] > parts[0])
                fault.assign(i == 1 ? "txtPreTax" : "txtPreFICA").append(" must be at most txtIncome, not ").append(
                    formatPlain(parts[i]));
    }
    error_code settings(od::value v, CalcRequest& q);
};

error_code LineReader::Impl::document(od::document& doc, CalcRequest& q, std::string& id)
{
    od::json_type t;
    if (auto e = doc.type().get(t)) return e;
    if (t != od::json_type::object) {
        if (auto e = checkRoot(doc, t)) return e;
        fault.assign("a line must be a JSON object, not ").append(kindName(t));
        return simdjson::SUCCESS;
    }
    od::object obj;
    if (auto e = doc.get_object().get(obj)) return e;
    for (auto item : obj) {
        od::field f;
        std::string_view name;
        if (auto e = std::move(item).get(f)) return e;
        if (auto e = keyOf(f, name)) return e;
        od::value& v = f.value();
        if (name == "id") {
            // Echoed as written: from its first character to the next token.
            const char* start = v.raw_json_token().data();
            const char* next = nullptr;
            if (auto e = check(v, kValueLevel)) return e;
            if (auto e = doc.current_location().get(next)) return e;
            id.assign(trimRight(std::string_view(start, static_cast<std::size_t>(next - start))));
            continue;
        }
        const Option* o = fault.empty() ? findBatchKey(name) : nullptr;
        if (auto e = o ? key(*o, name, v, q) : check(v, kValueLevel)) return e;
    }
    partsWithinIncome();
    const char* rest;
    return doc.current_location().get(rest) ? simdjson::SUCCESS : simdjson::TRAILING_CONTENT;
}

error_code LineReader::Impl::key(const Option& o, std::string_view name, od::value v, CalcRequest& q)
{
    od::json_type t;
    if (auto e = v.type().get(t)) return e;
    BatchValue b;
    switch (o.batchType) {
    case BatchType::Text:
        if (t != od::json_type::string) break;
        if (auto e = v.get_string().get(b.text)) return e;
        o.read(q, b);
        if (o.limit) textInRange(*o.limit, name, b.text);
        return simdjson::SUCCESS;
    case BatchType::Bool:
        if (t != od::json_type::boolean) {
            wrong(name, "true or false", t);
            return check(v, kValueLevel);
        }
        if (auto e = v.get_bool().get(b.flag)) return e;
        o.read(q, b);
        return simdjson::SUCCESS;
    case BatchType::Whole: return whole(o, name, v, q);
    case BatchType::Number:
        if (t != od::json_type::number) {
            wrong(name, "a number", t);
            return check(v, kValueLevel);
        }
        if (auto e = v.get_double().get(b.number)) return e;
        o.read(q, b);
        // Kept as the fraction, as the settings keep the local rate.
        if (o.limit && !withinFraction(*o.limit, b.number) && fault.empty())
            fault.assign(name).append(" must be ").append(describeFraction(*o.limit)).append(", not ").append(
                trimRight(v.raw_json_token()));
        return simdjson::SUCCESS;
    case BatchType::Settings:
        if (t != od::json_type::object) {
            wrong(name, "an object of sections", t);
            return check(v, kValueLevel);
        }
        return settings(v, q);
    case BatchType::Id:
    case BatchType::None: return check(v, kValueLevel);
    }
    wrong(name, "a string", t);
    return check(v, kValueLevel);
}

error_code LineReader::Impl::whole(const Option& o, std::string_view name, od::value v, CalcRequest& q)
{
    od::json_type t;
    if (auto e = v.type().get(t)) return e;
    if (t != od::json_type::number) {
        wrong(name, "a whole number", t);
        return check(v, kValueLevel);
    }
    const std::string_view raw = trimRight(v.raw_json_token());
    double d;
    if (auto e = v.get_double().get(d)) return e;
    const int lo = o.limit ? o.limit->lo : o.lo;
    const int hi = o.limit ? o.limit->hi : o.hi;
    if (d != std::floor(d)) {
        fault.assign(name).append(" must be a whole number, not ").append(raw);
    } else if (d < lo || d > hi) {
        fault.assign(name).append(" must be from ").append(std::to_string(lo)).append(" to ");
        fault.append(std::to_string(hi)).append(", not ").append(raw);
    } else {
        BatchValue b;
        b.whole = static_cast<std::int16_t>(d);
        o.read(q, b);
    }
    return simdjson::SUCCESS;
}

// {"SECTION": {"KEY": "VALUE", ...}, ...} into the request's settings.
error_code LineReader::Impl::settings(od::value v, CalcRequest& q)
{
    od::object sections;
    if (auto e = v.get_object().get(sections)) return e;
    for (auto item : sections) {
        od::field f;
        std::string_view section;
        od::json_type t;
        if (auto e = std::move(item).get(f)) return e;
        if (auto e = keyOf(f, section)) return e;
        if (auto e = f.value().type().get(t)) return e;
        if (t != od::json_type::object) {
            wrong("settings." + std::string(section), "an object of keys", t);
            if (auto e = check(f.value(), kSectionLevel)) return e;
            continue;
        }
        od::object keys;
        if (auto e = f.value().get_object().get(keys)) return e;
        for (auto entry : keys) {
            od::field g;
            std::string_view name, value;
            if (auto e = std::move(entry).get(g)) return e;
            if (auto e = keyOf(g, name)) return e;
            if (auto e = g.value().type().get(t)) return e;
            if (t != od::json_type::string || !fault.empty()) {
                wrong("settings." + std::string(section) + "." + std::string(name), "a string", t);
                if (auto e = check(g.value(), kSettingLevel)) return e;
                continue;
            }
            if (auto e = g.value().get_string().get(value)) return e;
            // Only keys something reads are kept: a line's settings then stay
            // a handful, looked up in no time, however many keys it has.
            // Before those of the named keys (kept as read), so a named key
            // wins over the same setting whatever their order, as in calc.
            if (isKnownSetting(section, name))
                q.settings.emplace(q.settings.begin() + static_cast<std::ptrdiff_t>(generalSettings++), section,
                                   name, value);
        }
    }
    return simdjson::SUCCESS;
}

LineReader::LineReader() : impl_(std::make_unique<Impl>()) {}

LineReader::~LineReader() = default;

bool LineReader::read(std::string_view line, CalcRequest& q, std::string& id, std::string& error)
{
    Impl& m = *impl_;
    reset(q);
    id.assign("null");
    m.fault.clear();
    m.generalSettings = 0;
    m.parts = {};
    // The parser reads (but does not use) bytes past the end of the line.
    const std::size_t capacity = line.size() + simdjson::SIMDJSON_PADDING;
    if (m.buffer.size() < capacity) m.buffer.resize(capacity);
    std::memcpy(m.buffer.data(), line.data(), line.size());
    std::memset(m.buffer.data() + line.size(), ' ', simdjson::SIMDJSON_PADDING);

    od::document doc;
    error_code e = m.parser.iterate(m.buffer.data(), line.size(), m.buffer.size()).get(doc);
    if (!e) e = m.document(doc, q, id);
    if (e) {
        error.assign("not valid JSON: ").append(syntaxText(e));
        return false;
    }
    if (!m.fault.empty()) {
        error = m.fault;
        return false;
    }
    return true;
}

}  // namespace wm::cli
