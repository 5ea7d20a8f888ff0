#include "forms/tools/logic/year_check_model.h"

#include <algorithm>
#include <vector>

#include "app/entry.h"

namespace wm {

namespace {

// The pass reads typed texts; these read back as the amounts the last pass
// used. A 401(k) fraction of 1 or more was typed as a percentage.
PassInput inputOf(const PayRecord& r, bool selfEmployed)
{
    PassInput in;
    in.txtIncome = formatPlain(r.SSBase);
    in.txt401k = formatPlain(r.PerCent401k >= 1 ? r.PerCent401k * 100 : r.PerCent401k);
    in.txtPreTax = formatPlain(r.PreTax);
    in.txtPreFICA = formatPlain(r.SSEmp);
    in.chkSelfEmployed = selfEmployed;
    return in;
}

// Table text must not end a cell or a row.
std::string cell(std::string_view text)
{
    std::string s(text);
    std::replace(s.begin(), s.end(), '|', ',');
    std::replace(s.begin(), s.end(), ';', ',');
    return s;
}

// A sentence as rows of at most `width` characters, broken between words:
// a cell does not wrap on paper.
std::vector<std::string> wrapped(const std::string& text, std::size_t width)
{
    std::vector<std::string> lines(1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width) lines.emplace_back();
        if (!lines.back().empty()) lines.back() += ' ';
        lines.back() += word;
        start = end + 1;
    }
    return lines;
}

}  // namespace

YearCheckModel::YearCheckModel(PayRecord& record, SettingsStore& settings, ErrorScheme& errors)
    : record_(record), settings_(settings), errors_(errors)
{
}

void YearCheckModel::load()
{
    entries = defaultReturn(record_.valMarried);
    exemptionsGiven = false;
    refresh();
}

namespace {

std::string_view name(Input input) { return limitOf(input).field; }

// Blank is `blank`; anything else must read as an amount.
std::optional<std::string> readAmount(std::string_view label, const std::string& text, std::optional<Currency> blank,
                                      std::optional<Currency>& into)
{
    if (isBlank(text)) {
        into = blank;
        return std::nullopt;
    }
    const Read<Currency> read =
        readEntry<Currency>(text, [](std::string_view t) { return toCurrency(t); }, [&](EntryFault fault) {
            const std::string what = fault == EntryFault::TooLarge ? "\" is too large." : "\" is not an amount.";
            return Refusal{std::string(label),
                           std::string(label) + " \"" + text + what + " Enter a number such as 1250 or 1,250.00."};
        });
    if (!read) return read.refusal->message;
    into = read.value;
    return std::nullopt;
}

}  // namespace

std::string YearCheckModel::readAmounts()
{
    std::optional<Currency> other, itemized, spouseWages, spouseWithheld;
    SoFarEntries soFar{paid};
    const std::optional<Currency> zero = Currency();
    struct Field {
        std::string_view label;
        const std::string& text;
        std::optional<Currency> blank;
        std::optional<Currency>& into;
    };
    for (const Field& f : {Field{"Other income", txtOtherIncome, zero, other},
                           Field{"Itemized deductions", txtItemized, zero, itemized},
                           Field{name(Input::SpouseWages), txtSpouseWages, zero, spouseWages},
                           Field{name(Input::SpouseWithholding), txtSpouseWithheld, zero, spouseWithheld},
                           Field{name(Input::WagesSoFar), txtWagesSoFar, std::nullopt, soFar.wages},
                           Field{name(Input::FederalSoFar), txtWithheldSoFar, std::nullopt, soFar.federal},
                           Field{name(Input::StateSoFar), txtStateSoFar, std::nullopt, soFar.state},
                           Field{name(Input::SocialSecuritySoFar), txtSocialSecuritySoFar, std::nullopt,
                                 soFar.socialSecurity}})
        if (std::optional<std::string> problem = readAmount(f.label, f.text, f.blank, f.into)) return *problem;
    if (*itemized < Currency()) return "Itemized deductions cannot be negative.";
    entries.otherIncome = *other;
    entries.itemized = *itemized;
    spouse_ = {*spouseWages, *spouseWithheld};
    soFar_ = soFar;
    return {};
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
        return wm::soFarDefaults(record_, paid, selfEmployed());
    } catch (const RuntimeError&) {
        return {};  // too large to show; the check itself reports it
    }
}

void YearCheckModel::refresh()
{
    check_.reset();
    message.clear();
    if (record_.SSBase.isZero()) {
        message = kNoCalculation;
        return;
    }
    // A calculator set to fewer paychecks since: all but the one calculated.
    paid = std::clamp(paid, limitOf(Input::PaychecksPaid).lo, mostPaychecksPaid(periods()));
    if (!exemptionsGiven) entries.exemptions = defaultExemptions(entries.filing, entries.children);
    YearRequest q;
    q.entries = entries;
    q.soFar.paid = paid;
    if (showsSoFar()) {
        q.soFar = soFar_;
        q.soFar.paid = paid;
        if (!showsStateSoFar()) q.soFar.state.reset();
    }
    if (showsSpouse()) q.spouse = spouse_;
    Procedure proc(errors_, kName, "Form_Load");
    const bool read = proc.run([&] { q.allowances = toInt16(settings_.get("Settings", "Deps", "0")); },
                               [&] { q.selfEmployed = toInt16(settings_.get("Settings", "Self", "0")) != 0; });
    if (!read) {
        message = kStopped;
        return;
    }
    if (const std::optional<YearRefusal> no = refuseYearEntries(q, periods())) {
        message = std::string(name(no->entry)) + " " + no->reason + ".";
        return;
    }
    check_ = checkYear(q, copyRunner(record_, inputOf(record_, q.selfEmployed), settings_, errors_), errors_);
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
    if (!who.empty() && who != "-") t += ": " + cell(who);
    return t;
}

std::string YearCheckModel::table() const
{
    std::string s = "<5600|>2600;Tax year 2000|Amount;";
    if (!check_) return s;
    const YearCheck& c = *check_;
    // Results start at the margin (bold on paper); the rest is indented.
    for (const YearRow& row : yearRows(c)) s += (row.total ? "" : "  ") + cell(row.label) + "|" + cell(row.value) + ";";
    s += "|;";
    for (const std::string& sentence : {refundSentence(c), adviceSentence(c)})
        for (const std::string& line : wrapped(sentence, 60)) s += cell(line) + ";";
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
