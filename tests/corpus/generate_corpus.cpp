// Writes the boundary corpus (boundary_corpus.jsonl beside this file): for
// every table the engine applies, the gross pay just below, at and just
// above each point where the calculation changes, with what the real
// interfaces answer there.
//
//   generate_corpus FILE            counts the lines that would change
//   generate_corpus FILE --update   rewrites FILE
//
// The points are found, not listed: for each pay frequency, status and
// state option a state offers (and for the federal tables and the local tax
// bases), the pass runs with its explanation on, and a bisection over the
// gross pay finds each cent where the explanation changes its wording
// (another bracket, credit row or rule) or an amount in it jumps or bends (a
// phase-out step, a deduction reaching its limit). Every table of the state
// catalog must be reached at each of its thresholds, so a calculator or a
// status left out fails the generation. Annual thresholds are pinned to the
// cent with a 401(k) amount of a few ten-thousandths, and whole-dollar
// rounding at its first step after each point. The Year Check's schedules,
// phase-outs, wage base and advice are reached through the other income,
// the pay and the withholding so far, found from the return's own figures.
// The worked examples come first and keep their names.
#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "cli/batch.h"
#include "cli/compute.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "cli/year_command.h"
#include "core/federal.h"
#include "core/year_check.h"
#include "corpus/corpus_line.h"
#include "states/registry.h"
#include "states/table_catalog.h"

namespace wm::corpus {
namespace {

using Cents = std::int64_t;

std::string money(Cents c)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%lld.%02lld", c < 0 ? "-" : "", static_cast<long long>(std::llabs(c) / 100),
                  static_cast<long long>(std::llabs(c) % 100));
    return buf;
}
std::string q(std::string_view s) { return "\"" + std::string(s) + "\""; }

// The keys of a batch line other than the income, as JSON texts, in order.
using Fields = std::vector<std::pair<std::string, std::string>>;

// Keys at the batch line's default (0, and every-two-weeks) are left out.
std::string batchLine(const std::string& id, const Fields& f, Cents income)
{
    std::string s = "{\"id\":" + q(id) + ",\"txtIncome\":" + q(money(income));
    for (const auto& [k, v] : f)
        if (v != (k == "HowOft" ? "2" : "0")) s += ",\"" + k + "\":" + v;
    return s;
}

// ---- The engine, through the batch reader --------------------------------

class Engine {
public:
    const cli::Calculator& run(const Fields& f, Cents income, bool explain)
    {
        cli::CalcRequest req;
        std::string id, error;
        if (!reader_.read(batchLine("x", f, income) + "}", req, id, error))
            throw std::runtime_error("generated line refused: " + error + " " + batchLine("x", f, income));
        calc_.run(req, explain);
        return calc_;
    }
    // The batch output object of the line.
    std::string answer(const Fields& f, Cents income)
    {
        const cli::Calculator& c = run(f, income, false);
        cli::CalcOutcome o{c.record(), c.lblModified(), c.notice(), {}, c.error().summary, {}};
        return cli::resultObject("0", o);
    }

private:
    cli::LineReader reader_;
    cli::Calculator calc_;
};

// ---- What the explanation shows, and where it changes ---------------------

enum class Part { Federal, State, Local };

// Amounts in a text are masked, except a bracket's threshold ("over 931.00")
// and a rate ("2.41 %"), so the wording names the bracket, the credit row
// and the rule applied.
std::string masked(const std::string& text)
{
    auto digit = [&](std::size_t k) { return k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])); };
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t j = i;
        if (digit(i) && (i == 0 || !digit(i - 1)))
            while (digit(j) || (j < text.size() && text[j] == ',')) ++j;
        const bool amount = j > i && j < text.size() && text[j] == '.' && digit(j + 1) && digit(j + 2) && !digit(j + 3);
        const bool kept =
            (i >= 5 && text.compare(i - 5, 5, "over ") == 0) || (amount && text.compare(j + 3, 2, " %") == 0);
        if (amount) {
            out += kept ? text.substr(i, j + 3 - i) : "#";
            i = j + 3;
        } else {
            out += text[i++];
        }
    }
    return out;
}

struct Shape {
    std::vector<std::string> texts;
    std::vector<std::optional<std::int64_t>> amounts;  // null where not compared
};

Shape shapeOf(const Trace& t, Part part, std::string_view stateName)
{
    Shape s;
    bool in = false, rounded = false;
    for (const TraceLine& l : t.lines) {
        const std::string& x = l.text;
        if (part == Part::Federal) in = x.rfind("Federal ", 0) == 0;
        if (part == Part::Local) in = x.rfind("Local tax", 0) == 0;
        if (part == Part::State && x.rfind("State wages", 0) == 0) in = true;
        if (part == Part::State && (x.rfind("Local tax", 0) == 0 || x.rfind("Total deductions", 0) == 0)) in = false;
        if (!in) continue;
        // A whole-dollar rounding steps every dollar: what follows it is
        // compared by its wording only.
        if (x.rfind("Rounded to whole dollars", 0) == 0) rounded = true;
        s.texts.push_back(masked(x));
        s.amounts.push_back(l.amount && !rounded ? std::optional(l.amount->count()) : std::nullopt);
        if (part == Part::State && x == std::string(stateName) + " withholding") rounded = true;
    }
    return s;
}

// What an amount may stray from a straight line, and jump from one cent to
// the next, within one rule: whole-dollar steps and the federal cents,
// annualized, stay below.
constexpr std::int64_t kBend = 7500;   // 0.75
constexpr std::int64_t kJump = 10000;  // 1.00

struct Finder {
    Engine& engine;
    Fields fields;
    Part part;
    std::string stateName;
    std::map<Cents, Shape> seen{};
    std::set<Cents> exact{}, bends{};

