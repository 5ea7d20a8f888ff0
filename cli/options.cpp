#include "cli/options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>

#include "cli/batch.h"
#include "record/plain_text.h"
#include "states/registry.h"

namespace wm::cli {

struct ParseState {
    CalcOptions o;
    BatchOptions batch;
    YearOptions year;
    bool localRate = false;
    bool localBase = false;
    bool pdf = false;
    bool help = false;  // -h or --help: the rest is not read
    std::vector<const Option*> stateOptions;  // given, to match against the state
    std::string_view bonusEntry;  // the first bonus entry given beside --bonus
};

namespace {

// ---- Values -----------------------------------------------------------

// Blanks around a value are dropped on both sides, as the amount reader does.
std::string trimmed(const std::string& s)
{
    constexpr const char* kBlanks = " \t\n\r";
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

std::string lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string quoted(const std::string& value) { return "\"" + value + "\""; }

std::int16_t wholeNumber(std::string_view option, const std::string& value, int lo, int hi)
{
    const std::string t = trimmed(value);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (t.empty() || *end != '\0' || errno == ERANGE || v < lo || v > hi)
        throw UsageError{std::string(option) + ": expected a whole number from " + std::to_string(lo) + " to " +
                         std::to_string(hi) + ", got " + quoted(value)};
    return static_cast<std::int16_t>(v);
}

// "--401k: expected a percentage from 0 to 100, got "150"".
[[noreturn]] void outOfRange(std::string_view option, const std::string& value, Input input)
{
    throw UsageError{std::string(option) + ": expected " + describe(limitOf(input)) + ", got " + quoted(value)};
}

std::int16_t wholeNumber(std::string_view option, const std::string& value, Input input)
{
    const InputLimit& l = limitOf(input);
    return wholeNumber(option, value, l.lo, l.hi);
}

const std::string kTooLarge = " is too large (at most " + formatAmount(kAmountTop) + ")";

// An amount typed as a user would; checked here so the message names the option.
Currency parsedAmount(std::string_view option, const std::string& value)
{
    try {
        return toCurrency(value);
    } catch (const RuntimeError& e) {
        if (e.number() == err::kOverflow) throw UsageError{std::string(option) + ": " + quoted(value) + kTooLarge};
        throw UsageError{std::string(option) + ": " + quoted(value) +
                         " is not an amount (examples: 1250, 1,250.00, $980.50)"};
    }
}

// An amount of an input with a range.
std::string amountText(std::string_view option, const std::string& value, Input input)
{
    if (!within(limitOf(input), parsedAmount(option, value))) outOfRange(option, value, input);
    return value;
}

FilingStatus filing(const std::string& value)
{
    static const std::pair<const char*, FilingStatus> kNames[] = {
        {"single", FilingStatus::Single}, {"joint", FilingStatus::Joint},
        {"separate", FilingStatus::Separate}, {"head", FilingStatus::Head}};
    for (const auto& [name, f] : kNames)
        if (lower(trimmed(value)) == name) return f;
    throw UsageError{"--filing: expected single, joint, separate or head, got " + quoted(value)};
}

double number(std::string_view option, const std::string& value)
{
    try {
        return toDouble(value);
    } catch (const RuntimeError& e) {
        if (e.number() == err::kOverflow) throw UsageError{std::string(option) + ": " + quoted(value) + " is too large"};
        throw UsageError{std::string(option) + ": " + quoted(value) + " is not a number"};
    }
}

// A number of an input with a range (a percentage as typed, hours).
double numberIn(std::string_view option, const std::string& value, Input input)
{
    const double d = number(option, value);
    if (!textWithin(limitOf(input), value)) outOfRange(option, value, input);
    return d;
}

// The frequencies as the help offers them: the shortest period first.
std::vector<const PayFrequency*> frequenciesOffered()
{
    std::vector<const PayFrequency*> rows;
    for (const PayFrequency& f : kPayFrequencies) rows.push_back(&f);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const PayFrequency* a, const PayFrequency* b) { return a->periodsPerYear > b->periodsPerYear; });
    return rows;
}

// "weekly, biweekly, semimonthly or monthly"; "weekly | biweekly | ...".
std::string frequencyNames(std::string_view between, std::string_view last)
{
    std::string out;
    const std::vector<const PayFrequency*> rows = frequenciesOffered();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) out += i + 1 == rows.size() ? last : between;
        out += rows[i]->cliNames[0];
    }
    return out;
}

// The --frequency help: the names and the default.
const std::string kFrequencyHelp = frequencyNames(" | ", " | ") + " (default " +
                                   std::string(kPayFrequencies[kDefaultFrequency].cliNames[0]) + ")";

std::int16_t frequency(const std::string& v)
{
    const std::string t = trimmed(v);
    const std::string name = lower(t);
    for (const PayFrequency& f : kPayFrequencies)
        for (std::string_view n : f.cliNames)
            if (!n.empty() && n == name) return f.code;
    if (t.size() == 1 && knownFrequency(t[0] - '0')) return static_cast<std::int16_t>(t[0] - '0');
    throw UsageError{"--frequency: expected " + frequencyNames(", ", " or ") + ", got " + quoted(v)};
}

std::int16_t status(const std::string& v)
{
    const std::string l = lower(trimmed(v));
    if (l == "married" || l == "0") return 0;
    if (l == "single" || l == "1") return 1;
    if (l == "married-single" || l == "2") return 2;
    throw UsageError{"--status: expected married, single or married-single, got " + quoted(v)};
}

std::int16_t state(const std::string& value)
{
    const std::string v = trimmed(value);
    if (!v.empty() && std::isdigit(static_cast<unsigned char>(v[0])))
        return wholeNumber("--state", v, Input::State);
    const int i = findState(v);
    if (i < 0) throw UsageError{"--state: unknown state " + quoted(v) + " (see wagemark-cli states)"};
    return static_cast<std::int16_t>(i);
}

std::int16_t rateLetter(const std::string& v)
{
    const InputLimit& l = limitOf(Input::StateRate);
    const std::string t = lower(trimmed(v));
    if (!textWithin(l, t)) outOfRange("--state-rate", v, Input::StateRate);
    return static_cast<std::int16_t>(std::isalpha(static_cast<unsigned char>(t[0])) ? t[0] - 'a' : std::stoi(t));
}

std::int16_t countyRate(const std::string& v)
{
    // Typed as the list shows it (2.41) or as kept, in hundredths of a percent (241).
    const double d = number("--county-rate", v);
    const double code = d < 10 ? std::round(d * 100) : d;
    if (!(d > 0 && d < 1000) || !within(limitOf(Input::CountyRate), code)) outOfRange("--county-rate", v, Input::CountyRate);
    return static_cast<std::int16_t>(code);
}

std::int16_t localBase(const std::string& v)
{
    static const std::map<std::string, std::int16_t> names = {
        {"gross", 1}, {"less-401k", 2}, {"less-pretax", 3}, {"less-401k-pretax", 4}, {"less-exemption", 5}};
    auto it = names.find(lower(trimmed(v)));
    if (it != names.end()) return it->second;
    return wholeNumber("--local-base", v, Input::LocalBase);
}

