// The one table of input limits through every interface that takes the
// input: the calculator and its tools, the saved settings, wagemark-cli's
// options and batch keys. Each row of the table once, each value just
// inside and just outside its range: no interface takes a value another
// refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include <sstream>

#include "cli/cli.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "forms/main/logic/misc_model.h"
#include "forms/main/logic/state_options_model.h"
#include "main_support.h"

namespace wm {
namespace {

// Where one input is entered: each is empty where that interface has none.
struct Interfaces {
    Input input;
    std::function<std::optional<Refusal>(const std::string& text)> window;  // calculator or tool
    const char* section = nullptr;  // saved setting
    const char* key = nullptr;
    bool keptAsFraction = false;    // the setting or batch key keeps 5 % as 0.05
    const char* option = nullptr;   // calc or year
    const char* optionState = nullptr;  // a state that reads the option
    const char* batchKey = nullptr;
};

// The largest income, so that Pre-Tax and Pre-FICA (parts of it) meet only
// their own range.
constexpr const char* kTopIncome = "999999999999.99";

// The calculator with readable entries and one field set.
std::optional<Refusal> calculatorField(std::string MainFormModel::*field, const std::string& text)
{
    test::Calculator c;
    c.main.txtIncome = kTopIncome;
    c.main.*field = text;
    return c.main.check();
}

std::optional<Refusal> localRate(const std::string& text)
{
    test::Calculator c;
    MiscModel m(c.main, MiscModel::Page::LocalTax);
    m.load();
    m.baseClicked(0);
    m.rate = text;
    return m.acceptLocalTax();
}

std::optional<Refusal> raise(std::string MiscModel::*field, const std::string& text)
{
    test::Calculator c;
    c.main.load();
    c.main.txtIncome = "1000";
    c.main.txtHours = "40";
    MiscModel m(c.main, MiscModel::Page::PayRaise);
    m.load();
    m.*field = text;
    return m.calculateRaise();
}

std::optional<Refusal> stateDialog(std::string StateOptionsModel::*field, const std::string& text)
{
    test::Calculator c;
    c.h.settings.save("Settings", "State", "17");  // Louisiana: exemptions as typed
    StateOptionsModel d(c.ctx);
    d.load();
    d.*field = text;
    return d.accept();
}

const std::vector<Interfaces>& interfaces()
{
    using M = MainFormModel;
    static const std::vector<Interfaces> all = {
        {Input::Income, [](auto& t) { return calculatorField(&M::txtIncome, t); }, "Settings", "IncAmt", false,
         "--income", nullptr, "txtIncome"},
        {Input::PreTax, [](auto& t) { return calculatorField(&M::txtPreTax, t); }, "Settings", "NotTax", false,
         "--pretax", nullptr, "txtPreTax"},
        {Input::PreFica, [](auto& t) { return calculatorField(&M::txtPreFICA, t); }, "Settings", "SSExmp", false,
         "--prefica", nullptr, "txtPreFICA"},
        {Input::Percent401k, [](auto& t) { return calculatorField(&M::txt401k, t); }, "Settings", "401k", false,
         "--401k", nullptr, "txt401k"},
        {Input::Hours, [](auto& t) { return calculatorField(&M::txtHours, t); }, "Settings", "Hours", false,
         "--hours"},
        {Input::Exemptions, nullptr, "Settings", "Deps"},
        {Input::Allowances, nullptr, nullptr, nullptr, false, "--exemptions", nullptr, "DepsNumber"},
        {Input::StateDeps, nullptr, "StateInfo", "staDeps", false, "--state-deps", "Georgia", "StateDeps"},
        {Input::SecondDeps, nullptr, "StateInfo", "ILINDeps", false, "--il-deps", "Illinois", "ILINDeps"},
        {Input::StateExemptions, [](auto& t) { return stateDialog(&StateOptionsModel::specialText, t); },
         "StateInfo", "staExmp", false, "--state-exemptions", "Louisiana", "StateExmp"},
        {Input::StateAdd, [](auto& t) { return stateDialog(&StateOptionsModel::additional, t); }, "StateInfo",
         "staAdd", false, "--state-add", "Kansas", "StateAdd"},
        {Input::LocalRate, localRate, "Settings", "Local", true, "--local-rate", nullptr, "SPval"},
        {Input::LocalBase, nullptr, "Settings", "ApplyTo", false, "--local-base", nullptr, "SPtx"},
        {Input::RaisePercent, [](auto& t) { return raise(&MiscModel::percent, t); }},
        {Input::NewWage, [](auto& t) { return raise(&MiscModel::newWage, t); }},
        {Input::ReturnExemptions, nullptr, nullptr, nullptr, false, "--return-exemptions"},
        {Input::Children, nullptr, nullptr, nullptr, false, "--children"},
        {Input::PaychecksPaid, nullptr, nullptr, nullptr, false, "--paid"},
        {Input::WagesSoFar, nullptr, nullptr, nullptr, false, "--wages-so-far"},
        {Input::FederalSoFar, nullptr, nullptr, nullptr, false, "--withheld-so-far"},
        {Input::StateSoFar, nullptr, nullptr, nullptr, false, "--state-withheld-so-far"},
        {Input::SocialSecuritySoFar, nullptr, nullptr, nullptr, false, "--ss-so-far"},
        {Input::SpouseWages, nullptr, nullptr, nullptr, false, "--spouse-wages"},
        {Input::SpouseWithholding, nullptr, nullptr, nullptr, false, "--spouse-withheld"},
        {Input::StateStatus, nullptr, "StateInfo", "staMarried", false, "--state-status", "Georgia", "intSMarried"},
        {Input::StateRate, nullptr, "StateInfo", "staRate", false, "--state-rate", "Connecticut", "StateRate"},
        {Input::CountyRate, nullptr, "StateInfo", "MMethod", false, "--county-rate", "Maryland", "Method"},
        {Input::MississippiPart, [](auto& t) { return stateDialog(&StateOptionsModel::spousePart, t); },
         "StateInfo", "missPart", false, "--miss-part", "Mississippi"},
        // Their options take names; the numbers are the batch's and the settings'.
        {Input::Frequency, nullptr, "Settings", "Frequency", false, nullptr, nullptr, "HowOft"},
        {Input::MaritalStatus, nullptr, "Settings", "MaritalStat", false, nullptr, nullptr, "valMarried"},
        {Input::State, nullptr, "Settings", "State", false, nullptr, nullptr, "intState"},
        {Input::OtherIncome, nullptr, nullptr, nullptr, false, "--other-income"},
        {Input::Itemized, nullptr, nullptr, nullptr, false, "--itemized"},
        {Input::Bonus, nullptr, nullptr, nullptr, false, "--bonus", nullptr, "txtBonus"},
        {Input::BonusSSWages, nullptr, nullptr, nullptr, false, "--bonus-ss-wages-so-far", nullptr, "txtBonusSSWages"},
        {Input::BonusMethod, nullptr, nullptr, nullptr, false, nullptr, nullptr, "BonusMethod"},
    };
    return all;
}

// Values at the edges of the range, as typed: inside and outside.
std::vector<std::string> edges(const InputLimit& l)
{
    if (l.unit == InputUnit::Amount)
        return {"-0.01", "0", formatPlain(l.top), formatPlain(l.top + Currency::cents(1)), "(5.00)"};
    if (l.unit == InputUnit::Code)
        return {std::to_string(l.codes.front() - 1), std::to_string(l.codes.front()), std::to_string(l.codes.back()),
                std::to_string(l.codes.back() + 1), std::to_string(l.codes.front() + 1)};
    const std::string lo = std::to_string(l.lo), hi = std::to_string(l.hi);
    if (l.unit != InputUnit::Percent && l.unit != InputUnit::Hours)
        return {std::to_string(l.lo - 1), lo, hi, std::to_string(l.hi + 1), lo + ".5"};
    return {"-0.5", lo, hi, hi + ".5", "0.001"};
}

bool inside(const InputLimit& l, const std::string& text) { return textWithin(l, text); }

// The text a setting or batch key keeps for a typed percentage.
std::string kept(const Interfaces& i, const std::string& text)
{
    return i.keptAsFraction ? formatPlain(toDouble(text) / 100) : text;
}

bool settingTaken(const Interfaces& i, const std::string& text)
{
    test::Calculator c;
    std::vector<std::string> heard;
    c.h.settings.onUnreadable = [&](const UnreadableSetting& u) { heard.push_back(u.key + ": " + u.expected); };
    c.h.settings.save(i.section, i.key, kept(i, text));
    c.main.load();
    // Read as the calculators read it at each Calculate, for those the window does not load.
    c.h.settings.get(i.section, i.key, "0");
    for (const std::string& h : heard)
        EXPECT_NE(h.find(limitOf(i.input).field), std::string::npos) << h;  // the notice names the field
    return heard.empty();
}

bool optionTaken(const Interfaces& i, const std::string& text)
{
    // An option is given once: --income alone when it is the one tried.
    // A bonus is calc's only, beside any income up to the top with it.
    const auto row = std::find_if(cli::options().begin(), cli::options().end(),
                                  [&](const cli::Option& o) { return o.name == i.option; });
    const bool year = row == cli::options().end() || cli::commandTakes("year", row->section);
    std::vector<std::string> args = {"wagemark-cli", "year"};
    if (year && std::string_view(i.option) != "--income") args.insert(args.end(), {"--income", kTopIncome});
    if (i.input == Input::BonusSSWages) args.insert(args.end(), {"--bonus", "0"});
    args.insert(args.end(), {i.option, text});
    if (i.optionState) args.insert(args.end(), {"--state", i.optionState});
    try {
        if (year) cli::parseYear(args, 2);
        if (row != cli::options().end() && cli::commandTakes("calc", row->section)) {
            args[1] = "calc";
            cli::parseCalc(args, 2, false);
        }
        return true;
    } catch (const cli::UsageError& e) {
        EXPECT_EQ(e.message.rfind(std::string(i.option) + ": expected " + describe(limitOf(i.input)), 0), 0u)
            << e.message;
        return false;
    }
}

// The same saved setting given to calc (--setting) and on a batch line ("settings").
bool givenSettingTaken(const Interfaces& i, const std::string& text)
{
    const std::string name = std::string(i.section) + "/" + i.key;
    bool option = true;
    try {
        cli::parseCalc({"wagemark-cli", "calc", "--setting", name + "=" + kept(i, text)}, 2, false);
    } catch (const cli::UsageError& e) {
        option = false;
        EXPECT_EQ(e.message.rfind("--setting: " + name + ": expected ", 0), 0u) << e.message;
    }
    cli::LineReader reader;
    cli::CalcRequest q;
    std::string id, error;
    const bool line = reader.read(std::string("{\"settings\":{\"") + i.section + "\":{\"" + i.key + "\":\"" +
                                      kept(i, text) + "\"}}}",
                                  q, id, error);
    EXPECT_EQ(line, option) << error;
    return option;
}

bool batchTaken(const Interfaces& i, const std::string& text)
{
    const cli::Option* o = cli::findBatchKey(i.batchKey);
    EXPECT_TRUE(o && o->limit == &limitOf(i.input));
    const bool quoted = o && o->batchType == cli::BatchType::Text;
    const std::string value = quoted ? "\"" + text + "\"" : kept(i, text);
    cli::LineReader reader;
    cli::CalcRequest q;
    std::string id, error;
    const std::string line = "{\"txtIncome\":\"" + std::string(kTopIncome) + "\",\"" + i.batchKey + "\":" + value + "}";
    const bool read = reader.read(line, q, id, error);
    if (!read) {
        EXPECT_EQ(error.rfind(std::string(i.batchKey) + " must be ", 0), 0u) << error;
    }
    return read;
}

TEST(InputLimits, EveryInterfaceTakesWhatTheTableTakes)
{
    std::vector<bool> seen(kInputCount);
    for (const Interfaces& i : interfaces()) {
        const InputLimit& l = limitOf(i.input);
        seen[static_cast<std::size_t>(i.input)] = true;
        for (const std::string& text : edges(l)) {
            SCOPED_TRACE(std::string(l.field) + " " + text);
            const bool want = inside(l, text);
            if (i.window) {
                const std::optional<Refusal> r = i.window(text);
                EXPECT_EQ(!r, want) << (r ? r->message : "");
                if (r) {
                    EXPECT_NE(r->message.find(describe(l)), std::string::npos) << r->message;
                }
            }
            if (i.key) {
                EXPECT_EQ(settingTaken(i, text), want) << i.key;
                EXPECT_EQ(givenSettingTaken(i, text), want) << i.key;
            }
            if (i.option) {
                EXPECT_EQ(optionTaken(i, text), want) << i.option;
            }
            if (i.batchKey) {
                EXPECT_EQ(batchTaken(i, text), want) << i.batchKey;
            }
        }
    }
    for (std::size_t k = 0; k < kInputCount; ++k) EXPECT_TRUE(seen[k]) << kInputLimits[k].field;
}

// Pre-Tax and Pre-FICA are parts of the gross pay: above it, the calculator,
// calc and batch refuse them, naming the field.
TEST(InputLimits, PartsOfTheGrossPayAreNotAboveIt)
{
    struct Row {
        const char* preTax;
        const char* preFica;
        const char* refused;  // the field; "" for taken
    };
    for (const Row& row : {Row{"1000", "1000", ""}, Row{"1000.01", "", "Pre-Tax"}, Row{"", "$1,000.01", "Pre-FICA"},
                           Row{"", "", ""}}) {
        SCOPED_TRACE(std::string(row.preTax) + " / " + row.preFica);
        const std::string refused = row.refused;
        test::Calculator c;
        c.main.txtIncome = "1,000.00";
        c.main.txtPreTax = row.preTax;
        c.main.txtPreFICA = row.preFica;
        const auto r = c.main.check();
        EXPECT_EQ(r ? r->field : "", refused);

        std::vector<std::string> args = {"wagemark-cli", "calc", "--income", "1000"};
        if (*row.preTax) args.insert(args.end(), {"--pretax", row.preTax});
        if (*row.preFica) args.insert(args.end(), {"--prefica", row.preFica});
        bool taken = true;
        try {
            cli::parseCalc(args, 2, false);
        } catch (const cli::UsageError& e) {
            taken = false;
            EXPECT_EQ(e.message.rfind(refused == "Pre-Tax" ? "--pretax: " : "--prefica: ", 0), 0u) << e.message;
        }
        EXPECT_EQ(taken, refused.empty());

        cli::LineReader reader;
        cli::CalcRequest q;
        std::string id, error;
        const std::string line = std::string(R"({"txtIncome":"1000","txtPreTax":")") + row.preTax +
                                 R"(","txtPreFICA":")" + row.preFica + "\"}";
        EXPECT_EQ(reader.read(line, q, id, error), refused.empty()) << error;
    }
}

// Deductions above the gross pay would pay a negative check: the calculator
// refuses them at the 401(k) field and keeps the record as it was, calc
// exits 2 and batch answers the line's error object, from the same rows.
TEST(InputLimits, NoInterfacePaysANegativeCheck)
{
    struct Row {
        const char* k401;
        const char* preTax;
        bool refused;
    };
    // 90 % leaves $23.50 after FICA; 100 % or the whole gross as pre-tax
    // leave FICA unpaid; 60 % and $500 pre-tax are more than the gross.
    for (const Row& row : {Row{"90", "", false}, Row{"100", "", true}, Row{"", "1000", true}, Row{"60", "500", true},
                           Row{"0.9", "", false}}) {
        SCOPED_TRACE(std::string(row.k401) + " / " + row.preTax);
        test::Calculator c;
        c.main.txtIncome = "1000";
        c.main.txt401k = row.k401;
        c.main.txtPreTax = row.preTax;
        const auto r = c.main.calculate();
        EXPECT_EQ(r.has_value(), row.refused);
        if (r) {
            EXPECT_EQ(r->field, limitOf(Input::Percent401k).field);
            EXPECT_EQ(c.h.r.amtTotal, Currency());
            EXPECT_EQ(c.saved("401k"), "<none>");
        } else {
            EXPECT_GE(c.h.r.amtTotal, Currency());
        }

        std::vector<std::string> args = {"wagemark-cli", "calc", "--income", "1000"};
        if (*row.k401) args.insert(args.end(), {"--401k", row.k401});
        if (*row.preTax) args.insert(args.end(), {"--pretax", row.preTax});
        std::istringstream none;
        std::ostringstream out, err;
        EXPECT_EQ(cli::run(args, none, out, err), row.refused ? 2 : 0) << err.str();

        std::istringstream line(std::string(R"({"txtIncome":"1000","txt401k":")") + row.k401 +
                                R"(","txtPreTax":")" + row.preTax + "\"}\n");
        std::ostringstream answer;
        EXPECT_EQ(cli::run({"wagemark-cli", "batch"}, line, answer, err), row.refused ? 1 : 0);
        EXPECT_EQ(answer.str().find("\"error\"") != std::string::npos, row.refused) << answer.str();
    }
}

// What the limits read in their messages, and the percentages shown.
TEST(InputLimits, RangesAndPercentagesAsTheUserReadsThem)
{
    EXPECT_EQ(describe(limitOf(Input::Income)), "an amount from 0 to 999,999,999,999.99");
    EXPECT_EQ(describe(limitOf(Input::MississippiPart)), "an amount from 0 to 12,000.00");
    EXPECT_EQ(describe(limitOf(Input::Hours)), "hours from 0 to 744, to the hundredth");
    EXPECT_EQ(describe(limitOf(Input::StateRate)), "a letter from A to E (or 0 to 4)");
    EXPECT_EQ(describeFraction(limitOf(Input::LocalRate)), "a fraction from 0 to 1 (0.05 is 5 %)");
    EXPECT_EQ(outOfRange(limitOf(Input::Percent401k), "150"),
              "The 401(k)% \"150\" is outside its range: enter a percentage from 0 to 100 (5 and 0.05 both mean 5 %).");
    struct Row {
        double fraction;
        const char* shown;
    };
    for (const Row& row : {Row{0.05, "5"}, Row{0.015, "1.5"}, Row{0.055, "5.5"}, Row{0.01, "1"}, Row{1, "100"},
                           Row{0.005, "0.005"}, Row{0, "0"}}) {
        SCOPED_TRACE(row.shown);
        EXPECT_EQ(percentText(row.fraction), row.shown);
        // What is shown reads back as the same fraction.
        EXPECT_DOUBLE_EQ(percentFraction(toDouble(percentText(row.fraction))), row.fraction);
    }
    EXPECT_EQ(percentHint("0.5"), "0.5 = 50 %");
    EXPECT_EQ(percentHint(".05"), "0.05 = 5 %");
    for (const char* none : {"5", "0", "1", "", "abc"}) EXPECT_EQ(percentHint(none), "") << none;
}

}  // namespace
}  // namespace wm