    const Shape& at(Cents c)
    {
        auto it = seen.find(c);
        if (it != seen.end()) return it->second;
        return seen[c] = shapeOf(engine.run(fields, c, true).trace(), part, stateName);
    }
    static std::int64_t delta(const Shape& a, const Shape& b, std::size_t i) { return *b.amounts[i] - *a.amounts[i]; }
    static bool comparable(const Shape& a, const Shape& b, std::size_t i) { return a.amounts[i] && b.amounts[i]; }
    bool bent(const Shape& a, const Shape& m, const Shape& b, Cents ca, Cents cm, Cents cb)
    {
        for (std::size_t i = 0; i < a.texts.size(); ++i) {
            if (!comparable(a, b, i) || !m.amounts[i]) continue;
            const double line = *a.amounts[i] + double(delta(a, b, i)) * double(cm - ca) / double(cb - ca);
            if (std::abs(double(*m.amounts[i]) - line) > kBend) return true;
        }
        return false;
    }
    // An amount that moves by a cent far more than on either side of it.
    bool jumps(Cents a)
    {
        const Shape &s0 = at(a - 1), &s1 = at(a), &s2 = at(a + 1), &s3 = at(a + 2);
        if (s0.texts != s1.texts || s2.texts != s3.texts) return s1.texts != s2.texts;
        for (std::size_t i = 0; i < s1.texts.size(); ++i) {
            if (!comparable(s0, s3, i) || !s1.amounts[i] || !s2.amounts[i]) continue;
            const std::int64_t d = delta(s1, s2, i);
            if (std::llabs(d - delta(s0, s1, i)) > kJump && std::llabs(d - delta(s2, s3, i)) > kJump) return true;
        }
        return false;
    }
    bool refine(Cents a, Cents b)
    {
        if (b - a <= 1) {
            if (at(a).texts != at(b).texts || (a > 0 && jumps(a))) {
                exact.insert(b);
                return true;
            }
            return false;
        }
        const Cents m = a + (b - a) / 2;
        const Shape &A = at(a), &M = at(m), &B = at(b);
        if (A.texts == B.texts && A.texts == M.texts && !bent(A, M, B, a, m, b)) return false;
        const bool left = refine(a, m);
        const bool right = refine(m, b);
        if (left || right) return true;
        if (A.texts != B.texts) return false;
        bends.insert(m);
        return true;
    }
    void search(Cents top)
    {
        constexpr int kSteps = 96;
        for (int i = 0; i < kSteps; ++i) refine(top * i / kSteps, top * (i + 1) / kSteps);
    }
};

// ---- The corpus ------------------------------------------------------------

struct Writer {
    Engine engine;
    std::vector<std::string> lines;
    std::set<std::string> ids;
    std::set<std::string> inputs;

    // One line per input: a point two finders share is written once.
    void period(std::string id, const Fields& f, Cents income, std::initializer_list<const char*> keys)
    {
        if (income < 0 || !inputs.insert(batchLine("", f, income)).second || !ids.insert(id).second) return;
        const std::string answer = engine.answer(f, income);
        // A notice is always kept: the runner reads a line without one as
        // one that has none.
        std::vector<std::string_view> all(keys.begin(), keys.end());
        if (std::find(all.begin(), all.end(), "notice") == all.end()) all.push_back("notice");
        std::string expect;
        for (std::string_view k : all)
            if (const std::optional<std::string> v = flatValue(answer, k))
                expect += (expect.empty() ? "\"" : ",\"") + std::string(k) + "\":" + *v;
        lines.push_back(batchLine(id, f, income) + std::string(kExpectKey) + expect + "}}");
    }
    void year(std::string id, const std::vector<std::string>& args, std::initializer_list<const char*> keys)
    {
        if (!ids.insert(id).second) return;
        std::vector<std::string> argv = {"wagemark-cli", "year"};
        argv.insert(argv.end(), args.begin(), args.end());
        argv.push_back("--json");
        std::ostringstream out, err;
        std::string answer;
        try {
            if (cli::yearCommand(argv, out, err) != 0) throw std::runtime_error("year refused " + id + ": " + err.str());
            answer = out.str();
        } catch (const cli::UsageError& e) {  // kept as the option it names
            answer = "{\"refused\":" + q(e.message.substr(0, e.message.find(':'))) + "}";
        }
        std::string line = "{\"id\":" + q(id) + "," + std::string(kYearKey);
        for (std::size_t i = 0; i < args.size(); ++i) line += (i ? "," : "") + q(args[i]);
        line += "]" + std::string(kExpectKey);
        bool first = true;
        for (const char* k : keys) {
            const std::optional<std::string> v = flatValue(answer, k);
            if (!v) throw std::runtime_error(std::string("no ") + k + " in the year's answer " + answer);
            line += std::string(first ? "" : ",") + "\"" + k + "\":" + *v;
            first = false;
        }
        lines.push_back(line + "}}");
    }
};

constexpr const char* kFreqName[] = {"weekly", "semi-monthly", "bi-weekly", "monthly"};
constexpr const char* kStatusName[] = {"married", "single", "married-single"};
// The top of the gross pay searched, per frequency: above every threshold
// of every table (the federal top bracket with a few allowances included).
constexpr Cents kTop[] = {700000, 1500000, 1400000, 3000000};
// A pay in the middle of most tables, per frequency.
constexpr Cents kTypical[] = {90000, 195000, 180000, 390000};
constexpr int kCounts[] = {0, 1, 2, 3, 15};

Fields base(int howOft, int valMarried, int deps)
{
    return {{"HowOft", std::to_string(howOft)},
            {"valMarried", std::to_string(valMarried)},
            {"DepsNumber", std::to_string(deps)}};
}

// Rows around each point the finder found: a cent below, at, a cent above.
// Only points where the wording passes into or out of a text not in `known`
// when that is given.
void rowsAround(Writer& w, Finder& f, const std::string& label, std::initializer_list<const char*> keys,
                const std::set<std::string>* known = nullptr)
{
    auto isNew = [&](Cents c) {
        for (const std::string& t : f.at(c).texts)
            if (!known->count(t)) return true;
        return false;
    };
    for (Cents c : f.exact) {
        if (known && !isNew(c) && !isNew(c - 1)) continue;
        for (Cents d : {-1, 0, 1})
            w.period(label + " " + money(c) + (d < 0 ? " -1c" : d > 0 ? " +1c" : ""), f.fields, c + d, keys);
    }
    if (!known)
        for (Cents c : f.bends) w.period(label + " bend " + money(c), f.fields, c, keys);
}

