// Every key of every interface, once: a `calc` option (each alias of its
// values), a batch key (as written and with an escape in its name) and a
// saved setting the calculator loads, each through its real reader and a
// Calculate, must land in the same pay-record field with the same value.
// Values at both ends of an input's range come from the table of input
// limits.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "cli/compute.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "forms/main/main_support.h"
#include "states/registry.h"

namespace wm {
namespace {

using Field = std::string (*)(const PayRecord&);
std::string money(Currency c) { return formatFixed4(c); }
std::string whole(std::int64_t n) { return std::to_string(n); }

// The state a state option needs, as each interface chooses it.
struct Context {
    const char* state;  // --state NAME; "" for none
    int index;
};
constexpr Context kNone{"", 0};

struct KeyRow {
    const char* what;
    Context context;
    const char* option;  // calc option; null where calc has none
    const char* value;   // its value; null for a switch
    const char* key;     // batch key; null where a line has none
    const char* json;    // its JSON value
    const char* section; // saved setting; null where none is kept
    const char* setting;
    const char* saved;
    Field field;
    const char* expected;  // the field after the Calculate command
    const char* income = "1000";
};

std::string top() { return formatPlain(kAmountTop); }  // 999999999999.99
const std::string kTop = top();

const Field kSSBase = [](const PayRecord& r) { return money(r.SSBase); };
const Field kPercent = [](const PayRecord& r) { return formatPlain(r.PerCent401k); };
const Field kPreTax = [](const PayRecord& r) { return money(r.PreTax); };
const Field kPreFica = [](const PayRecord& r) { return money(r.SSEmp); };
const Field kDeps = [](const PayRecord& r) { return whole(r.DepsNumber) + " " + money(r.amtDed); };
const Field kFica = [](const PayRecord& r) { return money(r.amtFICA); };
const Field kFreq = [](const PayRecord& r) { return whole(r.HowOft) + " " + whole(r.Freq); };
const Field kStatus = [](const PayRecord& r) { return whole(r.valMarried); };
const Field kState = [](const PayRecord& r) { return whole(r.intState); };
const Field kSMarried = [](const PayRecord& r) { return whole(r.intSMarried); };
const Field kRate = [](const PayRecord& r) { return whole(r.StateRate); };
const Field kStateDeps = [](const PayRecord& r) { return whole(r.StateDeps); };
const Field kILDeps = [](const PayRecord& r) { return whole(r.ILINDeps); };
const Field kStateExmp = [](const PayRecord& r) { return whole(r.StateExmp); };
const Field kMethod = [](const PayRecord& r) { return whole(r.Method); };
const Field kStateAdd = [](const PayRecord& r) { return money(r.StateAdd); };
const Field kLocalRate = [](const PayRecord& r) { return formatPlain(r.SPval); };
const Field kLocalBase = [](const PayRecord& r) { return whole(r.SPtx); };
const Field kState401k = [](const PayRecord& r) { return money(r.Samt401k); };
const Field kStatePreTax = [](const PayRecord& r) { return money(r.StaPreTax); };
const Field kMissPart = [](const PayRecord& r) { return money(r.persExmpMiss); };
// Of the bonus alone (a row whose key names a bonus entry gets a bonus of 2,000 and a 401(k) of 5 %).
const Field kBonusFed = [](const PayRecord& r) { return money(r.fTax); };
const Field kBonus401k = [](const PayRecord& r) { return money(r.amt401k); };
const Field kBonusSS = [](const PayRecord& r) { return money(r.amtSS); };
bool withBonus(const char* name) { return name && std::string_view(name).find("onus") != std::string_view::npos; }

constexpr Context kGeorgia{"Georgia", 9}, kIllinois{"Illinois", 12}, kLouisiana{"Louisiana", 17},
    kCalifornia{"California", 4}, kConnecticut{"Connecticut", 6}, kNewJersey{"New Jersey", 26},
    kMaryland{"Maryland", 19}, kKansas{"Kansas", 15}, kMississippi{"Mississippi", 23},
    kMassachusetts{"Massachusetts", 20}, kAlabama{"Alabama", 1};

const std::vector<KeyRow>& rows()
{
    static const std::vector<KeyRow> all = [] {
        std::vector<KeyRow> v = {
            {"income", kNone, "--income", "1,250.00", "txtIncome", "\"1,250.00\"", "Settings", "IncAmt", "1,250.00",
             kSSBase, "1250.0000", "1,250.00"},
            {"income at the bottom", kNone, "--income", "0", "txtIncome", "\"0\"", "Settings", "IncAmt", "0", kSSBase,
             "0.0000", "0"},
            {"401(k) as a percentage", kNone, "--401k", "5", "txt401k", "\"5\"", "Settings", "401k", "0.05", kPercent,
             "0.05"},
            {"401(k) as a fraction", kNone, "--401k", "0.05", "txt401k", "\"0.05\"", "Settings", "401k", "0.05",
             kPercent, "0.05"},
            // Kept and shown without an exponent, so it reads back.
            {"401(k) below a hundredth of a percent", kNone, "--401k", "0.00005", "txt401k", "\"0.00005\"",
             "Settings", "401k", "0.00005", kPercent, "0.00005"},
            {"401(k) at the bottom", kNone, "--401k", "0", "txt401k", "\"0\"", "Settings", "401k", "0", kPercent, "0"},
            // The calculator refuses 100 % (no FICA would be paid), so no
            // setting keeps it.
            {"401(k) at the top", kNone, "--401k", "100", "txt401k", "\"100\"", nullptr, nullptr, nullptr, kPercent,
             "1"},
            {"pre-tax", kNone, "--pretax", "50", "txtPreTax", "\"50\"", "Settings", "NotTax", "50", kPreTax,
             "50.0000"},
            {"pre-tax at the bottom", kNone, "--pretax", "0", "txtPreTax", "\"0\"", "Settings", "NotTax", "0",
             kPreTax, "0.0000"},
            {"pre-FICA", kNone, "--prefica", "25", "txtPreFICA", "\"25\"", "Settings", "SSExmp", "25", kPreFica,
             "25.0000"},
            {"pre-FICA at the bottom", kNone, "--prefica", "0", "txtPreFICA", "\"0\"", "Settings", "SSExmp", "0",
             kPreFica, "0.0000"},
            {"allowances", kNone, "--exemptions", "2", "DepsNumber", "2", "Settings", "Deps", "2", kDeps,
             "2 215.3800"},
            {"allowances at the bottom", kNone, "--exemptions", "0", "DepsNumber", "0", "Settings", "Deps", "0", kDeps,
             "0 0.0000"},
            {"allowances at the calculator's top", kNone, "--exemptions", "15", "DepsNumber", "15", "Settings", "Deps",
             "15", kDeps, "15 1615.3500"},
            {"allowances at the top", kNone, "--exemptions", "99", "DepsNumber", "99", nullptr, nullptr, nullptr,
             kDeps, "99 10661.3100"},
            {"self-employed", kNone, "--self-employed", nullptr, "chkSelfEmployed", "true", "Settings", "Self", "-1",
             kFica, "153.0000"},
            {"employee", kNone, nullptr, nullptr, "chkSelfEmployed", "false", "Settings", "Self", "0", kFica,
             "76.5000"},
            {"married", kNone, "--status", "married", "valMarried", "0", "Settings", "MaritalStat", "0", kStatus, "0"},
            {"married by number", kNone, "--status", "0", "valMarried", "0", nullptr, nullptr, nullptr, kStatus, "0"},
            {"single", kNone, "--status", "Single", "valMarried", "1", "Settings", "MaritalStat", "1", kStatus, "1"},
            {"single by number", kNone, "--status", "1", "valMarried", "1", nullptr, nullptr, nullptr, kStatus, "1"},
            {"married at the single rate", kNone, "--status", "married-single", "valMarried", "2", nullptr, nullptr,
             nullptr, kStatus, "2"},
            {"married at the single rate by number", kNone, "--status", "2", "valMarried", "2", nullptr, nullptr,
             nullptr, kStatus, "2"},
            // The calculator's own third option withholds at the single rate.
            {"saved status 2", kNone, nullptr, nullptr, nullptr, nullptr, "Settings", "MaritalStat", "2", kStatus,
             "1"},
            {"state by name", kNone, "--state", "New York", "intState", "28", "Settings", "State", "28", kState, "28"},
            {"state by calculator", kNone, "--state", "newyork", "intState", "28", nullptr, nullptr, nullptr, kState,
             "28"},
            {"state by index", kNone, "--state", " 28 ", "intState", "28", nullptr, nullptr, nullptr, kState, "28"},
            {"state spelled right", kNone, "--state", "Massachusetts", "intState", "20", nullptr, nullptr, nullptr,
             kState, "20"},
            {"state as listed", kNone, "--state", "massachusettes", "intState", "20", nullptr, nullptr, nullptr,
             kState, "20"},
            {"district in full", kNone, "--state", "District of Columbia", "intState", "8", nullptr, nullptr, nullptr,
             kState, "8"},
            {"district as listed", kNone, "--state", "Dist of Columbia", "intState", "8", "Settings", "State", "8",
             kState, "8"},
            {"no state", kNone, "--state", "No State", "intState", "0", "Settings", "State", "0", kState, "0"},
            {"last state", kNone, "--state", "41", "intState", "41", "Settings", "State", "41", kState, "41"},
            {"state filing status at the bottom", kGeorgia, "--state-status", "0", "intSMarried", "0", "StateInfo",
             "staMarried", "0", kSMarried, "0"},
            {"state filing status at the top", kCalifornia, "--state-status", "9", "intSMarried", "9", "StateInfo",
             "staMarried", "9", kSMarried, "9"},
            {"state dependents at the bottom", kGeorgia, "--state-deps", "0", "StateDeps", "0", "StateInfo",
             "staDeps", "0", kStateDeps, "0"},
            {"state dependents at the top", kGeorgia, "--state-deps", "99", "StateDeps", "99", "StateInfo", "staDeps",
             "99", kStateDeps, "99"},
            // Massachusetts reads its dependents from the saved setting.
            {"state dependents read from the setting", kMassachusetts, "--state-deps", "3", "StateDeps", "3",
             "StateInfo", "staDeps", "3", kStateDeps, "3"},
            {"second dependents at the bottom", kIllinois, "--il-deps", "0", "ILINDeps", "0", "StateInfo", "ILINDeps",
             "0", kILDeps, "0"},
            {"second dependents at the top", kIllinois, "--il-deps", "99", "ILINDeps", "99", "StateInfo", "ILINDeps",
             "99", kILDeps, "99"},
            {"state exemptions at the bottom", kLouisiana, "--state-exemptions", "0", "StateExmp", "0", "StateInfo",
             "staExmp", "0", kStateExmp, "0"},
            {"state exemptions at the top", kLouisiana, "--state-exemptions", "99", "StateExmp", "99", "StateInfo",
             "staExmp", "99", kStateExmp, "99"},
            // California reads its estimated deductions from the saved setting.
            {"state exemptions read from the setting", kCalifornia, "--state-exemptions", "3", "StateExmp", "3",
             "StateInfo", "staExmp", "3", kStateExmp, "3"},
            {"additional state withholding", kKansas, "--state-add", "5", "StateAdd", "\"5\"", "StateInfo", "staAdd",
             "5", kStateAdd, "5.0000"},
            {"additional state withholding at the bottom", kKansas, "--state-add", "0", "StateAdd", "\"0\"",
             "StateInfo", "staAdd", "0", kStateAdd, "0.0000"},
            {"local rate as a percentage", kNone, "--local-rate", "3", "SPval", "0.03", "Settings", "Local", "0.03",
             kLocalRate, "0.03"},
            {"local rate as a fraction", kNone, "--local-rate", ".03", "SPval", "0.03", nullptr, nullptr, nullptr,
             kLocalRate, "0.03"},
            {"local rate at the bottom", kNone, "--local-rate", "0", "SPval", "0", "Settings", "Local", "0",
             kLocalRate, "0"},
            {"local rate at the top", kNone, "--local-rate", "100", "SPval", "1", "Settings", "Local", "1", kLocalRate,
             "1"},
            {"no local base", kNone, "--local-base", "0", "SPtx", "0", "Settings", "ApplyTo", "0", kLocalBase, "0"},
            {"401(k) also off the state wages", kKansas, "--state-401k", nullptr, "settings",
             R"({"StateInfo":{"sta401":"Y"},"Settings":{}})", "StateInfo", "sta401", "Y", kState401k, "60.0000"},
            {"pre-tax also off the state wages", kKansas, "--state-pretax", nullptr, "settings",
             R"({"StateInfo":{"staPreTax":"Y"}})", "StateInfo", "staPreTax", "Y", kStatePreTax, "50.0000"},
            {"Mississippi's part of the spouse exemption", kMississippi, "--miss-part", "6000", "settings",
             R"({"StateInfo":{"missPart":"6000"}})", "StateInfo", "missPart", "6000", kMissPart, "6000.0000"},
            {"bonus", kNone, "--bonus", "2,000", "txtBonus", "\"2,000\"", nullptr, nullptr, nullptr, kSSBase,
             "2000.0000"},
            // Biweekly married, 401(k) 5 %: (2,850 - 1,862) x 28 % + 242.10 less (950 - 248) x 15 %;
            // flat: 28 % of 1,900.
            {"bonus by the aggregate method", kNone, "--bonus-method", "aggregate", "BonusMethod", "0", nullptr,
             nullptr, nullptr, kBonusFed, "413.4400"},
            {"bonus by the flat rate", kNone, "--bonus-method", "Flat", "BonusMethod", "1", nullptr, nullptr, nullptr,
             kBonusFed, "532.0000"},
            {"bonus without the 401(k)", kNone, "--bonus-no-401k", nullptr, "chkBonus401k", "false", nullptr, nullptr,
             nullptr, kBonus401k, "0.0000"},
            {"bonus with the 401(k)", kNone, nullptr, nullptr, "chkBonus401k", "true", nullptr, nullptr, nullptr,
             kBonus401k, "100.0000"},
            {"Social Security wages before the bonus", kNone, "--bonus-ss-wages-so-far", "75,000", "txtBonusSSWages",
             "\"75,000\"", nullptr, nullptr, nullptr, kBonusSS, "74.4000"},
            {"any setting", kMassachusetts, "--setting", "StateInfo/staDeps=2", "settings",
             R"({"StateInfo":{"staDeps":"2"}})", "StateInfo", "staDeps", "2", kStateDeps, "2"},
        };
        // Each frequency by every name it has.
        const std::pair<const char*, int> frequencies[] = {
            {"weekly", 0}, {"semimonthly", 1}, {"semi-monthly", 1}, {"twice-a-month", 1}, {"biweekly", 2},
            {"bi-weekly", 2}, {"every-two-weeks", 2}, {"monthly", 3}, {"Monthly", 3}, {"0", 0}, {"1", 1},
            {"2", 2}, {"3", 3}};
        static const char* kFreqText[] = {"0 52", "1 24", "2 26", "3 12"};
        static const char* kNum[] = {"0", "1", "2", "3"};
        for (const auto& [name, code] : frequencies)
            v.push_back({"frequency", kNone, "--frequency", name, "HowOft", kNum[code], "Settings", "Frequency",
                         kNum[code], kFreq, kFreqText[code]});
        // Each rate letter, either case, and its number.
        static const char* kLetters[] = {"A", "b", "C", "d", "E"};
        static const char* kRates[] = {"0", "1", "2", "3", "4"};
        for (int i = 0; i < 5; ++i)
            for (const char* value : {kLetters[i], kRates[i]})
                v.push_back({"rate", i < 4 ? kConnecticut : kNewJersey, "--state-rate", value, "StateRate", kRates[i],
                             "StateInfo", "staRate", kRates[i], kRate, kRates[i]});
        // Each county rate as listed and in hundredths of a percent.
        static std::vector<std::string> counties, codes;
        for (const ListItem& c : marylandCounties()) {
            counties.emplace_back(c.text);
            codes.push_back(std::to_string(c.value));
        }
        for (std::size_t i = 0; i < counties.size(); ++i)
            for (const std::string* value : {&counties[i], &codes[i]})
                v.push_back({"county", kMaryland, "--county-rate", value->c_str(), "Method", codes[i].c_str(),
                             "StateInfo", "MMethod", codes[i].c_str(), kMethod, codes[i].c_str()});
        // Each local base by name and by number.
        static const char* kBases[] = {"gross", "less-401k", "less-pretax", "less-401k-pretax", "less-exemption"};
        static const char* kBaseCodes[] = {"1", "2", "3", "4", "5"};
        for (int i = 0; i < 5; ++i)
            for (const char* value : {kBases[i], kBaseCodes[i]})
                v.push_back({"local base", kNone, "--local-base", value, "SPtx", kBaseCodes[i], "Settings", "ApplyTo",
                             kBaseCodes[i], kLocalBase, kBaseCodes[i]});
        // The top of the money range, for every amount (Pre-Tax and Pre-FICA
        // are parts of an income as large).
        v.push_back({"income at the top", kNone, "--income", kTop.c_str(), "txtIncome", nullptr, "Settings", "IncAmt",
                     kTop.c_str(), kSSBase, nullptr, kTop.c_str()});
        // (Saved, it is refused on Calculate: FICA is still due on all of it.)
        v.push_back({"pre-tax at the top", kNone, "--pretax", kTop.c_str(), "txtPreTax", nullptr, nullptr, nullptr,
                     nullptr, kPreTax, nullptr, kTop.c_str()});
        v.push_back({"pre-FICA at the top", kNone, "--prefica", kTop.c_str(), "txtPreFICA", nullptr, "Settings",
                     "SSExmp", kTop.c_str(), kPreFica, nullptr, kTop.c_str()});
        v.push_back({"additional state withholding at the top", kKansas, "--state-add", kTop.c_str(), "StateAdd",
                     nullptr, "StateInfo", "staAdd", kTop.c_str(), kStateAdd, nullptr});
        return v;
    }();
    return all;
}

std::string jsonOf(const KeyRow& row) { return row.json ? row.json : "\"" + std::string(row.value) + "\""; }
std::string expectedOf(const KeyRow& row)
{
    return row.expected ? row.expected : formatFixed4(toCurrency(row.value));
}

// The batch line of a row, with the state it needs and the 401(k) and
// pre-tax amounts the state-wage rows take off.
std::string batchLine(const KeyRow& row, const std::string& key)
{
    std::string line = std::string("{\"txtIncome\":\"") + row.income + "\"";
    if (row.context.index) line += ",\"intState\":" + std::to_string(row.context.index);
    if (row.field == kState401k) line += R"(,"txt401k":"6")";
    if (row.field == kStatePreTax) line += R"(,"txtPreTax":"50")";
    if (row.field == kMissPart) line += R"(,"intSMarried":8)";
    if (withBonus(row.key) && std::string_view(row.key) != "txtBonus") line += R"(,"txtBonus":"2000","txt401k":"5")";
    return line + ",\"" + key + "\":" + jsonOf(row) + "}";
}

// The key with its first letter written as a \u escape: "\u0074xtIncome".
std::string escaped(const std::string& key)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(key[0]));
    return buf + key.substr(1);
}