// "aggregate" or "flat", as the supplemental wages table names them.
std::int16_t bonusMethod(const std::string& v)
{
    const std::string name = lower(trimmed(v));
    for (const SupplementalRule& m : kSupplemental2000.methods)
        if (m.name == name) return static_cast<std::int16_t>(m.method);
    throw UsageError{"--bonus-method: expected " + std::string(bonusRule(BonusMethod::Aggregate).name) + " or " +
                     std::string(bonusRule(BonusMethod::Flat).name) + ", got " + quoted(v)};
}

const std::string kBonusMethodHelp = std::string(bonusRule(BonusMethod::Aggregate).name) + " | " +
                                     std::string(bonusRule(BonusMethod::Flat).name) + " (default " +
                                     std::string(bonusRule(BonusMethod::Aggregate).name) + "); flat withholds " +
                                     formatPlain(kSupplemental2000.flatRate * 100) + " % of the bonus";

// An entry of the bonus beside --bonus itself.
void bonusEntry(ParseState& s, std::string_view option)
{
    s.o.request.bonusEntries = true;
    if (s.bonusEntry.empty()) s.bonusEntry = option;
}

// ---- What completion offers -------------------------------------------
// The names the help gives for each list value; a test runs each through
// its option.

std::vector<std::string> frequencyChoices()
{
    std::vector<std::string> names;
    for (const PayFrequency* f : frequenciesOffered()) names.emplace_back(f->cliNames[0]);
    return names;
}
std::vector<std::string> statusChoices() { return {"married", "single", "married-single"}; }
std::vector<std::string> rateChoices() { return {"A", "B", "C", "D", "E"}; }
std::vector<std::string> bonusMethodChoices()
{
    std::vector<std::string> names;
    for (const SupplementalRule& m : kSupplemental2000.methods) names.emplace_back(m.name);
    return names;
}
std::vector<std::string> filingChoices() { return {"single", "joint", "separate", "head"}; }
std::vector<std::string> localBaseChoices()
{
    return {"gross", "less-401k", "less-pretax", "less-401k-pretax", "less-exemption"};
}

std::vector<std::string> stateChoices()
{
    std::vector<std::string> names;
    for (const StateEntry& s : stateList()) names.emplace_back(s.name);
    return names;
}

std::vector<std::string> countyChoices()
{
    std::vector<std::string> rates;
    for (const ListItem& c : kMarylandCounties) rates.emplace_back(c.text);
    return rates;
}

// An amount of the year's own: kept with the option and value it came from.
Currency yearAmount(ParseState& s, Input input, std::string_view option, const std::string& value)
{
    s.year.given[input] = {std::string(option), value};
    return toCurrency(amountText(option, value, input));
}

// A line's text into a request's, which keeps its storage from line to
// line: appended to the emptied text, a shorter path than assign's, which
// allows for the text lying in itself.
void setText(std::string& to, std::string_view text)
{
    to.clear();
    to.append(text);
}

// A whole number as text, without a string of its own.
struct Digits {
    char bytes[8];
    std::size_t size;
    std::string_view text() const { return {bytes, size}; }
};
Digits digitsOf(std::int16_t value)
{
    Digits d;
    d.size = static_cast<std::size_t>(std::to_chars(d.bytes, d.bytes + sizeof d.bytes, value).ptr - d.bytes);
    return d;
}

// SECTION/KEY=VALUE: one section and one key, neither empty; the value as
// its field would take it.
void setting(SettingList& into, const std::string& v)
{
    const auto eq = v.find('=');
    const std::string_view name = std::string_view(v).substr(0, eq);
    const auto slash = name.find('/');
    if (eq == std::string::npos || slash == std::string_view::npos || slash == 0 || slash + 1 == name.size() ||
        name.find('/', slash + 1) != std::string_view::npos)
        throw UsageError{"--setting: expected SECTION/KEY=VALUE (one section, one key), got " + quoted(v)};
    const std::string_view section = name.substr(0, slash), key = name.substr(slash + 1);
    const std::string_view value = std::string_view(v).substr(eq + 1);
    if (const std::string problem = settingProblem(section, key, value); !problem.empty())
        throw UsageError{"--setting: " + std::string(name) + ": expected " + problem + ", got " + quoted(std::string(value))};
    into.set(section, key, value);
}

void stateSetting(ParseState& s, std::size_t key, std::string_view value)
{
    s.o.request.optionSettings.set(key, value);
}

// A batch key of a state option is also its saved setting, as the option
// saves it: some calculators read the setting ("staExmp", "staDeps").
void stateSetting(CalcRequest& q, std::size_t key, std::int16_t value)
{
    q.optionSettings.setWhole(key, value);
}

// The place of a StateInfo key among the known settings, when compiled.
consteval std::size_t stateInfo(std::string_view key) { return knownSetting("StateInfo", key); }

// ---- The table --------------------------------------------------------

using S = ParseState;
using V = const std::string&;
using Q = CalcRequest;
using B = const BatchValue&;
using N = std::string_view;
constexpr const InputLimit* L(Input i) { return &limitOf(i); }