// ---- Worked examples ---------------------------------------------------------

// The documented examples, first, so that they keep their names.
void examples(Writer& w)
{
    struct Example {
        const char* name;
        Fields fields;
        Cents income;
    };
    const Example federal[] = {
        {"Example federal weekly single 600", base(0, 1, 0), 60000},
        {"Example federal weekly married at the single rate 600", base(0, 2, 0), 60000},
        {"Example federal monthly single above the top threshold", base(3, 1, 0), 3000000},
        {"Example federal semi-monthly married third bracket", base(1, 0, 0), 500000},
        {"Example federal allowances above the wages", base(2, 0, 1), 10000},
    };
    Fields every = base(2, 0, 1);
    every.insert(every.end(), {{"txt401k", q("6")}, {"txtPreTax", q("50")}, {"txtPreFICA", q("25")}});
    // Every figure of the batch answer, so each key of it is pinned.
    w.period("Example every deduction", every, 100000,
             {"SSBase", "taxBase", "ftaxBase", "amtDed", "amt401k", "PreTax", "SSEmp", "fTax", "amtFICA", "amtSS",
              "amtMedicare", "sTax", "amtLocalTax", "amtDedTot", "amtTotal", "staxBase", "PersExmp", "DepsNumber",
              "lblModified"});
    for (const Example& e : federal)
        w.period(e.name, e.fields, e.income, {"amtDed", "ftaxBase", "fTax", "amtTotal"});
    for (bool self : {false, true}) {
        Fields f = base(2, 0, 0);
        f.emplace_back("txtPreFICA", q("100"));
        if (self) f.emplace_back("chkSelfEmployed", "true");
        w.period(std::string("Example FICA 1000 less 100 pre-FICA") + (self ? " self-employed" : ""), f, 100000,
                 {"amtFICA", "amtSS", "amtMedicare", "amtDedTot", "amtTotal"});
    }
    const char* bases[] = {"gross", "less 401(k)", "less pre-tax", "less both", "less exemption, no state"};
    for (int code = 1; code <= 5; ++code) {
        Fields f = base(2, 0, 0);
        f.insert(f.end(), {{"txt401k", q("6")}, {"txtPreTax", q("100")}, {"SPval", "0.01"},
                           {"SPtx", std::to_string(code)}});
        w.period(std::string("Example local tax ") + bases[code - 1], f, 100000, {"amt401k", "amtLocalTax"});
    }
}

// ---- Federal and FICA ------------------------------------------------------

void federal(Writer& w)
{
    for (int freq = 0; freq < 4; ++freq)
        for (int status = 0; status < 3; ++status)
            for (int n : kCounts) {
                if (status == 2 && n != 1) continue;  // the single table; once is enough
                const FederalTable& t = kFederalTables[status == 0 ? 0 : 1][static_cast<std::size_t>(freq)];
                const Cents allowances =
                    allowanceAmount(static_cast<std::int16_t>(n), static_cast<std::int16_t>(freq)).count() / 100;
                Finder f{w.engine, base(freq, status, n), Part::Federal, ""};
                f.search(t.over[4].count() / 100 + allowances + 50000);
                const std::string label = std::string("Federal ") + kFreqName[freq] + " " + kStatusName[status] + " " +
                                          std::to_string(n) + " allowances";
                rowsAround(w, f, label, {"amtDed", "ftaxBase", "fTax", "amtTotal"});
                // Cents rounding, halves away from zero: 0.30 x 15 % and 0.50 x 31 %.
                for (std::size_t k : {std::size_t{0}, std::size_t{2}})
                    w.period(label + " half cent over T" + std::to_string(k + 1), f.fields,
                             t.over[k].count() / 100 + allowances + (k == 0 ? 30 : 50), {"ftaxBase", "fTax"});
            }
}

void fica(Writer& w)
{
    // Products with a tie at the fourth decimal (0.10 x 7.65 %, 0.05 x
    // 15.3 %), amounts with pre-FICA, and self-employment.
    for (bool self : {false, true})
        for (Cents gross : {5, 10, 15, 110, 1010, 100005, 123410, 99999999})
            for (Cents prefica : {Cents{0}, Cents{1}, gross / 3}) {
                Fields f = base(2, 1, 0);
                if (prefica) f.emplace_back("txtPreFICA", q(money(prefica)));
                if (self) f.emplace_back("chkSelfEmployed", "true");
                w.period(std::string("FICA ") + (self ? "self-employed " : "") + money(gross) + " pre-FICA " +
                             money(prefica),
                         f, gross, {"amtFICA", "amtSS", "amtMedicare", "amtTotal"});
            }
}

// ---- States ----------------------------------------------------------------

// The values of a state option, for the options a state reads.
struct Choice {
    std::string key;
    std::vector<int> values;
};

std::vector<Choice> tableChoices(const StateEntry& s)
{
    std::vector<Choice> out;
    if (!s.dialog.statuses.empty()) {
        Choice c{"intSMarried", {}};
        for (const StatusChoice& st : s.dialog.statuses) c.values.push_back(st.code);
        out.push_back(c);
    }
    if (s.dialog.rates > 0) {
        Choice c{"StateRate", {}};
        for (int r = 0; r < s.dialog.rates; ++r) c.values.push_back(r);
        out.push_back(c);
    }
    if (s.options & kOptMethod) {
        Choice c{"Method", {}};
        for (const ListItem& i : marylandCounties()) c.values.push_back(i.value);
        out.push_back(c);
    }
    return out;
}