std::string throughBatch(const KeyRow& row, const std::string& key)
{
    cli::LineReader reader;
    cli::CalcRequest q;
    std::string id, error;
    if (!reader.read(batchLine(row, key), q, id, error)) return "refused: " + error;
    return row.field(q.bonus ? cli::computeBonus(q).bonus.record : cli::compute(q).record);
}

std::string throughOption(const KeyRow& row)
{
    std::vector<std::string> args = {"wagemark-cli", "calc"};
    // An option is given once: the income rows give their own.
    if (std::string_view(row.option) != "--income") args.insert(args.end(), {"--income", row.income});
    if (*row.context.state) args.insert(args.end(), {"--state", row.context.state});
    if (row.field == kState401k) args.insert(args.end(), {"--401k", "6"});
    if (row.field == kStatePreTax) args.insert(args.end(), {"--pretax", "50"});
    if (row.field == kMissPart) args.insert(args.end(), {"--state-status", "8"});
    if (withBonus(row.option) && std::string_view(row.option) != "--bonus")
        args.insert(args.end(), {"--bonus", "2000", "--401k", "5"});
    args.push_back(row.option);
    if (row.value) args.push_back(row.value);
    try {
        const cli::CalcRequest q = cli::parseCalc(args, 2, false).request;
        return row.field(q.bonus ? cli::computeBonus(q).bonus.record : cli::compute(q).record);
    } catch (const cli::UsageError& e) {
        return "refused: " + e.message;
    }
}

