#include "forms/tools/logic/year_check_model.h"

#include <algorithm>
#include <vector>

#include "app/entry.h"
#include "print/logic/table_text.h"

namespace wm {

YearCheckModel::YearCheckModel(PayRecord& record, SettingsStore& settings, ErrorScheme& errors)
    : record_(record), settings_(settings), errors_(errors)
{
}

void YearCheckModel::load()
{
    followedStatus_.reset();
    refresh();
}

namespace {

// An amount as typed: blank is `blank`; anything else must read and be in
// the range of `input`.
std::optional<std::string> readAmount(Input input, const std::string& text, std::optional<Currency> blank,
                                      std::optional<Currency>& into)
{
    if (isBlank(text)) {
        into = blank;
        return std::nullopt;
    }
    const std::string label(limitOf(input).field);
    const Read<Currency> read =
        readEntry<Currency>(text, [](std::string_view t) { return toCurrency(t); }, [&](EntryFault fault) {
            const std::string what = fault == EntryFault::TooLarge ? "\" is too large." : "\" is not an amount.";
            return Refusal{label, label + " \"" + text + what + " Enter a number such as 1250 or 1,250.00."};
        });
    if (!read) return read.refusal->message;
    if (!within(limitOf(input), read.value)) return outOfRange(limitOf(input), text);
    into = read.value;
    return std::nullopt;
}

// A count as typed, from 0 to `hi` (the table's, or the year's paychecks
// paid); blank is 0.
std::optional<std::string> readCount(Input input, const std::string& text, int hi, int& into)
{
    const InputLimit limit{limitOf(input).field, InputUnit::Count, limitOf(input).lo, hi};
    double d = 0;
    try {
        d = isBlank(text) ? 0 : toDouble(text);
    } catch (const RuntimeError&) {
        return std::string(limit.field) + " \"" + text + "\" is not a whole number. " + "Enter " + describe(limit) +
               ".";
    }
    if (!within(limit, d) || d != static_cast<int>(d)) return outOfRange(limit, text);
    into = static_cast<int>(d);
    return std::nullopt;
}

}  // namespace

void YearCheckModel::refuse(Input entry, std::string text)
{
    message = std::move(text);
    refused = entry;
}

bool YearCheckModel::readEntries()
{
    const std::pair<Input, std::pair<const std::string*, int*>> counts[] = {
        {Input::Children, {&txtChildren, &entries.children}},
        {Input::ReturnExemptions, {&txtExemptions, &entries.exemptions}},
        {Input::PaychecksPaid, {&txtPaid, &paid}},
    };
    for (const auto& [input, field] : counts) {
        if (input == Input::ReturnExemptions && !exemptionsGiven) {
            // Following the filing status and the children.
            entries.exemptions = defaultExemptions(entries.filing, entries.children);
            txtExemptions = std::to_string(entries.exemptions);
            continue;
        }
        const int hi = input == Input::PaychecksPaid ? mostPaychecksPaid(periods()) : limitOf(input).hi;
        if (std::optional<std::string> problem = readCount(input, *field.first, hi, *field.second)) {
            refuse(input, *problem);
            return false;
        }
    }
    std::optional<Currency> other, itemized;
    SoFarEntries soFar{paid};
    SpouseJob spouse;
    std::optional<Currency> spouseWages, spouseWithheld;
    const std::optional<Currency> zero = Currency();
    struct Field {
        Input input;
        const std::string& text;
        std::optional<Currency> blank;
        std::optional<Currency>& into;
        bool applies;
    };
    for (const Field& f : {Field{Input::OtherIncome, txtOtherIncome, zero, other, true},
                           Field{Input::Itemized, txtItemized, zero, itemized, true},
                           Field{Input::SpouseWages, txtSpouseWages, zero, spouseWages, showsSpouse()},
                           Field{Input::SpouseWithholding, txtSpouseWithheld, zero, spouseWithheld, showsSpouse()},
                           Field{Input::WagesSoFar, txtWagesSoFar, std::nullopt, soFar.wages, showsSoFar()},
                           Field{Input::FederalSoFar, txtWithheldSoFar, std::nullopt, soFar.federal, showsSoFar()},
                           Field{Input::StateSoFar, txtStateSoFar, std::nullopt, soFar.state, showsStateSoFar()},
                           Field{Input::SocialSecuritySoFar, txtSocialSecuritySoFar, std::nullopt,
                                 soFar.socialSecurity, showsSoFar()}}) {
        if (!f.applies) continue;
        if (std::optional<std::string> problem = readAmount(f.input, f.text, f.blank, f.into)) {
            refuse(f.input, *problem);
            return false;
        }
    }
    entries.otherIncome = *other;
    entries.itemized = *itemized;
    spouse_ = {spouseWages.value_or(Currency()), spouseWithheld.value_or(Currency())};
    soFar_ = soFar;
    return true;
}

bool YearCheckModel::showsStateSoFar() const { return showsSoFar() && record_.intState != 0; }

int YearCheckModel::periods() const { return periodsPerYear(record_.HowOft); }

bool YearCheckModel::selfEmployed() const
{
    // Read as refresh() reads it; an unreadable value is refused there.
    try {
        return toInt16(settings_.get("Settings", "Self", "0")) != 0;
    } catch (const RuntimeError&) {
        return false;
    }
}

SoFar YearCheckModel::soFarDefaults() const
{
    try {
        return wm::soFarDefaults(record_, soFar_, selfEmployed());
    } catch (const RuntimeError&) {
        return {};  // too large to show; the check itself refuses it
    }
}

void YearCheckModel::refresh()
{
    check_.reset();
    message.clear();
    refused.reset();
    // The return follows the calculator's marital status, as `year` derives
    // it from --status; the user's choices hold while that status does.
    if (followedStatus_ != record_.valMarried) {
        const int children = entries.children;
        entries = defaultReturn(record_.valMarried, children);
        exemptionsGiven = false;
        followedStatus_ = record_.valMarried;
    }
    if (!readEntries()) return;
    if (record_.SSBase.isZero()) {
        message = kNoCalculation;
        return;
    }
    YearRequest q;
    q.entries = entries;
    q.soFar.paid = paid;
    if (showsSoFar()) q.soFar = soFar_;
    if (showsSpouse()) q.spouse = spouse_;
    Procedure proc(errors_, kName, "Form_Load");
    const bool read = proc.run([&] { q.allowances = toInt16(settings_.get("Settings", "Deps", "0")); },
                               [&] { q.selfEmployed = toInt16(settings_.get("Settings", "Self", "0")) != 0; });
    if (!read) {
        message = kStopped;
        return;
    }
    if (const std::optional<YearRefusal> no = refuseYearEntries(q, record_)) {
        refuse(no->entry, std::string(limitOf(no->entry).field) + " " + no->reason + ".");
        return;
    }
    check_ = checkYear(q, copyRunner(record_, lastInput(record_, q.selfEmployed), settings_, errors_), errors_);
    if (!check_) message = kStopped;
}

int YearCheckModel::chartLast() const
{
    if (!check_) return 0;
    return std::clamp(std::max(check_->advisedAllowances, check_->allowances) + 4, 10, kMaxAdvisedAllowances);
}

bool YearCheckModel::canApply() const
{
    return check_ && check_->advisedAllowances <= kMaxExemptions;
}

std::string YearCheckModel::w4Line5() const { return check_ ? std::to_string(check_->advisedAllowances) : ""; }

std::string YearCheckModel::w4Line6() const
{
    return check_ && !check_->advisedAdditional.isZero() ? formatPlain(check_->advisedAdditional) : "";
}

std::string YearCheckModel::title(std::string_view name)
{
    const std::string_view who = name.substr(std::min(name.find_first_not_of(' '), name.size()));
    std::string t = "Year Check, tax year 2000";
    if (!who.empty() && who != "-") t += ": " + tableCell(who);
    return t;
}

std::string YearCheckModel::table() const
{
    std::string s = "<5600|>2600;Tax year 2000|Amount;";
    if (!check_) return s;
    const YearCheck& c = *check_;
    // Results start at the margin (bold on paper); the rest is indented.
    for (const YearRow& row : yearRows(c)) s += (row.total ? "" : "  ") + tableCell(row.label) + "|" + tableCell(row.value) + ";";
    s += "|;";
    for (const std::string& sentence : {refundSentence(c), adviceSentence(c)})
        for (const std::string& line : wrappedLines(sentence, 60)) s += tableCell(line) + ";";
    // The chart's bars as a table, under headings of their own.
    s += c.paychecksPaid == 0 ? "|;Allowances claimed|Year's federal withholding;"
                              : "|;Allowances on the paychecks left|Year's federal withholding;";
    for (int n = 0; n <= chartLast(); ++n) {
        std::string marks;
        if (n == c.allowances) marks = "claimed";
        if (n == c.advisedAllowances) marks += marks.empty() ? "advised" : ", advised";
        s += "  " + std::to_string(n) + (n == 1 ? " allowance" : " allowances") + (marks.empty() ? "" : " (" + marks + ")") + "|" +
             formatCurrency(c.withholdingByCount[static_cast<std::size_t>(n)]) + ";";
    }
    return s;
}

}  // namespace wm