// Counts the state reads, each from 0 to 3 and a high one.
std::vector<Choice> countChoices(const StateEntry& s)
{
    std::vector<Choice> out{{"DepsNumber", {0, 1, 2, 3, 15}}};
    if (s.options & kOptDeps) out.push_back({"StateDeps", {0, 1, 2, 3, 15}});
    if (s.options & kOptILDeps) out.push_back({"ILINDeps", {0, 1, 2, 3, 15}});
    if (s.options & kOptExemptions) {
        Choice c{"StateExmp", {}};
        if (s.dialog.special && !s.dialog.special->items.empty())
            for (const ListItem& i : s.dialog.special->items) c.values.push_back(i.value);
        else
            c.values = {0, 1, 2, 3, 15};
        out.push_back(c);
    }
    return out;
}

void setField(Fields& f, const std::string& key, int value)
{
    for (auto& [k, v] : f)
        if (k == key) {
            v = std::to_string(value);
            return;
        }
    f.emplace_back(key, std::to_string(value));
}

// "weekly single status 3 rate 0": what selects the state's tables (the
// counts are in the line itself).
std::string choiceText(const Fields& f)
{
    std::string s;
    for (const auto& [k, v] : f) {
        if (k == "HowOft") s += kFreqName[std::stoi(v)];
        else if (k == "valMarried") s += std::string(" ") + kStatusName[std::stoi(v)];
        else if (k == "intSMarried") s += " status " + v;
        else if (k == "StateRate") s += " rate " + v;
        else if (k == "Method") s += " county " + v;
    }
    return s;
}

// What a combination computes at a few pays across the frequency's range:
// the wording of its explanation, or its figures.
std::string print(Writer& w, const Fields& f, const StateEntry& s, bool wording)
{
    std::string out;
    const int freq = std::stoi(f[0].second);
    for (Cents g = kTypical[freq] / 8; g <= kTop[freq]; g = g * 3 / 2) {
        if (wording) {
            for (const std::string& t : shapeOf(w.engine.run(f, g, true).trace(), Part::State, s.name).texts)
                out += t + "|";
            continue;
        }
        const std::string a = w.engine.answer(f, g);
        for (const char* k : {"sTax", "staxBase", "PersExmp", "notice"}) out += flatValue(a, k).value_or("-") + ",";
    }
    return out;
}

// The combinations of frequency, status and table options that compute
// differently: an option the calculator does not read gives the same
// figures, and is left out. The federal status counts where it changes the
// state's wording (its own tables or rules); where it only changes the
// federal withholding a state starts from, one status is kept in turn.
std::vector<Fields> tableCombinations(Writer& w, int index)
{
    const StateEntry& s = stateList()[static_cast<std::size_t>(index)];
    std::vector<Fields> groups;
    for (int freq = 0; freq < 4; ++freq) {
        Fields f = base(freq, 0, 1);
        f.emplace_back("intState", std::to_string(index));
        for (const Choice& c : countChoices(s))
            setField(f, c.key, c.key == "StateExmp" ? c.values[std::min<std::size_t>(1, c.values.size() - 1)] : 1);
        std::vector<Fields> grown{f};
        for (const Choice& c : tableChoices(s)) {
            std::vector<Fields> next;
            for (const Fields& g : grown)
                for (int v : c.values) {
                    Fields h = g;
                    setField(h, c.key, v);
                    next.push_back(h);
                }
            grown = next;
        }
        groups.insert(groups.end(), grown.begin(), grown.end());
    }
    std::set<std::string> prints;
    std::vector<Fields> kept;
    int turn = 0;
    for (const Fields& g : groups) {
        std::vector<Fields> statuses;
        std::set<std::string> wordings;
        for (int vm = 0; vm < 3; ++vm) {
            Fields f = g;
            setField(f, "valMarried", vm);
            if (wordings.insert(print(w, f, s, true)).second) statuses.push_back(f);
        }
        if (statuses.size() == 1) setField(statuses[0], "valMarried", turn++ % 3);
        for (const Fields& f : statuses)
            if (prints.insert(f[0].second + print(w, f, s, false)).second) kept.push_back(f);
    }
    return kept;
}

// In a state that rounds its withholding to whole dollars, a cent's change
// of a table shows only where the rounding steps: the first step after the
// start of each stretch of the finder's points, and the pay a cent before.
void roundingSteps(Writer& w, Finder& f, const std::string& label, Cents top)
{
    bool rounds = false;
    for (const auto& [c, shape] : f.seen)
        for (const std::string& t : shape.texts) rounds = rounds || t.rfind("Rounded to whole dollars", 0) == 0;
    if (!rounds) return;
    auto tax = [&](Cents g) { return flatValue(w.engine.answer(f.fields, g), "sTax").value_or(""); };
    std::vector<Cents> starts{1};
    starts.insert(starts.end(), f.exact.begin(), f.exact.end());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const Cents a = starts[i];
        Cents hi = std::min(i + 1 < starts.size() ? starts[i + 1] - 1 : top, a + 20000);
        const std::string first = tax(a);
        if (hi <= a || tax(hi) == first) continue;
        Cents lo = a;  // tax(lo) == first, tax(hi) != first
        while (hi - lo > 1) {
            const Cents m = lo + (hi - lo) / 2;
            (tax(m) == first ? lo : hi) = m;
        }
        w.period(label + " rounding step " + money(hi) + " -1c", f.fields, hi - 1, {"sTax", "staxBase"});
        w.period(label + " rounding step " + money(hi), f.fields, hi, {"sTax", "staxBase"});
    }
}