std::string throughSetting(const KeyRow& row)
{
    test::Calculator c;
    SettingsStore& s = c.h.settings;
    s.save("Settings", "IncAmt", row.income);
    s.save("Settings", "State", std::to_string(row.context.index));
    if (row.field == kState401k) s.save("Settings", "401k", "0.06");
    if (row.field == kStatePreTax) s.save("Settings", "NotTax", "50");
    if (row.field == kMissPart) s.save("StateInfo", "staMarried", "8");
    s.save(row.section, row.setting, row.saved);
    std::vector<std::string> heard;
    s.onUnreadable = [&](const UnreadableSetting& u) { heard.push_back(u.key); };
    c.main.load();
    if (!heard.empty()) return "refused: " + heard.front();
    c.main.calculate();
    return row.field(c.h.r);
}

TEST(InterfaceKeys, EveryOptionBatchKeyAndSettingLandsInItsField)
{
    for (const KeyRow& row : rows()) {
        SCOPED_TRACE(std::string(row.what) + " (" + (row.option ? row.option : "") + " " +
                     (row.value ? row.value : "") + ")");
        const std::string want = expectedOf(row);
        if (row.option) {
            EXPECT_EQ(throughOption(row), want) << "calc option";
        }
        if (row.key) {
            EXPECT_EQ(throughBatch(row, row.key), want) << "batch key " << row.key;
            EXPECT_EQ(throughBatch(row, escaped(row.key)), want) << "batch key " << escaped(row.key);
        }
        if (row.setting) {
            EXPECT_EQ(throughSetting(row), want) << "setting " << row.section << "/" << row.setting;
        }
    }
}