const std::array kOptions = {
    Option{.help = "any JSON value, echoed in the output line",
           .section = Section::Calc,
           .batchKey = "id",
           .batchType = BatchType::Id},
    Option{.name = "--income",
           .valueName = "AMOUNT",
           .help = "gross pay for the period",
           .examples = "1,250.00|$980",
           .section = Section::Calc,
           .apply = [](S& s, N n, V v) { s.o.request.input.txtIncome = amountText(n, v, Input::Income); },
           .batchKey = "txtIncome",
           .batchType = BatchType::Text,
           .read = [](Q& q, B b) { setText(q.input.txtIncome, b.text); },
           .limit = L(Input::Income)},
    Option{.name = "--hours",
           .valueName = "N",
           .help = "hours worked in the period (shows the hourly pay)",
           .examples = "80",
           .section = Section::Calc,
           .apply =
               [](S& s, N n, V v) {
                   numberIn(n, v, Input::Hours);
                   s.o.hours = v;
               },
           .limit = L(Input::Hours)},
    Option{.name = "--frequency",
           .valueName = "F",
           .help = kFrequencyHelp,
           .examples = "weekly",
           .section = Section::Calc,
           .apply = [](S& s, N, V v) { s.o.request.HowOft = frequency(v); },
           .batchKey = "HowOft",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { q.HowOft = b.whole; },
           .limit = L(Input::Frequency),
           .choices = frequencyChoices},
    Option{.name = "--status",
           .valueName = "S",
           .help = "married | single | married-single (default married);\n"
                   "married-single withholds at the higher single rate",
           .examples = "single",
           .section = Section::Calc,
           .apply = [](S& s, N, V v) { s.o.request.valMarried = status(v); },
           .batchKey = "valMarried",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { q.valMarried = b.whole; },
           .limit = L(Input::MaritalStatus),
           .choices = statusChoices},
    Option{.name = "--exemptions",
           .valueName = "N",
           .help = "withholding allowances (default 0)",
           .examples = "2",
           .section = Section::Calc,
           .apply = [](S& s, N n,
                       V v) { s.o.request.input.exemptions = std::to_string(wholeNumber(n, v, Input::Allowances)); },
           .batchKey = "DepsNumber",
           .batchType = BatchType::Whole,
           .read =
               [](Q& q, B b) {
                   setText(q.input.exemptions, digitsOf(b.whole).text());
                   q.input.allowances = b.whole;
               },
           .limit = L(Input::Allowances)},
    Option{.name = "--401k",
           .valueName = "PERCENT",
           .help = "401(k) contribution: 5 and 0.05 both mean 5 %",
           .examples = "5|0.05",
           .section = Section::Calc,
           .apply =
               [](S& s, N n, V v) {
                   numberIn(n, v, Input::Percent401k);
                   s.o.request.input.txt401k = v;
               },
           .batchKey = "txt401k",
           .batchType = BatchType::Text,
           .read = [](Q& q, B b) { setText(q.input.txt401k, b.text); },
           .limit = L(Input::Percent401k)},
    Option{.name = "--pretax",
           .valueName = "AMOUNT",
           .help = "non-taxable amount (cafeteria plan, ...)",
           .examples = "50",
           .section = Section::Calc,
           .apply = [](S& s, N n, V v) { s.o.request.input.txtPreTax = amountText(n, v, Input::PreTax); },
           .batchKey = "txtPreTax",
           .batchType = BatchType::Text,
           .read = [](Q& q, B b) { setText(q.input.txtPreTax, b.text); },
           .limit = L(Input::PreTax)},
    Option{.name = "--prefica",
           .valueName = "AMOUNT",
           .help = "amount on which no FICA is due",
           .examples = "25",
           .section = Section::Calc,
           .apply = [](S& s, N n, V v) { s.o.request.input.txtPreFICA = amountText(n, v, Input::PreFica); },
           .batchKey = "txtPreFICA",
           .batchType = BatchType::Text,
           .read = [](Q& q, B b) { setText(q.input.txtPreFICA, b.text); },
           .limit = L(Input::PreFica)},
    Option{.name = "--self-employed",
           .help = "self-employment FICA rates",
           .section = Section::Calc,
           .apply = [](S& s, N, V) { s.o.request.input.chkSelfEmployed = true; },
           .batchKey = "chkSelfEmployed",
           .batchType = BatchType::Bool,
           .read = [](Q& q, B b) { q.input.chkSelfEmployed = b.flag; }},
    Option{.name = "--state",
           .valueName = "NAME|INDEX",
           .help = "state by name, calculator or index",
           .examples = "New York|NewYork|28",
           .section = Section::Calc,
           .apply = [](S& s, N, V v) { s.o.request.intState = state(v); },
           .batchKey = "intState",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { q.intState = b.whole; },
           .limit = L(Input::State),
           .choices = stateChoices},
    Option{.name = "--state-status",
           .valueName = "CODE",
           .help = "state filing status 0..9",
           .examples = "1",
           .section = Section::State,
           .apply =
               [](S& s, N n, V v) {
                   s.o.request.intSMarried = wholeNumber(n, v, Input::StateStatus);
                   stateSetting(s, stateInfo("staMarried"), std::to_string(s.o.request.intSMarried));
               },
           .batchKey = "intSMarried",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { stateSetting(q, stateInfo("staMarried"), q.intSMarried = b.whole); },
           .stateOption = kOptStatus,
           .limit = L(Input::StateStatus)},
    Option{.name = "--state-rate",
           .valueName = "A..E",
           .help = "rate letter (Connecticut, New Jersey)",
           .examples = "B",
           .section = Section::State,
           .apply =
               [](S& s, N, V v) {
                   s.o.request.StateRate = rateLetter(v);
                   stateSetting(s, stateInfo("staRate"), std::to_string(s.o.request.StateRate));
               },
           .batchKey = "StateRate",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { stateSetting(q, stateInfo("staRate"), q.StateRate = b.whole); },
           .stateOption = kOptRate,
           .limit = L(Input::StateRate),
           .choices = rateChoices},
    Option{.name = "--state-deps",
           .valueName = "N",
           .help = "state dependents",
           .examples = "2",
           .section = Section::State,
           .apply =
               [](S& s, N n, V v) {
                   s.o.request.StateDeps = wholeNumber(n, v, Input::StateDeps);
                   stateSetting(s, stateInfo("staDeps"), std::to_string(s.o.request.StateDeps));
               },
           .batchKey = "StateDeps",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { stateSetting(q, stateInfo("staDeps"), q.StateDeps = b.whole); },
           .stateOption = kOptDeps,
           .limit = L(Input::StateDeps)},
    Option{.name = "--il-deps",
           .valueName = "N",
           .help = "second dependents count (Illinois, Indiana)",
           .examples = "1",
           .section = Section::State,
           .apply =
               [](S& s, N n, V v) {
                   s.o.request.ILINDeps = wholeNumber(n, v, Input::SecondDeps);
                   stateSetting(s, stateInfo("ILINDeps"), std::to_string(s.o.request.ILINDeps));
               },
           .batchKey = "ILINDeps",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { stateSetting(q, stateInfo("ILINDeps"), q.ILINDeps = b.whole); },
           .stateOption = kOptILDeps,
           .limit = L(Input::SecondDeps)},
    Option{.name = "--state-exemptions",
           .valueName = "N",
           .help = "state special list value (exemptions, percentage, ...)",
           .examples = "1",
           .section = Section::State,
           .apply =
               [](S& s, N n, V v) {
                   s.o.request.StateExmp = wholeNumber(n, v, Input::StateExemptions);
                   stateSetting(s, stateInfo("staExmp"), std::to_string(s.o.request.StateExmp));
               },
           .batchKey = "StateExmp",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { stateSetting(q, stateInfo("staExmp"), q.StateExmp = b.whole); },
           .stateOption = kOptExemptions,
           .limit = L(Input::StateExemptions)},
    Option{.name = "--county-rate",
           .valueName = "RATE",
           .help = "Maryland county rate",
           .examples = "2.41|241",
           .section = Section::State,
           .apply =
               [](S& s, N, V v) {
                   s.o.request.Method = countyRate(v);
                   stateSetting(s, stateInfo("MMethod"), std::to_string(s.o.request.Method));
               },
           .batchKey = "Method",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { stateSetting(q, stateInfo("MMethod"), q.Method = b.whole); },
           .stateOption = kOptMethod,
           .limit = L(Input::CountyRate),
           .choices = countyChoices},
    Option{.name = "--miss-part",
           .valueName = "AMOUNT",
           .help = "Mississippi: your part of the $12,000 spouse exemption",
           .examples = "6000",
           .section = Section::State,
           .apply =
               [](S& s, N n, V v) {
                   stateSetting(s, stateInfo("missPart"),
                                formatPlain(toCurrency(amountText(n, v, Input::MississippiPart))));
               },
           .stateOption = kOptMissPart,
           .limit = L(Input::MississippiPart)},
    Option{.name = "--state-add",
           .valueName = "AMOUNT",
           .help = "additional state withholding per period",
           .examples = "5",
           .section = Section::State,
           .apply =
               [](S& s, N n, V v) {
                   s.o.request.StateAdd = amountText(n, v, Input::StateAdd);
                   stateSetting(s, stateInfo("staAdd"), formatPlain(toCurrency(s.o.request.StateAdd)));
               },
           .batchKey = "StateAdd",
           .batchType = BatchType::Text,
           .read = [](Q& q, B b) { setText(q.StateAdd, b.text); },
           .stateOption = kOptAdd,
           .limit = L(Input::StateAdd)},
    Option{.name = "--state-401k",
           .help = "the 401(k) amount is also excluded from state wages",
           .section = Section::State,
           .apply = [](S& s, N, V) { stateSetting(s, stateInfo("sta401"), "Y"); },
           .stateOption = kOpt401k},
    Option{.name = "--state-pretax",
           .help = "the pre-tax amount is also excluded from state wages",
           .section = Section::State,
           .apply = [](S& s, N, V) { stateSetting(s, stateInfo("staPreTax"), "Y"); },
           .stateOption = kOptPreTax},
    Option{.name = "--setting",
           .valueName = "SECTION/KEY=VALUE",
           .help = "any stored setting",
           .examples = "StateInfo/staDeps=2",
           .section = Section::State,
           .apply = [](S& s, N, V v) { setting(s.o.request.settings, v); },
           .batchKey = "settings",
           .batchType = BatchType::Settings,
           .many = true},
    Option{.name = "--local-rate",
           .valueName = "RATE",
           .help = "3 and .03 both mean 3 %; alone, a tax on gross pay",
           .examples = "3|.03",
           .section = Section::Local,
           .apply =
               [](S& s, N n, V v) {
                   s.o.request.SPval = percentFraction(numberIn(n, v, Input::LocalRate));
                   s.localRate = true;
               },
           .batchKey = "SPval",
           .batchType = BatchType::Number,
           .read = [](Q& q, B b) { q.SPval = b.number; },
           .limit = L(Input::LocalRate)},
    Option{.name = "--local-base",
           .valueName = "BASE",
           .help = "gross | less-401k | less-pretax | less-401k-pretax | less-exemption\n"
                   "(or its number; 0 for none)",
           .examples = "less-401k|2",
           .section = Section::Local,
           .apply =
               [](S& s, N, V v) {
                   s.o.request.SPtx = localBase(v);
                   s.localBase = true;
               },
           .batchKey = "SPtx",
           .batchType = BatchType::Whole,
           .read = [](Q& q, B b) { q.SPtx = b.whole; },
           .limit = L(Input::LocalBase),
           .choices = localBaseChoices},
    Option{.name = "--bonus",
           .valueName = "AMOUNT",
           .help = "a bonus paid with this paycheck: the grid of the bonus alone",
           .examples = "2,000",
           .section = Section::Bonus,
           .apply =
               [](S& s, N n, V v) {
                   s.o.request.txtBonus = amountText(n, v, Input::Bonus);
                   s.o.request.bonus = true;
               },
           .batchKey = "txtBonus",
           .batchType = BatchType::Text,
           .read =
               [](Q& q, B b) {
                   setText(q.txtBonus, b.text);
                   q.bonus = true;
               },
           .limit = L(Input::Bonus)},
    Option{.name = "--bonus-method",
           .valueName = "M",
           .help = kBonusMethodHelp,
           .examples = "flat",
           .section = Section::Bonus,
           .apply =
               [](S& s, N n, V v) {
                   s.o.request.bonusMethod = bonusMethod(v);
                   bonusEntry(s, n);
               },
           .batchKey = "BonusMethod",
           .batchType = BatchType::Whole,
           .read =
               [](Q& q, B b) {
                   q.bonusMethod = b.whole;
                   q.bonusEntries = true;
               },
           .limit = L(Input::BonusMethod),
           .choices = bonusMethodChoices},
    Option{.name = "--bonus-no-401k",
           .help = "the 401(k) percentage does not apply to the bonus",
           .section = Section::Bonus,
           .apply =
               [](S& s, N n, V) {
                   s.o.request.bonus401k = false;
                   bonusEntry(s, n);
               },
           .batchKey = "chkBonus401k",
           .batchType = BatchType::Bool,
           .read =
               [](Q& q, B b) {
                   q.bonus401k = b.flag;
                   q.bonusEntries = true;
               }},
    Option{.name = "--bonus-ss-wages-so-far",
           .valueName = "AMOUNT",
           .help = "Social Security wages paid so far this year (default 0):\n"
                   "Social Security on the bonus stops at the $76,200 base",
           .examples = "70,000",
           .section = Section::Bonus,
           .apply =
               [](S& s, N n, V v) {
                   s.o.request.txtBonusSSWages = amountText(n, v, Input::BonusSSWages);
                   bonusEntry(s, n);
               },
           .batchKey = "txtBonusSSWages",
           .batchType = BatchType::Text,
           .read =
               [](Q& q, B b) {
                   setText(q.txtBonusSSWages, b.text);
                   q.bonusEntries = true;
               },
           .limit = L(Input::BonusSSWages)},
    Option{.name = "--json",
           .help = "print the batch output object instead of the grid",
           .section = Section::Output,
           .apply = [](S& s, N, V) { s.o.json = true; }},
    Option{.name = "--explain",
           .help = "show how each amount was reached",
           .section = Section::Output,
           .apply = [](S& s, N, V) { s.o.explain = true; }},
    Option{.name = "--all-states",
           .help = "one row per state, highest check first; the other states take\n"
                   "their options from the calc options (JSON Lines with --json)",
           .section = Section::Output,
           .apply = [](S& s, N, V) { s.o.allStates = true; }},
    Option{.name = "--vs",
           .help = "compare: the options after it change those before it; --no-self-employed,\n"
                   "--no-state-401k, --no-state-pretax turn a switch off",
           .section = Section::Output,
           .apply = [](S&, N, V) {}},
    Option{.name = "--statement",
           .valueName = "FILE.pdf",
           .help = "also write the pay statement as a PDF file",
           .section = Section::Output,
           .apply =
               [](S& s, N, V v) {
                   if (v.empty()) throw UsageError{"--statement: the file name is empty"};
                   if (!s.pdf)
                       throw UsageError{
                           "--statement: PDF output is not available in this build (it was built without Qt)"};
                   s.o.statement = v;
               }},
    Option{.name = "--name",
           .valueName = "NAME",
           .help = "name in the statement's header (default \"-\")",
           .examples = "Pat Doe",
           .section = Section::Output,
           .apply =
               [](S& s, N, V v) {
                   // A line break or a direction override would garble the printed header.
                   if (const auto c = firstLayoutCharacter(v))
                       throw UsageError{"--name: a name is text only and cannot hold " + describeCharacter(*c)};
                   s.o.name = v;
               }},
    Option{.name = "--jobs",
           .valueName = "N",
           .help = "compute lines on N cores at once (default: every core)",
           .examples = "2",
           .section = Section::Batch,
           .apply = [](S& s, N n, V v) { s.batch.jobs = wholeNumber(n, v, 1, kMaxJobs); }},
    Option{.name = "--filing",
           .valueName = "F",
           .help = "single | joint | separate | head (default: joint when --status is\n"
                   "married or married-single, else single)",
           .examples = "head",
           .section = Section::Year,
           .apply = [](S& s, N, V v) { s.year.filing = filing(v); },
           .choices = filingChoices},
    Option{.name = "--return-exemptions",
           .valueName = "N",
           .help = "exemptions on the return (default: 1, joint 2, and the\nchildren)",
           .examples = "3",
           .section = Section::Year,
           .apply = [](S& s, N n, V v) { s.year.exemptions = wholeNumber(n, v, Input::ReturnExemptions); },
           .limit = L(Input::ReturnExemptions)},
    Option{.name = "--children",
           .valueName = "N",
           .help = "children under 17 for the child tax credit (default 0)",
           .examples = "2",
           .section = Section::Year,
           .apply = [](S& s, N n, V v) { s.year.children = wholeNumber(n, v, Input::Children); },
           .limit = L(Input::Children)},
    Option{.name = "--other-income",
           .valueName = "AMOUNT",
           .help = "other income of the year, not a loss (default 0)",
           .examples = "1,200",
           .section = Section::Year,
           .apply = [](S& s, N n, V v) { s.year.otherIncome = yearAmount(s, Input::OtherIncome, n, v); },
           .limit = L(Input::OtherIncome)},
    Option{.name = "--itemized",
           .valueName = "AMOUNT",
           .help = "itemized deductions before the limit (default 0)",
           .examples = "9,000",
           .section = Section::Year,
           .apply = [](S& s, N n, V v) { s.year.itemized = yearAmount(s, Input::Itemized, n, v); },
           .limit = L(Input::Itemized)},
    Option{.name = "--paid",
           .valueName = "N",
           .help = "paychecks of the year already paid (default 0): up to the year's\n"
                   "count less one, the one calculated being still to come",
           .examples = "13",
           .section = Section::Year,
           .apply =
               [](S& s, N n, V v) {
                   // The frequency may narrow it further (yearRequest).
                   s.year.soFar.paid = wholeNumber(n, v, Input::PaychecksPaid);
                   s.year.given[Input::PaychecksPaid] = {std::string(n), v};
               },
           .limit = L(Input::PaychecksPaid)},
    Option{.name = "--wages-so-far",
           .valueName = "AMOUNT",
           .help = "federal wages of the paychecks paid\n(default: paid x this paycheck's)",
           .examples = "13,000",
           .section = Section::Year,
           .apply = [](S& s, N n, V v) { s.year.soFar.wages = yearAmount(s, Input::WagesSoFar, n, v); },
           .limit = L(Input::WagesSoFar)},
    Option{.name = "--withheld-so-far",
           .valueName = "AMOUNT",
           .help = "federal income tax withheld so far\n(default: paid x this paycheck's)",
           .examples = "1,500",
           .section = Section::Year,
           .apply = [](S& s, N n, V v) { s.year.soFar.federal = yearAmount(s, Input::FederalSoFar, n, v); },
           .limit = L(Input::FederalSoFar)},
    Option{.name = "--state-withheld-so-far",
           .valueName = "AMOUNT",
           .help = "state income tax withheld so far\n(default: paid x this paycheck's)",
           .examples = "450",
           .section = Section::Year,
           .apply = [](S& s, N n, V v) { s.year.soFar.state = yearAmount(s, Input::StateSoFar, n, v); },
           .limit = L(Input::StateSoFar)},
    Option{
        .name = "--ss-so-far",
        .valueName = "AMOUNT",
        .help = "Social Security withheld so far (default: its rate x the\n"
                "wages so far if given, else paid x this paycheck's, up to the base)",
        .examples = "806",
        .section = Section::Year,
        .apply = [](S& s, N n, V v) { s.year.soFar.socialSecurity = yearAmount(s, Input::SocialSecuritySoFar, n, v); },
        .limit = L(Input::SocialSecuritySoFar)},
    Option{.name = "--spouse-wages",
           .valueName = "AMOUNT",
           .help = "joint return: the spouse's wages for the year\n(default 0)",
           .examples = "30,000",
           .section = Section::Year,
           .apply = [](S& s, N n, V v) { s.year.spouse.wages = yearAmount(s, Input::SpouseWages, n, v); },
           .limit = L(Input::SpouseWages)},
    Option{.name = "--spouse-withheld",
           .valueName = "AMOUNT",
           .help = "joint return: the spouse's federal tax withheld\nfor the year (default 0)",
           .examples = "3,500",
           .section = Section::Year,
           .apply = [](S& s, N n, V v) { s.year.spouse.withholding = yearAmount(s, Input::SpouseWithholding, n, v); },
           .limit = L(Input::SpouseWithholding)},
    Option{.name = "--json",
           .help = "one JSON object, amounts as four-decimal texts and rates\nas percent texts (\"17.56\")",
           .section = Section::Year,
           .apply = [](S& s, N, V) { s.year.json = true; }},
    Option{.name = "--help",
           .help = "print the help and do nothing else",
           .section = Section::Every,
           .apply = [](S& s, N, V) { s.help = true; },
           .alias = "-h"},
};