// An annual threshold lies between two annual amounts a pay period apart
// (52 cents, weekly), so a cent's change of it would not show. A 401(k)
// amount in ten-thousandths of a dollar, also taken off the state wages,
// moves the annual wages in steps of at most half a cent: for each point of
// an annualizing calculator, the last of those steps on the new side and
// the first back on the old one.
void annualSteps(Writer& w, Finder& f, const std::string& label)
{
    bool annual = false;
    for (const auto& [c, shape] : f.seen)
        for (const std::string& t : shape.texts) annual = annual || t.find("nnual") != std::string::npos;
    if (!annual) return;
    for (Cents c : f.exact) {
        const Shape before = f.at(c - 1), after = f.at(c);
        // Which side a pay is on: its wording, or where the wording stays,
        // the amount that jumps.
        std::size_t jump = 0;
        if (before.texts == after.texts)
            for (std::size_t i = 0; i < after.amounts.size(); ++i)
                if (Finder::comparable(before, after, i) &&
                    std::llabs(Finder::delta(before, after, i)) > std::llabs(Finder::delta(before, after, jump)))
                    jump = i;
        auto fields = [&](int k) {
            Fields g = f.fields;
            char pct[40];
            std::snprintf(pct, sizeof pct, "%.15f", double(k) / (double(c) * 100));
            g.emplace_back("txt401k", q(pct));
            g.emplace_back("settings", R"({"StateInfo":{"sta401":"Y"}})");
            return g;
        };
        auto onOldSide = [&](int k) {
            Shape s = shapeOf(w.engine.run(fields(k), c, true).trace(), Part::State, f.stateName);
            // The state wages now say "less 401(k)".
            if (!s.texts.empty()) s.texts.front() = after.texts.front();
            if (before.texts != after.texts) return s.texts == before.texts;
            if (s.texts != after.texts || !s.amounts[jump] || !Finder::comparable(before, after, jump)) return false;
            const std::int64_t x = *s.amounts[jump];
            return std::llabs(x - *before.amounts[jump]) < std::llabs(x - *after.amounts[jump]);
        };
        int lo = 0, hi = 1000;  // not on the old side at lo; on it at hi (a dime less)
        if (onOldSide(lo) || !onOldSide(hi)) continue;
        while (hi - lo > 1) {
            const int m = (lo + hi) / 2;
            (onOldSide(m) ? hi : lo) = m;
        }
        w.period(label + " " + money(c) + " less 401(k) " + std::to_string(lo), fields(lo), c, {"sTax", "staxBase"});
        w.period(label + " " + money(c) + " less 401(k) " + std::to_string(hi), fields(hi), c, {"sTax", "staxBase"});
    }
}

void state(Writer& w, int index, std::set<std::string>& tablesSeen)
{
    const StateEntry& s = stateList()[static_cast<std::size_t>(index)];
    const std::vector<Choice> counts = countChoices(s);
    int rotation = 0;
    for (Fields f : tableCombinations(w, index)) {
        // The counts turn with each combination, so every count meets every
        // frequency across the state's combinations; each combination runs
        // with two sets of counts, as some tables are only reached with few
        // (or many) exemptions.
        std::set<std::string> known;
        for (bool first : {true, false}) {
            for (std::size_t c = 0; c < counts.size(); ++c) {
                const auto& v = counts[c].values;
                const std::size_t i = static_cast<std::size_t>(rotation + int(c)) % v.size();
                // The second set pairs each count with a small one, or a
                // small one with a larger one.
                const std::size_t j = i + 1 == v.size() ? 0 : (i + 3) % v.size();
                setField(f, counts[c].key, v[first ? i : j]);
            }
            Finder finder{w.engine, f, Part::State, std::string(s.name)};
            const int freq = std::stoi(f[0].second);
            finder.search(kTop[freq]);
            if (std::getenv("CORPUS_DEBUG"))
                std::cerr << s.name << " " << choiceText(f) << ": " << finder.seen.size() << " runs, "
                          << finder.exact.size() << " points, " << finder.bends.size() << " bends\n";
            const std::string label = std::string(s.name) + " " + choiceText(f);
            // The second set of counts adds the points of what the first
            // did not reach.
            rowsAround(w, finder, label, {"sTax", "staxBase", "PersExmp", "notice"}, first ? nullptr : &known);
            if (first) roundingSteps(w, finder, label, kTop[freq]);
            if (first) annualSteps(w, finder, label);
            w.period(label + " typical", f, kTypical[freq],
                     {"sTax", "staxBase", "PersExmp", "DepsNumber", "lblModified", "notice"});
            for (const auto& [c, shape] : finder.seen)
                for (const std::string& t : shape.texts) {
                    known.insert(t);
                    if (t.find(" table: ") != std::string::npos) tablesSeen.insert(t);
                }
        }
        ++rotation;
    }
    // Each count from 0 to 3 and a high one, at each frequency.
    for (int freq = 0; freq < 4; ++freq)
        for (const Choice& c : counts)
            for (int v : c.values) {
                Fields f = base(freq, 1, 1);
                f.emplace_back("intState", std::to_string(index));
                for (const Choice& t : tableChoices(s)) setField(f, t.key, t.values.front());
                setField(f, c.key, v);
                w.period(std::string(s.name) + " " + choiceText(f) + " count", f, kTypical[freq],
                         {"amtDed", "fTax", "sTax", "staxBase", "PersExmp", "DepsNumber"});
            }
}

// Brackets no entries reach: California's low-income limit, less the
// standard deduction taken above it, lies over the first threshold of these
// tables, so their lowest rate never applies.
bool unreachable(const CatalogTable& t, std::size_t bracket)
{
    return bracket == 0 && (t.name.rfind("California single ", 0) == 0 ||
                            t.name.rfind("California head of household ", 0) == 0);
}

// Every catalog table was applied, in every bracket: the wording of its
// explanation line names the bracket by its threshold (or, in the
// subtractive form and the lowest bracket, by its rate).
void checkCoverage(const std::set<std::string>& texts)
{
    if (std::getenv("CORPUS_DEBUG"))
        for (const std::string& x : texts) std::cerr << "seen: " << x << "\n";
    int missing = 0;
    for (const CatalogTable& t : tableCatalog()) {
        const std::string prefix = t.name + " table: ";
        const auto& rows = t.table.brackets;
        for (std::size_t k = 0; k <= rows.size(); ++k) {
            if (unreachable(t, k)) continue;
            std::string mark;
            if (k == 0) mark = t.table.lowestRate == 0 ? "nothing up to" : concat(Pct{t.table.lowestRate}, " of #");
            else if (t.table.form == Form::Subtractive) mark = concat(Pct{rows[k - 1].rate}, " of # less");
            else mark = "over " + formatAmount(rows[k - 1].over);
            const bool found = std::any_of(texts.begin(), texts.end(), [&](const std::string& x) {
                return x.rfind(prefix, 0) == 0 && x.find(mark) != std::string::npos;
            });
            if (!found) {
                std::cerr << "not reached: " << t.name << " bracket " << k << " (" << mark << ")\n";
                ++missing;
            }
        }
    }
    if (missing) throw std::runtime_error(std::to_string(missing) + " brackets of the catalog were not reached");
}

