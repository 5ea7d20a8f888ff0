#include "forms/tools/logic/bonus_check_model.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "print/logic/table_text.h"

namespace wm {

namespace {

// An amount entry as typed (blank is 0), within its range; the refusal's text or nothing.
std::optional<std::string> readAmount(Input input, const std::string& text, Currency& into)
{
    const InputLimit& l = limitOf(input);
    try {
        into = isBlank(text) ? Currency() : toCurrency(text);
    } catch (const RuntimeError& e) {
        if (e.number() != err::kOverflow)
            return std::string(l.field) + " \"" + text + "\" is not an amount. Enter a number such as 1250 or 1,250.00.";
        return outOfRange(l, text);
    }
    if (!within(l, into)) return outOfRange(l, text);
    return std::nullopt;
}

}  // namespace

BonusCheckModel::BonusCheckModel(PayRecord& record, SettingsStore& settings, ErrorScheme& errors)
    : record_(record), settings_(settings), errors_(errors)
{
}

void BonusCheckModel::refresh()
{
    check_.reset();
    message.clear();
    refused.reset();
    BonusEntries e;
    e.method = method;
    e.with401k = with401k;
    for (const auto& [input, text, into] : {std::tuple{Input::Bonus, &txtBonus, &e.amount},
                                            std::tuple{Input::BonusSSWages, &txtSSWages, &e.ssWagesSoFar}})
        if (std::optional<std::string> problem = readAmount(input, *text, *into)) {
            message = *problem;
            refused = input;
            return;
        }
    if (record_.SSBase.isZero()) {
        message = kNoCalculation;
        return;
    }
    if (std::optional<std::string> beyond = bonusBeyondRange(record_.SSBase, e.amount)) {
        message = *beyond;
        refused = Input::Bonus;
        return;
    }
    bool selfEmployed = false;
    Procedure proc(errors_, kName, "Form_Load");
    if (!proc.run([&] { selfEmployed = toInt16(settings_.get("Settings", "Self", "0")) != 0; })) {
        message = kStopped;
        return;
    }
    check_ = checkBonus(e, lastInput(record_, selfEmployed), copyCommand(record_, settings_, errors_));
    if (!check_) {
        message = kStopped;
        return;
    }
    if (std::optional<std::string> why = deductionsAboveGross(check_->bonus)) {
        message = "On the bonus: " + *why;
        refused = Input::Bonus;
        check_.reset();
    }
}

std::string BonusCheckModel::methodLine() const
{
    if (!check_) return {};
    std::string s = "Federal withholding on the bonus: " + std::string(bonusRule(check_->method).caption) + " method.";
    if (!check_->note.empty()) s += " " + check_->note;
    return s;
}

bool BonusCheckModel::stateOrLocal() const
{
    return check_ && (check_->regular.intState > 0 || check_->regular.amtLocalTax != Currency() ||
                      check_->bonus.amtLocalTax != Currency());
}

std::string BonusCheckModel::title(std::string_view name)
{
    const std::string_view who = name.substr(std::min(name.find_first_not_of(' '), name.size()));
    std::string t = "Bonus Check, tax year " + std::to_string(kSupplemental2000.year);
    if (!who.empty() && who != "-") t += ": " + tableCell(who);
    return t;
}

std::string BonusCheckModel::table() const
{
    std::string s = "<4200|>1700|>1700|>1700;Bonus Check|Bonus|Regular pay|Together;";
    if (!check_) return s;
    for (const BonusGridRow& row : bonusGrid(*check_))
        s += tableCell(row.title) + "|" + formatCurrency(row.bonus) + "|" + formatCurrency(row.regular) + "|" +
             formatCurrency(row.together) + ";";
    s += "|;";
    std::vector<std::string> lines = wrappedLines(methodLine(), 48);
    if (stateOrLocal())
        for (std::string& l : wrappedLines(kStateLocalAggregate, 48)) lines.push_back(std::move(l));
    for (const std::string& l : lines) s += tableCell(l) + ";";
    s += "|;How the bonus was calculated;";
    for (const TraceLine& t : check_->trace.lines) {
        const std::vector<std::string> text = wrappedLines(t.text, 48);
        for (std::size_t i = 0; i < text.size(); ++i) {
            s += "  " + tableCell(text[i]);
            if (i + 1 == text.size() && t.amount) s += "|" + formatAmount(*t.amount);
            s += ";";
        }
    }
    return s;
}

}  // namespace wm