// Bare: a command that takes no argument, only the help option.
enum class Command { Calc, Batch, Year, Bare };

bool takes(Command c, Section s)
{
    if (s == Section::Every) return true;
    switch (c) {
    case Command::Bare: return false;
    case Command::Batch: return s == Section::Batch;
    case Command::Year: return s == Section::Year || s == Section::Calc || s == Section::State || s == Section::Local;
    default: return s != Section::Batch && s != Section::Year;
    }
}

// The option of a command by name; `year`'s own rows come first, so its
// --json is its own.
const Option* findOption(std::string_view name, Command c)
{
    const Option* found = nullptr;
    for (const Option& o : kOptions)
        if (!o.name.empty() && (o.name == name || (!o.alias.empty() && o.alias == name)) && takes(c, o.section) &&
            (!found || o.section == Section::Year))
            found = &o;
    return found;
}

// ---- Help -------------------------------------------------------------

constexpr std::string_view kSummary = "Pay calculator for one pay period on the withholding rules of tax year 2000.";

const std::array kCommands = {
    CommandInfo{"calc", "", "[OPTIONS]", "compute one pay period and print the result grid"},
    CommandInfo{"states", "", "", "list the states, their calculators and state options"},
    CommandInfo{"batch", "", "[FILE] [OPTIONS]", "JSON Lines in (FILE or standard input), JSON Lines out"},
    CommandInfo{"year", "", "[OPTIONS]",
            "tax year 2000 from one pay period: refund or balance due\n"
            "and the allowances to claim (wagemark-cli year --help)"},
    CommandInfo{"help", "", "", "print this help: every option, with examples"},
    CommandInfo{"--version", "-V", "", "print the version"},
};