// ---- Local tax ---------------------------------------------------------------

// Fields of a state at its first table options, with a count of 1.
Fields stateFields(int index, int freq, int valMarried)
{
    const StateEntry& s = stateList()[static_cast<std::size_t>(index)];
    Fields f = base(freq, valMarried, 1);
    f.emplace_back("intState", std::to_string(index));
    for (const Choice& c : tableChoices(s)) setField(f, c.key, c.values.front());
    for (const Choice& c : countChoices(s)) setField(f, c.key, c.values[1]);
    return f;
}

void local(Writer& w)
{
    const char* bases[] = {"", "gross", "less 401(k)", "less pre-tax", "less 401(k) and pre-tax", "less exemption"};
    for (int i = 0; i < kStateCount; ++i) {
        const int freq = i % 4;
        // The base less the state's exemption, with every state: where it
        // passes zero, and a pay above it.
        Fields f = stateFields(i, freq, i % 2);
        f.emplace_back("SPval", "0.0125");
        f.emplace_back("SPtx", "5");
        Finder finder{w.engine, f, Part::Local, ""};
        finder.search(kTypical[freq] * 2);
        const std::string label = "Local tax less exemption " + std::string(stateList()[std::size_t(i)].name) + " " +
                                  kFreqName[freq];
        rowsAround(w, finder, label, {"amtLocalTax", "PersExmp", "amtTotal"});
        w.period(label + " typical", f, kTypical[freq], {"amtLocalTax", "PersExmp", "amtTotal"});
        // Each other base, with a 401(k) and a pre-tax amount to tell them apart.
        const int code = 1 + i % 4;
        Fields g = stateFields(i, freq, i % 2);
        g.insert(g.end(), {{"txt401k", q("6")}, {"txtPreTax", q("50.25")}, {"SPval", "0.0125"},
                           {"SPtx", std::to_string(code)}});
        w.period(std::string("Local tax ") + bases[code] + " " + std::string(stateList()[std::size_t(i)].name), g,
                 kTypical[freq], {"amt401k", "amtLocalTax", "amtTotal"});
    }
    // A half at the fourth decimal: 0.5 % of an odd number of cents.
    for (Cents c : {1, 3, 101, 100003})
        for (int code : {1, 2}) {
            Fields f = base(0, 0, 0);
            f.insert(f.end(), {{"txt401k", q("1")}, {"SPval", "0.005"}, {"SPtx", std::to_string(code)}});
            w.period(std::string("Local tax half ") + bases[code] + " " + money(c), f, c, {"amt401k", "amtLocalTax"});
        }
}

// ---- Whole-dollar rounding -----------------------------------------------------

// In each state that rounds its withholding to whole dollars, pays whose
// amount before the rounding is a half: one below an even dollar, one below
// an odd one.
void roundingHalves(Writer& w)
{
    for (int i = 1; i < kStateCount; ++i) {
        const Fields f = stateFields(i, 0, 1);
        bool even = false, odd = false;
        for (Cents g = kTypical[0]; g < kTypical[0] + 40000 && !(even && odd); ++g) {
            const Trace& t = w.engine.run(f, g, true).trace();
            for (std::size_t k = 1; k < t.lines.size(); ++k) {
                if (t.lines[k].text.rfind("Rounded to whole dollars", 0) != 0 || !t.lines[k - 1].amount) continue;
                const std::int64_t before = t.lines[k - 1].amount->count();
                if (before <= 0 || before % 10000 != 5000) continue;
                bool& seen = (before / 10000) % 2 == 0 ? even : odd;
                if (seen) continue;
                seen = true;
                const std::string label = std::string(stateList()[std::size_t(i)].name) + " half dollar " + money(g);
                for (Cents d : {-1, 0, 1}) w.period(label + (d < 0 ? " -1c" : d > 0 ? " +1c" : ""), f, g + d, {"sTax"});
            }
        }
    }
}

// ---- The Year Check --------------------------------------------------------------

constexpr const char* kFilingName[] = {"single", "joint", "separate", "head"};
const std::initializer_list<const char*> kReturnKeys = {"adjustedGrossIncome", "deduction", "exemptions",
                                                        "taxableIncome", "tax", "childTaxCredit", "incomeTax",
                                                        "effectiveRate", "marginalRate"};

// A return of $1 a month in wages (a year has to have a paycheck) and the
// other income that brings it where it is wanted.
constexpr Cents kYearWages = 1200;

std::vector<std::string> returnArgs(int filing, Cents agi, int children = 0)
{
    std::vector<std::string> a = {"--income", "1", "--frequency", "monthly", "--filing", kFilingName[filing],
                                  "--other-income", money(agi - kYearWages)};
    if (filing == 1) a.insert(a.end(), {"--status", "married"});
    else a.insert(a.end(), {"--status", "single"});
    if (children) a.insert(a.end(), {"--children", std::to_string(children)});
    return a;
}

// The smallest adjusted gross income (in cents) whose return reaches
// `target` of `figure`, which grows with the income.
Cents firstIncome(int filing, int children, Currency target, Currency ReturnFigures::*figure)
{
    ReturnEntries e;
    e.filing = static_cast<FilingStatus>(filing);
    e.children = children;
    e.exemptions = defaultExemptions(e.filing, children);
    Cents lo = 0, hi = 100000000;
    while (lo < hi) {
        const Cents m = lo + (hi - lo) / 2;
        if (figureReturn(Currency::cents(m + kYearWages), e).*figure >= target) hi = m;
        else lo = m + 1;
    }
    return lo + kYearWages;
}