// The options of `year` beyond those of calc, each value at both ends of
// its range, into the entries of the year.
TEST(InterfaceKeys, EveryOptionOfTheYearLandsInItsEntry)
{
    using Get = std::string (*)(const cli::YearOptions&);
    struct Row {
        const char* option;
        const char* value;
        std::vector<std::string> context;  // options the value needs
        Get get;
        std::string expected;
    };
    static const auto filing = [](const cli::YearOptions& o) {
        return o.filing ? std::string(filingName(*o.filing)) : std::string("none");
    };
    const std::vector<Row> rows = {
        {"--filing", "single", {}, filing, "Single"},
        {"--filing", " Joint ", {}, filing, "Married filing jointly"},
        {"--filing", "separate", {}, filing, "Married filing separately"},
        {"--filing", "HEAD", {}, filing, "Head of household"},
        {"--return-exemptions", "0", {}, [](const cli::YearOptions& o) { return std::to_string(*o.exemptions); }, "0"},
        {"--return-exemptions", "99", {}, [](const cli::YearOptions& o) { return std::to_string(*o.exemptions); },
         "99"},
        {"--children", "0", {}, [](const cli::YearOptions& o) { return std::to_string(o.children); }, "0"},
        {"--children", "99", {}, [](const cli::YearOptions& o) { return std::to_string(o.children); }, "99"},
        {"--other-income", "1,200", {}, [](const cli::YearOptions& o) { return formatFixed4(o.otherIncome); },
         "1200.0000"},
        {"--itemized", "9000", {}, [](const cli::YearOptions& o) { return formatFixed4(o.itemized); }, "9000.0000"},
        {"--paid", "0", {}, [](const cli::YearOptions& o) { return std::to_string(o.soFar.paid); }, "0"},
        {"--paid", "51", {}, [](const cli::YearOptions& o) { return std::to_string(o.soFar.paid); }, "51"},
        {"--wages-so-far", "13,000", {"--paid", "13"},
         [](const cli::YearOptions& o) { return formatFixed4(*o.soFar.wages); }, "13000.0000"},
        {"--withheld-so-far", "1500", {"--paid", "13"},
         [](const cli::YearOptions& o) { return formatFixed4(*o.soFar.federal); }, "1500.0000"},
        {"--state-withheld-so-far", "450", {"--paid", "13"},
         [](const cli::YearOptions& o) { return formatFixed4(*o.soFar.state); }, "450.0000"},
        {"--ss-so-far", "806", {"--paid", "13"},
         [](const cli::YearOptions& o) { return formatFixed4(*o.soFar.socialSecurity); }, "806.0000"},
        {"--spouse-wages", "30000", {"--filing", "joint"},
         [](const cli::YearOptions& o) { return formatFixed4(o.spouse.wages); }, "30000.0000"},
        {"--spouse-withheld", "3500", {"--filing", "joint"},
         [](const cli::YearOptions& o) { return formatFixed4(o.spouse.withholding); }, "3500.0000"},
        {"--json", nullptr, {}, [](const cli::YearOptions& o) { return std::string(o.json ? "json" : "table"); },
         "json"},
    };
    std::set<std::string> seen;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.option) + " " + (row.value ? row.value : ""));
        seen.insert(row.option);
        std::vector<std::string> args = {"wagemark-cli", "year", "--income", "1000", "--frequency", "weekly"};
        args.insert(args.end(), row.context.begin(), row.context.end());
        args.push_back(row.option);
        if (row.value) args.push_back(row.value);
        try {
            EXPECT_EQ(row.get(cli::parseYear(args, 2)), row.expected);
        } catch (const cli::UsageError& e) {
            ADD_FAILURE() << e.message;
        }
    }
    for (const cli::Option& o : cli::options())
        if (o.section == cli::Section::Year) {
            EXPECT_TRUE(seen.count(std::string(o.name))) << o.name;
        }
}