const std::array kExamples = {
    Example{"One weekly pay period, single, one allowance",
            "wagemark-cli calc --income 1000 --frequency weekly --status single --exemptions 1"},
    Example{"Where did the state amount come from?",
            "wagemark-cli calc --income 2500 --frequency monthly --state \"New Mexico\" --explain"},
    Example{"A 401(k) of 6 %, also excluded from state wages; the batch output object",
            "wagemark-cli calc --income 1000 --state Kansas --401k 6 --state-401k --json"},
    Example{"A $2,000 bonus with that paycheck, withheld at the flat rate",
            "wagemark-cli calc --income 1000 --frequency weekly --status single --exemptions 1 --bonus 2000 "
            "--bonus-method flat"},
    Example{"This paycheck in every state, the highest check first",
            "wagemark-cli calc --income 1000 --frequency weekly --status single --state Kansas --all-states"},
    Example{"A 401(k) of 10 % instead of 5 %: before, after and the difference",
            "wagemark-cli calc --income 1000 --frequency weekly --status single --401k 5 --vs --401k 10"},
    Example{"One batch line from standard input",
            "echo '{\"id\":1,\"txtIncome\":\"1000\",\"HowOft\":0,\"intState\":27}' | wagemark-cli batch"},
    Example{"The refund or balance due of the year, and the allowances to claim",
            "wagemark-cli year --income 1000 --frequency weekly --status single --exemptions 1"},
    Example{"Halfway through the year with $3,000 withheld so far: what to claim for the rest",
            "wagemark-cli year --income 1000 --frequency weekly --status single --exemptions 1 --paid 26 "
            "--withheld-so-far 3000"},
};

