#include "forms/tools/logic/compare_states_model.h"

#include <algorithm>

#include "core/pass.h"
#include "print/logic/table_text.h"

namespace wm {

CompareStatesModel::CompareStatesModel(AppContext& ctx) : ctx_(ctx) {}

void CompareStatesModel::refresh()
{
    rows_.clear();
    message.clear();
    const PayRecord& start = ctx_.record;
    if (start.SSBase.isZero()) {
        message = kNoCalculation;
        return;
    }
    bool self = false;
    try {
        self = toInt16(ctx_.settings.get("Settings", "Self", "0")) != 0;
    } catch (const RuntimeError&) {
    }
    const PassInput in = lastInput(start, self);
    for (int i = 0; i < kStateCount; ++i) {
        Row row;
        row.state = i;
        row.chosen = i == start.intState;
        PayRecord r = start;
        r.intState = static_cast<std::int16_t>(i);
        SettingList list;
        MemorySettingsStore own;
        SettingsStore* settings = &ctx_.settings;
        if (row.chosen) {
            row.options = optionsInUse(start, ctx_.settings);
        } else {
            row.options = optionsFromEntries(i, start.valMarried, start.DepsNumber);
            applyOptions(row.options, r);
            writeOptions(row.options, list);
            own.lookThrough(&list, nullptr);
            settings = &own;
        }
        const int reportsBefore = ctx_.errors.reports;
        Pass pass(r, in, *settings, ctx_.errors);
        const bool finished = runCommand([&] { calculateCommand(pass); });
        if (!finished || ctx_.errors.reports != reportsBefore) row.problem = "Its calculation stopped on a run-time error.";
        else if (auto why = deductionsAboveGross(r)) row.problem = *why;
        else row.record = r;
        if (row.chosen) chosenCheck_ = row.check();
        rows_.push_back(std::move(row));
    }
    sortBy(column_, descending_);
}

void CompareStatesModel::sortBy(Column column, bool descending)
{
    column_ = column;
    descending_ = descending;
    auto key = [&](const Row& r) -> std::int64_t {
        switch (column) {
        case State: return r.state;
        case StateTax: return r.stateTax().count();
        default: return r.check().count();  // the difference orders as the check does
        }
    };
    std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
        if (a.record.has_value() != b.record.has_value()) return a.record.has_value();  // no figures last
        const std::int64_t x = key(a), y = key(b);
        if (x != y) return descending ? x > y : x < y;
        return a.state < b.state;
    });
}

Currency CompareStatesModel::difference(const Row& row) const { return row.check() - chosenCheck_; }

std::string CompareStatesModel::tip(const Row& row) const
{
    std::string t = std::string(stateAt(row.state).fullName.empty() ? stateAt(row.state).name : stateAt(row.state).fullName);
    t += row.chosen ? " (the state chosen)" : "";
    t += "\nState options: " + describeOptions(row.state, row.options);
    if (!row.problem.empty()) t += "\n" + row.problem;
    return t;
}

std::string CompareStatesModel::howChosen() const
{
    return howOptionsChosen(stateAt(ctx_.record.intState).name);
}

std::string CompareStatesModel::title() const
{
    const PayRecord& r = ctx_.record;
    const PayFrequency* f = payFrequency(r.HowOft);
    return "Compare States: " + formatCurrency(r.SSBase) + " " + std::string(f ? f->listText : "") + ", " +
           (r.valMarried == 0 ? "Married" : "Single") + ", " + std::to_string(r.DepsNumber) +
           (r.DepsNumber == 1 ? " exemption" : " exemptions");
}

std::string CompareStatesModel::table() const
{
    std::string s = "<3400|>2000|>2000|>2000;State|State Tax|Check Amt|Difference;";
    for (const Row& row : rows_) {
        const std::string name = tableCell(stateAt(row.state).name) + (row.chosen ? " (chosen)" : "");
        if (!row.record) s += name + "|||" + tableCell(row.problem.substr(0, 30)) + ";";
        else s += name + "|" + formatCurrency(row.stateTax()) + "|" + formatCurrency(row.check()) + "|" +
                  formatCurrency(difference(row)) + ";";
    }
    // The line under the table, broken between words: a cell does not wrap on paper.
    s += "|;";
    std::string line;
    for (std::size_t at = 0, end; at < howChosen().size(); at = end + 1) {
        end = std::min(howChosen().find(' ', at), howChosen().size());
        const std::string word = howChosen().substr(at, end - at);
        if (!line.empty() && line.size() + word.size() > 70) {
            s += tableCell(line) + ";";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return s + tableCell(line) + ";";
}

void CompareStatesModel::useRow(std::size_t i)
{
    if (i >= rows_.size() || !rows_[i].record) return;
    const Row row = rows_[i];
    saveOptions(row.options, row.state, ctx_.settings);
    applyOptions(row.options, ctx_.record);
    ctx_.nav.calculateInState(row.state);
    refresh();
}

}  // namespace wm