// A batch line's state option and its setting under "settings" agree as in
// calc: the named key wins whatever their order.
TEST(InterfaceKeys, ANamedKeyWinsOverTheSameSetting)
{
    for (const char* line : {R"({"intState":4,"settings":{"StateInfo":{"staExmp":"5"}},"StateExmp":3})",
                             R"({"intState":4,"StateExmp":3,"settings":{"StateInfo":{"staExmp":"5"}}})"}) {
        SCOPED_TRACE(line);
        cli::LineReader reader;
        cli::CalcRequest q;
        std::string id, error;
        ASSERT_TRUE(reader.read(line, q, id, error)) << error;
        q.input.txtIncome = "1000";
        EXPECT_EQ(cli::compute(q).record.StateExmp, 3);
    }
}

// Every option of calc and every batch key has a row above.
TEST(InterfaceKeys, TheTableHoldsEveryOptionAndKey)
{
    std::set<std::string> options, keys;
    for (const KeyRow& row : rows()) {
        if (row.option) options.insert(row.option);
        if (row.key) keys.insert(row.key);
    }
    for (const cli::Option& o : cli::options()) {
        const bool calcInput = cli::commandTakes("calc", o.section) && o.section != cli::Section::Output &&
                               o.section != cli::Section::Every;
        if (calcInput && !o.name.empty() && o.name != "--hours") {
            EXPECT_TRUE(options.count(std::string(o.name))) << o.name;
        }
        if (!o.batchKey.empty() && o.batchKey != "id") {
            EXPECT_TRUE(keys.count(std::string(o.batchKey))) << o.batchKey;
        }
    }
}

}  // namespace
}  // namespace wm