constexpr std::string_view kYearHeader = R"(Usage: wagemark-cli year [OPTIONS]

Tax year 2000: the paychecks paid so far (--paid and what they paid) and the
paychecks left, each like this one. The year's withholding (a spouse's job on
a joint return included), Social Security up to the $76,200 wage base, the
Form 1040 income tax with its effective and marginal rates, the refund or
balance due, and the allowance count to claim on Form W-4 for the paychecks
left.

Figures so far that no paychecks like this one could have paid are refused:
tax withheld above the wages so far, Social Security above its rate times
the wages so far up to the base.

)";

// The examples, or (`year`) those of one command.
void exampleLines(std::string& out, std::string_view only = {})
{
    std::string lines;
    int count = 0;
    for (const Example& e : kExamples)
        if (only.empty() || e.line.rfind(only, 0) == 0) {
            lines.append("  ").append(e.line).append("\n");
            ++count;
        }
    out.append(count == 1 ? "\nExample:\n" : "\nExamples:\n").append(lines);
}

// "  calc [OPTIONS]           compute ..." with the help's continuation lines.
void commandLines(std::string& out)
{
    out += "Commands:\n";
    for (const CommandInfo& c : kCommands) {
        std::string head = "  ";
        if (!c.alias.empty()) head.append(c.alias).append(", ");
        head += c.name;
        if (!c.args.empty()) head.append(" ").append(c.args);
        head.resize(std::max<std::size_t>(head.size() + 2, 27), ' ');
        const std::size_t br = c.help.find('\n');
        out += head;
        out += c.help.substr(0, br);
        out += '\n';
        if (br != std::string_view::npos) out.append(27, ' ').append(c.help.substr(br + 1)).append("\n");
    }
}

}  // namespace

std::string_view sectionTitle(Section s)
{
    switch (s) {
    case Section::Calc: return "Options of calc:";
    case Section::State: return "State options (see \"wagemark-cli states\" for which state reads which):";
    case Section::Local: return "Local tax:";
    case Section::Bonus: return "Bonus check (state and local tax on a bonus are always by the aggregate method):";
    case Section::Output: return "Output:";
    case Section::Batch: return "Options of batch:";
    case Section::Year: return "Options of year (it also takes those of calc, but not Output):";
    case Section::Every: return "Options of every command:";
    }
    return "";
}

bool commandTakes(std::string_view command, Section s)
{
    if (command == "calc") return takes(Command::Calc, s);
    if (command == "batch") return takes(Command::Batch, s);
    if (command == "year") return takes(Command::Year, s);
    return takes(Command::Bare, s);
}

namespace {

// ", e.g. 3, .03" with values that hold blanks or separators quoted.
std::string examplesText(std::string_view examples)
{
    if (examples.empty()) return {};
    std::string out = ", e.g. ";
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = examples.find('|', start);
        const std::string_view e = examples.substr(start, bar == std::string_view::npos ? bar : bar - start);
        if (start != 0) out += ", ";
        const bool quote = e.find_first_of(" ,$") != std::string_view::npos;
        if (quote) out += '"';
        out += e;
        if (quote) out += '"';
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    return out;
}

// ", 0..99" beside a batch key; ", A..E"; ", one of 125, ... or 301".
std::string keyRange(const InputLimit& l)
{
    switch (l.unit) {
    case InputUnit::Amount: return {};
    case InputUnit::Code: {
        std::string out = ", one of";
        for (const std::int16_t c : l.codes) out += " " + std::to_string(c);
        return out;
    }
    default: return ", " + std::to_string(l.lo) + ".." + std::to_string(l.hi);
    }
}

// "; 0 to 99" for an input with a range; amounts up to their top where it
// is their own (the money range is said once, above).
std::string rangeText(const Option& o)
{
    if (!o.limit) return {};
    switch (o.limit->unit) {
    case InputUnit::Amount: return o.limit->top == kAmountTop ? "" : "; up to " + formatAmount(o.limit->top);
    case InputUnit::Letter: return {};  // the value name says A..E
    case InputUnit::Code: return {};    // the examples and completion list them
    default: return "; " + std::to_string(o.limit->lo) + " to " + std::to_string(o.limit->hi);
    }
}

void optionLine(std::string& out, const Option& o)
{
    std::string head = "  ";
    if (!o.alias.empty()) head.append(o.alias).append(", ");
    head += o.name;
    if (!o.valueName.empty()) head.append(" ").append(o.valueName);
    head.resize(std::max<std::size_t>(head.size() + 2, 26), ' ');
    const std::size_t br = o.help.find('\n');
    out += head;
    out += o.help.substr(0, br);
    if (br != std::string_view::npos) {
        out += '\n';
        out.append(26, ' ');
        out += o.help.substr(br + 1);
    }
    out += rangeText(o);
    out += examplesText(o.examples);
    out += '\n';
}

// "txtIncome (--income), HowOft (--frequency, 0..3), ..." wrapped.
void batchKeys(std::string& out)
{
    out += "\nKeys of a batch line (all optional; amounts as texts, codes as JSON numbers):\n";
    std::vector<std::string> items;
    for (const Option& o : kOptions) {
        if (o.batchKey.empty()) continue;
        std::string item = std::string(o.batchKey) + " (";
        item += o.name.empty() ? o.help : o.name;
        if (o.limit && o.batchType == BatchType::Number)
            item += ", " + formatPlain(o.limit->lo / 100.0) + ".." + formatPlain(o.limit->hi / 100.0);
        else if (o.limit)
            item += keyRange(*o.limit);
        items.push_back(item + ")");
    }
    std::string line = " ";
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string item = items[i] + (i + 1 < items.size() ? "," : "");
        if (line.size() + 1 + item.size() > 90) {
            out += line + "\n";
            line = " ";
        }
        line += " " + item;
    }
    out += line + "\n";
    out += "  settings holds stored settings by section and key: {\"StateInfo\": {\"staDeps\": \"2\"}}\n";
}

}  // namespace