void yearAround(Writer& w, const std::string& label, int filing, Cents agi, int children,
                std::initializer_list<const char*> keys)
{
    for (Cents d : {-1, 0, 1})
        w.year(label + " " + money(agi) + (d < 0 ? " -1c" : d > 0 ? " +1c" : ""), returnArgs(filing, agi + d, children),
               keys);
}

void returns(Writer& w)
{
    // Thresholds of the 2000 return, by filing status.
    const Cents scheduleOver[4][4] = {{2625000, 6355000, 13260000, 28835000},
                                      {4385000, 10595000, 16145000, 28835000},
                                      {2192500, 5297500, 8072500, 14417500},
                                      {3515000, 9080000, 14705000, 28835000}};
    const Cents exemptionPhaseOut[4] = {12895000, 19340000, 9670000, 16115000};
    const Cents creditPhaseOut[4] = {7500000, 11000000, 5500000, 7500000};
    for (int f = 0; f < 4; ++f) {
        const std::string name = std::string("Return ") + kFilingName[f];
        const Cents taxable = firstIncome(f, 0, Currency::cents(1), &ReturnFigures::taxableIncome);
        yearAround(w, name + " nothing taxable", f, taxable - 1, 0, kReturnKeys);
        for (Cents t : scheduleOver[f])
            yearAround(w, name + " taxable at " + money(t), f,
                       firstIncome(f, 0, Currency::cents(t), &ReturnFigures::taxableIncome), 0, kReturnKeys);
        // The exemptions lose 2 % for each step (2,500, or 1,250 apart) or part of one.
        const Cents step = f == 2 ? 125000 : 250000;
        for (int k : {0, 1, 2, 25, 49, 50})
            yearAround(w, name + " exemption step " + std::to_string(k), f, exemptionPhaseOut[f] + k * step, 0,
                       {"exemptions", "taxableIncome", "tax"});
        // The child tax credit loses 50 for each 1,000 or part: to nothing
        // after ten steps a child.
        for (int children : {1, 2, 3})
            for (int k : {0, 1, 10 * children - 1, 10 * children})
                yearAround(w, name + " " + std::to_string(children) + " children credit step " + std::to_string(k), f,
                           creditPhaseOut[f] + k * 100000, children,
                           {"exemptions", "tax", "childTaxCredit", "incomeTax"});
    }
    // Itemized deductions above the limit: 3 % of the excess, up to 80 % of them.
    for (int f : {0, 2}) {
        const Cents limit = f == 2 ? 6447500 : 12895000;
        for (Cents agi : {limit, limit + 26666667, limit + 26666666})
            for (Cents d : {-1, 0, 1}) {
                std::vector<std::string> a = returnArgs(f, agi + d);
                a.insert(a.end(), {"--itemized", "10000"});
                w.year(std::string("Return ") + kFilingName[f] + " itemized " + money(agi + d), a,
                       {"deduction", "taxableIncome"});
            }
    }
}

// The entries of the year beyond the return: a spouse's job on a joint
// return, a state's withholding so far, exemptions given, with every figure
// of the answer.
void yearEntries(Writer& w)
{
    const std::initializer_list<const char*> all = {
        "paychecksPaid", "paychecksLeft", "wages", "federalWithholding", "stateWithholding", "socialSecurity",
        "medicare", "socialSecurityEndsInPeriod", "socialSecurityReachedSoFar", "spouseWages", "spouseWithholding",
        "adjustedGrossIncome", "deduction", "exemptions", "taxableIncome", "tax", "childTaxCredit", "incomeTax",
        "effectiveRate", "marginalRate", "refund", "advisedAllowances", "advisedAdditional"};
    const std::vector<std::string> cases[] = {
        {"--income", "2500", "--frequency", "semimonthly", "--status", "married", "--filing", "joint",
         "--spouse-wages", "30000", "--spouse-withheld", "3500.25", "--children", "2"},
        {"--income", "1800", "--frequency", "biweekly", "--status", "single", "--state", "Kansas", "--paid", "10",
         "--wages-so-far", "17000", "--withheld-so-far", "2100.10", "--state-withheld-so-far", "650.55",
         "--ss-so-far", "1050.20"},
        {"--income", "4000", "--frequency", "monthly", "--status", "single", "--filing", "head",
         "--return-exemptions", "3", "--itemized", "9000", "--exemptions", "2"},
        {"--income", "700", "--frequency", "weekly", "--status", "married-single", "--self-employed", "--401k", "5",
         "--pretax", "40", "--prefica", "20"},
    };
    int n = 0;
    for (const std::vector<std::string>& args : cases) w.year("Year entries " + std::to_string(++n), args, all);
}

// Social Security stops at the wage base of 76,200: a pay whose year
// reaches it exactly, a cent less and a cent more, at each frequency; and
// the wages so far at the base.
void wageBase(Writer& w)
{
    const int periods[] = {52, 24, 26, 12};
    for (int freq = 0; freq < 4; ++freq) {
        const Cents at = (7620000 + periods[freq] - 1) / periods[freq];
        for (Cents g : {at - 1, at, at + 1})
            w.year(std::string("Wage base ") + kFreqName[freq] + " " + money(g),
                   {"--income", money(g), "--frequency", kFreqName[freq], "--status", "single"},
                   {"wages", "socialSecurity", "socialSecurityEndsInPeriod", "medicare"});
    }
    for (Cents so : {7619999, 7620000, 7620001})
        w.year("Wage base reached so far " + money(so),
               {"--income", "2000", "--frequency", "weekly", "--status", "single", "--paid", "40", "--wages-so-far",
                money(so), "--ss-so-far", "4724.40"},
               {"socialSecurity", "socialSecurityEndsInPeriod", "socialSecurityReachedSoFar"});
}

