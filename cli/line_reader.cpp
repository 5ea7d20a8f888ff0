#include "cli/line_reader.h"

#include <simdjson.h>

#include <array>
#include <cmath>
#include <cstring>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "cli/line_walk.h"
#include "cli/options.h"
#include "record/settings_store.h"

namespace wm::cli {

using simdjson::error_code;

namespace {

const char* kindName(JsonKind t)
{
    switch (t) {
    case JsonKind::Null: return "null";
    case JsonKind::Boolean: return "a boolean";
    case JsonKind::Number: return "a number";
    case JsonKind::String: return "a string";
    case JsonKind::Array: return "an array";
    case JsonKind::Object: return "an object";
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

// Whether a plain number as typed ("5", "12.5") lies within a whole-number
// range, told from its digits: up to three before the point and six after
// it, no double lies on the other side of a bound. False (undecided) for
// any other text. `value` is then the number: digits over a power of ten,
// both exact doubles, so the one division rounds as the general reader does.
bool plainWithin(const InputLimit& l, std::string_view s, bool& inside, double& value)
{
    static constexpr double kTens[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};
    std::uint32_t digits = 0;
    const auto digit = [&](std::size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; };
    std::size_t i = 0;
    int whole = 0;
    for (; digit(i); ++i) whole = whole * 10 + (s[i] - '0');
    if (i == 0 || i > 3) return false;
    digits = static_cast<std::uint32_t>(whole);
    std::size_t decimals = 0;
    bool fraction = false;  // a digit after the point that is not 0
    if (i < s.size() && s[i] == '.') {
        const std::size_t point = i++;
        for (; digit(i); ++i) {
            fraction = fraction || s[i] != '0';
            digits = digits * 10 + static_cast<std::uint32_t>(s[i] - '0');
        }
        decimals = i - point - 1;
        if (decimals == 0 || decimals > 6) return false;
    }
    if (i != s.size()) return false;
    value = static_cast<double>(digits) / kTens[decimals];
    inside = whole >= l.lo && (whole < l.hi || (whole == l.hi && !fraction));
    return true;
}

void reset(CalcRequest& q)
{
    q.input.txtIncome.clear();
    q.input.txt401k.clear();
    q.input.txtPreTax.clear();
    q.input.txtPreFICA.clear();
    q.input.income.reset();
    q.input.preTax.reset();
    q.input.preFica.reset();
    q.input.percent401k.reset();
    q.input.allowances.reset();
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
    q.optionSettings.clear();
    q.input.amount401k.reset();
    q.bonus = false;
    q.txtBonus.clear();
    q.bonusMethod = 0;
    q.bonus401k = true;
    q.txtBonusSSWages.clear();
    q.bonusEntries = false;
}

}  // namespace

// The walks of this build: one per SIMD kernel (cli/CMakeLists.txt) and the
// generic one.
extern const LineWalker lineWalker_generic;
#ifdef WAGEMARK_WALK_WESTMERE
extern const LineWalker lineWalker_westmere;
#endif
#ifdef WAGEMARK_WALK_HASWELL
extern const LineWalker lineWalker_haswell;
#endif
#ifdef WAGEMARK_WALK_ICELAKE
extern const LineWalker lineWalker_icelake;
#endif

namespace {

const LineWalker* const kWalkers[] = {
#ifdef WAGEMARK_WALK_ICELAKE
    &lineWalker_icelake,
#endif
#ifdef WAGEMARK_WALK_HASWELL
    &lineWalker_haswell,
#endif
#ifdef WAGEMARK_WALK_WESTMERE
    &lineWalker_westmere,
#endif
    &lineWalker_generic,
};

}  // namespace

std::span<const LineWalker* const> lineWalkers() { return kWalkers; }

std::string_view simdjsonKernel() { return simdjson::get_active_implementation()->name(); }

bool runsHere(const LineWalker& walker)
{
    if (&walker == &lineWalker_generic) return true;
    const simdjson::implementation* kernel = simdjson::get_available_implementations()[walker.kernel];
    return kernel && kernel->supported_by_runtime_system();
}

// The walk of the kernel simdjson chose for this processor (it checks that
// the processor has every instruction the kernel uses); the generic one
// when this build has none for it.
const LineWalker& activeLineWalker()
{
    static const LineWalker* const chosen = [] {
        const std::string_view active = simdjsonKernel();
        for (const LineWalker* w : kWalkers)
            if (w->kernel == active) return w;
        return &lineWalker_generic;
    }();
    return *chosen;
}

struct LineReader::Impl final : LineSink {
    explicit Impl(const LineWalker& w) : walker(w), parser(w.create()) {}
    ~Impl() { walker.destroy(parser); }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    const LineWalker& walker;
    void* parser;
    std::vector<char> buffer;
    std::string fault;  // the first key in the line that is wrong
    CalcRequest* q = nullptr;
    std::string* idText = nullptr;

    static const Option& option(const void* row) { return *static_cast<const Option*>(row); }

    void id(std::string_view raw) override { idText->assign(raw); }
    bool text(const void* row, std::string_view key, std::string_view text) override
    {
        BatchValue b;
        b.text = text;
        option(row).read(*q, b);
        if (option(row).limit) textInRange(*option(row).limit, key, text);
        return fault.empty();
    }
    bool flag(const void* row, bool value) override
    {
        BatchValue b;
        b.flag = value;
        option(row).read(*q, b);
        return true;
    }
    bool inRange(const void* row, std::int16_t value) override
    {
        BatchValue b;
        b.whole = value;
        option(row).read(*q, b);
        return true;
    }
    bool whole(const void* row, std::string_view key, double d, std::string_view raw) override;
    bool number(const void* row, std::string_view key, double d, std::string_view raw) override
    {
        const Option& o = option(row);
        BatchValue b;
        b.number = d;
        o.read(*q, b);
        // Kept as the fraction, as the settings keep the local rate.
        if (o.limit && !withinFraction(*o.limit, d) && fault.empty())
            fault.assign(key).append(" must be ").append(describeFraction(*o.limit)).append(", not ").append(raw);
        return fault.empty();
    }
    bool wrong(std::string_view key, std::string_view what, JsonKind t) override
    {
        if (fault.empty()) fault.assign(key).append(" must be ").append(what).append(", not ").append(kindName(t));
        return false;
    }
    bool setting(std::string_view section, std::string_view key, std::string_view value) override
    {
        // Only keys something reads are kept: a line's settings then stay
        // a handful however many keys it has. A named key's setting is
        // kept apart and wins over the same one here whatever their order,
        // as in calc.
        const int k = knownSettingIndex(section, key);
        if (k < 0) return true;
        if (settingLimit(static_cast<std::size_t>(k)) && fault.empty()) {
            if (const std::string problem = settingProblem(section, key, value); !problem.empty()) {
                fault.assign("settings.").append(section).append(".").append(key).append(" must be ");
                fault.append(problem).append(", not \"").append(value).append("\"");
                return false;
            }
        }
        q->settings.set(static_cast<std::size_t>(k), value);
        return true;
    }
    bool wrongSetting(std::string_view section, std::string_view key, std::string_view what, JsonKind t) override
    {
        std::string name = "settings." + std::string(section);
        if (!key.empty()) name.append(".").append(key);
        return wrong(name, what, t);
    }
    void notAnObject(JsonKind t) override { fault.assign("a line must be a JSON object, not ").append(kindName(t)); }

    // A text that reads but lies outside its input's range is the line's
    // fault; text that does not read is left to the calculation, which
    // reports it as the Calculate command would.
    void textInRange(const InputLimit& l, std::string_view key, std::string_view text)
    {
        if (!fault.empty()) return;
        bool inside = true;
        Currency c;
        const bool plain = l.unit == InputUnit::Amount && plainCurrency(text, c);
        // A plain amount is handed to the pass, which need not read it again.
        for (std::size_t i = 0; i < kParts.size(); ++i)
            if (&l == &limitOf(kParts[i])) q->input.*kPartAmounts[i] = plain ? std::optional(c) : std::nullopt;
        try {
            if (l.unit == InputUnit::Amount) {
                if (!plain) c = isBlank(text) ? Currency() : toCurrency(text);
                inside = within(l, c);
                for (std::size_t i = 0; i < kParts.size(); ++i)
                    if (&l == &limitOf(kParts[i])) parts[i] = c;
            } else {
                double value = 0;
                const bool plainNumber = plainWithin(l, text, inside, value);
                // A plain 401(k) percentage is handed to the pass as well.
                if (&l == &limitOf(Input::Percent401k))
                    q->input.percent401k = plainNumber ? std::optional(value) : std::nullopt;
                if (!plainNumber && !isBlank(text)) inside = within(l, toDouble(text));
            }
        } catch (const RuntimeError& e) {
            // Digits beyond the money range are outside every range; other
            // text is not compared with the income: the calculation reports it.
            if (e.number() == err::kOverflow) {
                inside = false;
            } else {
                for (std::size_t i = 0; i < kParts.size(); ++i)
                    if (&l == &limitOf(kParts[i])) unread[i] = true;
                return;
            }
        }
        if (!inside)
            fault.assign(key).append(" must be ").append(describe(l)).append(", not \"").append(text).append("\"");
    }
    // Pre-Tax and Pre-FICA (read as above) are parts of the gross pay.
    static constexpr std::array<Input, 3> kParts = {Input::Income, Input::PreTax, Input::PreFica};
    static constexpr std::array<std::optional<Currency> PassInput::*, 3> kPartAmounts = {
        &PassInput::income, &PassInput::preTax, &PassInput::preFica};
    std::array<Currency, 3> parts{};  // as read on this line; 0 when absent or blank
    std::array<bool, 3> unread{};     // a text that is not an amount
    void partsWithinIncome()
    {
        if (!fault.empty() || unread[0]) return;
        for (std::size_t i : {std::size_t{1}, std::size_t{2}})
            if (!unread[i] && parts[i] > parts[0])
                fault.assign(i == 1 ? "txtPreTax" : "txtPreFICA").append(" must be at most txtIncome, not ").append(
                    formatPlain(parts[i]));
    }
};

bool LineReader::Impl::whole(const void* row, std::string_view key, double d, std::string_view raw)
{
    const Option& o = option(row);
    if (d != std::floor(d)) {
        fault.assign(key).append(" must be a whole number, not ").append(raw);
    } else if (!o.limit || !within(*o.limit, d)) {
        fault.assign(key).append(" must be ").append(o.limit ? describe(*o.limit) : "a whole number");
        fault.append(", not ").append(raw);
    } else {
        BatchValue b;
        b.whole = static_cast<std::int16_t>(d);
        o.read(*q, b);
    }
    return fault.empty();
}

LineReader::LineReader(const LineWalker& walker) : impl_(std::make_unique<Impl>(walker)) {}

LineReader::~LineReader() = default;

static_assert(LineReader::kPadding >= simdjson::SIMDJSON_PADDING);

bool LineReader::read(std::string_view line, std::size_t readable, CalcRequest& q, std::string& id,
                      std::string& error)
{
    Impl& m = *impl_;
    reset(q);
    id.assign("null");
    m.fault.clear();
    m.parts = {};
    m.unread = {};
    // The parser reads (but does not use) bytes past the end of the line:
    // a line without room after it is copied and padded with blanks.
    const char* text = line.data();
    if (readable < line.size() + kPadding) {
        const std::size_t capacity = line.size() + kPadding;
        if (m.buffer.size() < capacity) m.buffer.resize(capacity);
        std::memcpy(m.buffer.data(), line.data(), line.size());
        std::memset(m.buffer.data() + line.size(), ' ', kPadding);
        text = m.buffer.data();
        readable = capacity;
    }

    m.q = &q;
    m.idText = &id;
    const int e = m.walker.walk(m.parser, text, line.size(), readable, batchKeyTable(), m);
    if (e) {
        error.assign("not valid JSON: ").append(syntaxText(static_cast<error_code>(e)));
        return false;
    }
    m.partsWithinIncome();
    if (!m.fault.empty()) {
        error = m.fault;
        return false;
    }
    return true;
}

}  // namespace wm::cli