std::span<const Option> options() { return kOptions; }
std::span<const CommandInfo> commands() { return kCommands; }
std::span<const Example> examples() { return kExamples; }
std::string_view toolSummary() { return kSummary; }

namespace {

// The first factor (of a fixed sequence) that puts no two keys in one slot.
BatchKeyTable makeBatchKeyTable()
{
    BatchKeyTable t;
    std::uint64_t factor = 0x9E3779B97F4A7C15u;
    for (int attempt = 0; attempt < 1 << 16; ++attempt, factor += 0x2545F4914F6CDD1Eu) {
        t = BatchKeyTable{};
        t.factor = factor | 1;
        bool apart = true;
        for (const Option& o : kOptions) {
            if (o.batchKey.empty()) continue;
            if (o.batchKey.size() > 16) throw std::logic_error("a batch key longer than 16 bytes");
            const KeyWords w = keyWords(o.batchKey);
            BatchKeySlot& slot = t.slots[batchKeySlot(w, o.batchKey.size(), t.factor)];
            apart = apart && !slot.row;
            // A key of codes has no run of values to pass unchecked: each goes to the reader.
            const bool run = o.limit && o.limit->unit != InputUnit::Code;
            slot = {w, static_cast<std::uint32_t>(o.batchKey.size()), o.batchType, run ? o.limit->lo : 1,
                    run ? o.limit->hi : 0, &o};
        }
        if (apart) return t;
    }
    throw std::logic_error("the batch keys cannot be told apart by their words");
}

}  // namespace

const BatchKeyTable& batchKeyTable()
{
    static const BatchKeyTable table = makeBatchKeyTable();
    return table;
}

const Option* findBatchKey(std::string_view key)
{
    const BatchKeyTable& t = batchKeyTable();
    const KeyWords w = keyWords(key);
    const BatchKeySlot& s = t.slots[batchKeySlot(w, key.size(), t.factor)];
    return isSlotKey(s, w, key.size()) ? static_cast<const Option*>(s.row) : nullptr;
}

std::string yearUsageText()
{
    std::string out(kYearHeader);
    out += sectionTitle(Section::Year);
    out += '\n';
    for (const Option& o : kOptions)
        if (o.section == Section::Year) optionLine(out, o);
    out.append("\n").append(sectionTitle(Section::Every)).append("\n");
    for (const Option& o : kOptions)
        if (o.section == Section::Every) optionLine(out, o);
    exampleLines(out, "wagemark-cli year");
    return out;
}

std::string usageText()
{
    std::string out = "Usage: wagemark-cli COMMAND [OPTIONS]\n\n";
    out.append(kSummary).append("\n\n");
    commandLines(out);
    out += "\nAmounts are from 0 to " + formatAmount(kAmountTop) +
           " (below a trillion dollars, so a year of them\ncomputes); other ranges stand beside their options.\n";
    std::optional<Section> section;
    for (const Option& o : kOptions) {
        if (o.name.empty()) continue;
        if (o.section != section) {
            out += section ? "" : "\n";
            out += sectionTitle(o.section);
            out += '\n';
            section = o.section;
        }
        optionLine(out, o);
    }
    batchKeys(out);
    exampleLines(out);
    return out;
}

namespace {

// A word that is an option, not a value: "--json", "-h"; but "-" (standard
// input) and "-5" or "-.5" (negative numbers) are values.
bool isOptionWord(std::string_view w)
{
    return w.size() >= 2 && w[0] == '-' && (w[1] == '-' || std::isalpha(static_cast<unsigned char>(w[1])));
}

// A word that is not an option: batch's FILE, and for the others a refusal.
void argument(ParseState& s, const std::string& word, Command command, std::string_view name, bool& file)
{
    const std::string cmd(name);
    if (command == Command::Bare) throw UsageError{cmd + " takes no arguments, got " + quoted(word)};
    if (command != Command::Batch) throw UsageError{cmd + " takes options only, got " + quoted(word)};
    if (file) throw UsageError{"batch takes at most one FILE, got " + quoted(s.batch.file) + " and " + quoted(word)};
    if (word.empty()) throw UsageError{"batch: the FILE name is empty (give - or none for standard input)"};
    s.batch.file = word;
    file = true;
}

// The value of option `o` written as `word` (with "--name=" inline) or
// as the next word, args[i + 1].
std::string optionValue(const Option& o, const std::string& word, const std::vector<std::string>& args, std::size_t& i)
{
    const std::string name(o.name);
    if (const auto eq = word.find('='); word.rfind("--", 0) == 0 && eq != std::string::npos) {
        if (o.valueName.empty()) throw UsageError{name + ": takes no value, got " + quoted(word.substr(eq + 1))};
        return word.substr(eq + 1);
    }
    if (o.valueName.empty()) return {};
    if (i + 1 >= args.size()) throw UsageError{name + ": missing value"};
    // "--statement --json" is a forgotten file name, not a file named --json.
    if (isOptionWord(args[i + 1]))
        throw UsageError{name + ": expected " + std::string(o.valueName) + ", got the option " + quoted(args[i + 1])};
    return args[++i];
}

// Options (with "--name VALUE" or "--name=VALUE") and, for batch, one FILE,
// until -h or --help.
void parse(ParseState& s, const std::vector<std::string>& args, std::size_t first, Command command,
           std::string_view commandName)
{
    // -h or --help anywhere asks for the help, whatever else the line holds.
    for (std::size_t i = first; i < args.size(); ++i)
        if (args[i] == "-h" || args[i] == "--help") {
            s.help = true;
            return;
        }
    bool file = false;
    std::map<const Option*, std::string> given;  // each option's value, to refuse a second one
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.empty() || word[0] != '-' || word == "-") {
            argument(s, word, command, commandName, file);
            continue;
        }
        const Option* o = findOption(word.substr(0, word.rfind("--", 0) == 0 ? word.find('=') : word.npos), command);
        if (!o && command == Command::Year)
            if (const Option* calcOnly = findOption(word.substr(0, word.find('=')), Command::Calc);
                calcOnly && calcOnly->section == Section::Bonus)
                throw UsageError{std::string(calcOnly->name) +
                                 ": year counts regular paychecks only; a bonus is calc's (see wagemark-cli help)"};
        if (!o)
            throw UsageError{"unknown option " + quoted(word) + " for " + std::string(commandName) + " (see " +
                             (command == Command::Year ? "wagemark-cli year --help)" : "wagemark-cli help)")};
        const std::string value = optionValue(*o, word, args, i);
        if (!o->valueName.empty() && !o->many) {
            const auto [before, fresh] = given.emplace(o, value);
            if (!fresh)
                throw UsageError{std::string(o->name) + ": given more than once (" + quoted(before->second) +
                                 " and " + quoted(value) + ")"};
        }
        o->apply(s, o->name, value);
        if (o->stateOption) s.stateOptions.push_back(o);
    }
}