// Social Security from the wages so far (and its default from them): the
// base crossed in the first paycheck left, in a later one, at a paycheck's
// end, already reached; figures so far at their bounds and a cent above
// (kept as the option `year` refuses).
void wageBaseSoFar(Writer& w)
{
    auto weekly = [](std::initializer_list<std::string> more) {
        std::vector<std::string> a = {"--income", "2000", "--frequency", "weekly", "--status", "single", "--paid", "26"};
        a.insert(a.end(), more);
        return a;
    };
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"in the first paycheck left", weekly({"--wages-so-far", "75000"})},
        {"in a later paycheck", weekly({"--wages-so-far", "60000"})},
        {"in a later paycheck, self-employed", weekly({"--wages-so-far", "60000", "--self-employed"})},
        {"at a paycheck's end", weekly({"--wages-so-far", "70200"})},
        {"reached so far", weekly({"--wages-so-far", "80000"})},
        {"bi-weekly", {"--income", "3000", "--status", "single", "--paid", "10", "--wages-so-far", "70000"}},
        {"Social Security so far at its bound", weekly({"--wages-so-far", "60000", "--ss-so-far", "3720.13"})},
        {"withheld so far at the wages", weekly({"--wages-so-far", "100", "--withheld-so-far", "100"})},
        {"spouse's withholding at the wages",
         {"--income", "1000", "--filing", "joint", "--spouse-wages", "5000", "--spouse-withheld", "5000"}},
    };
    for (const auto& [what, args] : cases)
        w.year(std::string("Wage base so far ") + what, args, {"socialSecurity", "socialSecurityEndsInPeriod",
                                                               "socialSecurityReachedSoFar", "medicare"});
    const std::pair<const char*, std::vector<std::string>> refused[] = {
        {"Social Security so far a cent above", weekly({"--wages-so-far", "60000", "--ss-so-far", "3720.14"})},
        {"Social Security so far at the maximum", {"--income", "1000", "--paid", "5", "--ss-so-far", "4724.40"}},
        {"withheld so far a cent above", weekly({"--wages-so-far", "100", "--withheld-so-far", "100.01"})},
        {"state withheld so far a cent above",
         weekly({"--state", "Kansas", "--wages-so-far", "100", "--state-withheld-so-far", "100.01"})},
        {"spouse's withholding a cent above",
         {"--income", "1000", "--filing", "joint", "--spouse-wages", "4999.99", "--spouse-withheld", "5000"}},
        {"income above a year", {"--income", "100000000000000"}},
    };
    for (const auto& [what, args] : refused) w.year(std::string("Year refuses ") + what, args, {"refused"});
}

// The advice: withholding that covers the tax exactly, a cent less and a
// cent more, and a shortfall of whole dollars per paycheck left.
void advice(Writer& w)
{
    const std::vector<std::string> args = {"--income", "1000", "--frequency", "weekly", "--status", "single",
                                           "--exemptions", "1", "--other-income", "10000", "--paid", "26"};
    cli::YearOptions o = cli::parseYear([&] {
        std::vector<std::string> a = {"wagemark-cli", "year"};
        a.insert(a.end(), args.begin(), args.end());
        return a;
    }(), 2);
    YearRequest request;
    request.allowances = 1;
    request.entries = defaultReturn(1);
    request.entries.otherIncome = 10000_usd;
    request.soFar.paid = 26;  // enough wages so far for the withholding so far
    request.soFar.federal = Currency();
    const PassRunner run = [&](std::int16_t n) -> std::optional<PayRecord> {
        cli::CalcRequest each = o.request;
        each.input.exemptions = std::to_string(n);
        return cli::compute(each).record;
    };
    PayRecord scratch;
    ErrorScheme errors(scratch, [] { return std::unique_ptr<ErrorReport>(); });
    const std::optional<YearCheck> c = checkYear(request, run, errors);
    if (!c) throw std::runtime_error("the advice's year did not compute");
    const Cents tax = c->figures.incomeTax.count() / 100;
    const Cents left = c->paychecksLeft;
    auto withheld = [&](std::size_t n) { return c->withholdingByCount[n].count() / 100; };
    const std::pair<const char*, Cents> cases[] = {{"covers with 0", tax - withheld(0)},
                                                   {"covers with 1", tax - withheld(1)},
                                                   {"3 dollars short", tax - withheld(0) - 3 * 100 * left}};
    for (const auto& [what, so] : cases)
        for (Cents d : {-1, 0, 1}) {
            std::vector<std::string> a = args;
            a.insert(a.end(), {"--withheld-so-far", money(so + d)});
            w.year(std::string("Advice ") + what + (d < 0 ? " -1c" : d > 0 ? " +1c" : ""), a,
                   {"federalWithholding", "incomeTax", "refund", "advisedAllowances", "advisedAdditional"});
        }
}

}  // namespace
}  // namespace wm::corpus

int main(int argc, char** argv)
{
    using namespace wm::corpus;
    if (argc < 2) {
        std::cerr << "usage: generate_corpus FILE [--update]\n";
        return 2;
    }
    const bool update = argc > 2 && std::string(argv[2]) == "--update";
    try {
        Writer w;
        examples(w);
        federal(w);
        fica(w);
        std::set<std::string> tables;
        for (int i = 1; i < wm::kStateCount; ++i) state(w, i, tables);
        checkCoverage(tables);
        local(w);
        roundingHalves(w);
        returns(w);
        wageBase(w);
        wageBaseSoFar(w);
        advice(w);
        yearEntries(w);
        std::set<std::string> old;
        {
            std::ifstream in(argv[1]);
            for (std::string l; std::getline(in, l);) old.insert(l);
        }
        long changed = 0;
        for (const std::string& l : w.lines) changed += old.count(l) == 0;
        std::size_t bytes = 0;
        for (const std::string& l : w.lines) bytes += l.size() + 1;
        std::cout << w.lines.size() << " lines, " << bytes << " bytes, " << changed << " new or changed\n";
        if (!update) return 0;
        std::ofstream out(argv[1]);
        for (const std::string& l : w.lines) out << l << '\n';
        if (!out.flush()) {
            std::cerr << "cannot write " << argv[1] << "\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "generate_corpus: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