// What the options of one pay period mean together, whatever their order.
void finishRequest(ParseState& s)
{
    CalcRequest& q = s.o.request;
    // A state option the chosen state's calculator does not read would do
    // nothing: refused, as the state options dialog does not offer it.
    if (const auto part = partAboveIncome(q.input.txtIncome, q.input.txtPreTax, q.input.txtPreFICA)) {
        const bool preTax = *part == Input::PreTax;
        throw UsageError{std::string(preTax ? "--pretax" : "--prefica") + ": expected at most the income (" +
                         q.input.txtIncome + "), got " + quoted(preTax ? q.input.txtPreTax : q.input.txtPreFICA)};
    }
    const StateEntry& state = stateAt(q.intState);
    for (const Option* o : s.stateOptions)
        if (!(state.options & o->stateOption))
            throw UsageError{std::string(o->name) + ": " + std::string(state.name) +
                             " does not read this option (see wagemark-cli states)"};
    if (s.localRate && !s.localBase) q.SPtx = 1;
}

// A bonus is one paycheck's: what shows or compares other paychecks does
// not take it. (Each such option gets its row here.)
void finishBonus(const ParseState& s)
{
    const CalcRequest& q = s.o.request;
    if (!q.bonus) {
        if (!s.bonusEntry.empty()) throw UsageError{std::string(s.bonusEntry) + ": needs --bonus AMOUNT"};
        return;
    }
    const std::pair<bool, std::string_view> notWithBonus[] = {
        {!s.o.statement.empty(), "--statement (the pay statement is of the regular paycheck)"},
        {!s.o.hours.empty(), "--hours (the hourly pay is of the regular paycheck)"},
        {s.o.allStates, "--all-states (a bonus is one paycheck's, not every state's)"},
    };
    for (const auto& [given, what] : notWithBonus)
        if (given) throw UsageError{"--bonus: not with " + std::string(what)};
}

}  // namespace

namespace {

// The words of one option with its value (one word for anything else), and
// the option when it is one of calc's.
struct Given {
    const Option* option = nullptr;
    std::vector<std::string> words;
};

std::vector<Given> givenWords(const std::vector<std::string>& args, std::size_t from, std::size_t to)
{
    std::vector<Given> out;
    for (std::size_t i = from; i < to; ++i) {
        const std::string& w = args[i];
        Given g{nullptr, {w}};
        if (isOptionWord(w)) g.option = findOption(w.substr(0, w.rfind("--", 0) == 0 ? w.find('=') : w.npos), Command::Calc);
        if (g.option && !g.option->valueName.empty() && w.find('=') == std::string::npos && i + 1 < to)
            g.words.push_back(args[++i]);
        out.push_back(std::move(g));
    }
    return out;
}

// A switch of the pay period turned off: "--no-self-employed" for "--self-employed".
const Option* switchedOff(const std::string& word)
{
    if (word.rfind("--no-", 0) != 0) return nullptr;
    const Option* o = findOption("--" + word.substr(5), Command::Calc);
    return o && o->valueName.empty() && (o->section == Section::Calc || o->section == Section::State) ? o : nullptr;
}

ParseState parsedCalc(const std::vector<std::string>& args, bool pdf)
{
    ParseState s;
    s.pdf = pdf;
    parse(s, args, 0, Command::Calc, "calc");
    s.o.help = s.help;
    if (!s.help) finishRequest(s);
    return s;
}

// calc OPTIONS --vs OPTIONS: the second list is the first with each option
// given again replaced, each switch named by its --no- form taken away, and
// a state option the new state does not read left behind.
CalcOptions parseVersus(const std::vector<std::string>& args, std::size_t first, std::size_t vs, bool pdf)
{
    if (std::find(args.begin() + static_cast<std::ptrdiff_t>(vs) + 1, args.end(), "--vs") != args.end())
        throw UsageError{"--vs: given more than once (it compares two lists of options)"};
    std::vector<std::string> before(args.begin() + static_cast<std::ptrdiff_t>(first),
                                    args.begin() + static_cast<std::ptrdiff_t>(vs));
    ParseState s = parsedCalc(before, pdf);
    std::vector<Given> carried = givenWords(args, first, vs), changes;
    for (Given& g : givenWords(args, vs + 1, args.size())) {
        const Option* off = switchedOff(g.words[0]);
        const Option* replaced = off ? off : g.option;
        if (replaced && !replaced->many)
            std::erase_if(carried, [&](const Given& c) { return c.option == replaced; });
        if (!off) changes.push_back(std::move(g));
    }
    auto words = [&](bool dropUnread, int state) {
        std::vector<std::string> w;
        for (const auto* list : {&carried, &changes})
            for (const Given& g : *list)
                if (!(dropUnread && list == &carried && g.option && g.option->stateOption &&
                      !(stateAt(state).options & g.option->stateOption)))
                    w.insert(w.end(), g.words.begin(), g.words.end());
        return w;
    };
    // The new state is known once the lists are read together.
    ParseState probe;
    probe.pdf = pdf;
    parse(probe, words(false, 0), 0, Command::Calc, "calc");
    ParseState a = parsedCalc(words(true, probe.o.request.intState), pdf);
    if (a.o.allStates) throw UsageError{"--all-states: one row per state; --vs compares two results"};
    if (a.o.explain) throw UsageError{"--vs: compares two results; --explain explains one"};
    if (!a.o.statement.empty()) throw UsageError{"--vs: compares two results; --statement prints one"};
    if (a.o.request.bonus || s.o.request.bonus)
        throw UsageError{"--bonus: not with --vs (a bonus is one paycheck's, not a comparison)"};
    CalcOptions o = std::move(a.o);
    o.after = std::move(o.request);
    o.request = std::move(s.o.request);
    return o;
}

}  // namespace

CalcOptions parseCalc(const std::vector<std::string>& args, std::size_t first, bool pdf)
{
    for (std::size_t i = first; i < args.size(); ++i)
        if (args[i] == "--vs" && std::none_of(args.begin(), args.end(), [](const std::string& w) {
                return w == "-h" || w == "--help";
            }))
            return parseVersus(args, first, i, pdf);
    ParseState s;
    s.pdf = pdf;
    parse(s, args, first, Command::Calc, "calc");
    s.o.help = s.help;
    if (!s.help) {
        finishRequest(s);
        finishBonus(s);
    }
    if (s.o.allStates && (s.o.explain || !s.o.statement.empty()))
        throw UsageError{std::string("--all-states: one row per state; ") +
                         (s.o.explain ? "--explain" : "--statement") + " takes one state"};
    return std::move(s.o);
}

YearOptions parseYear(const std::vector<std::string>& args, std::size_t first)
{
    ParseState s;
    parse(s, args, first, Command::Year, "year");
    s.year.help = s.help;
    if (!s.help) finishRequest(s);
    s.year.request = std::move(s.o.request);
    return std::move(s.year);
}

BatchOptions parseBatch(const std::vector<std::string>& args, std::size_t first)
{
    ParseState s;
    parse(s, args, first, Command::Batch, "batch");
    s.batch.help = s.help;
    return s.batch;
}

bool parseBare(const std::vector<std::string>& args, std::size_t first, std::string_view command)
{
    ParseState s;
    parse(s, args, first, Command::Bare, command);
    return s.help;
}

}  // namespace wm::cli
