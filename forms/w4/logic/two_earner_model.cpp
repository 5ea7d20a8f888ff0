#include "forms/w4/logic/two_earner_model.h"

#include <cmath>

#include "app/form_id.h"

namespace wm::w4 {

std::vector<TableRow> tableRows(int table, TableGroup group)
{
    std::vector<TableRow> rows;
    if (table == 1) {
        auto add = [&rows](const auto& column) {
            std::int16_t value = 0;
            for (std::string_view label : column) rows.push_back({label, value++});
        };
        if (group == TableGroup::MarriedJointly) add(kTable1MarriedJointly);
        else add(kTable1AllOthers);
        return rows;
    }
    for (const Table2Row& row : kTable2)
        rows.push_back({group == TableGroup::MarriedJointly ? row.marriedJointly : row.allOthers, row.amount});
    return rows;
}

std::string_view tableHeading(int table) { return table == 1 ? "Table 1" : "Table 2"; }

std::string_view tableTitle(int table)
{
    return table == 1 ? "If wages from LOWEST paying job are -" : "If wages from HIGHEST paying job are -";
}

Line3 line3(double line1, double line2)
{
    if (line1 >= line2) {
        const double rest = std::nearbyint(line1 - line2);
        if (!(rest >= -32768.0 && rest <= 32767.0)) raise(err::kOverflow);
        return {static_cast<std::int16_t>(rest), true};
    }
    return {0, false};
}

Currency line8(Currency line7, std::int16_t line6) { return line7 * line6; }

Currency line9(Currency line8, double payPeriods)
{
    if (payPeriods == 0) raise(err::kDivisionByZero);
    return Currency::round(line8.toDouble() / payPeriods);
}

// ---- Worksheet ---------------------------------------------------------

TwoEarnerWkSht::TwoEarnerWkSht(WindowState& state, ErrorScheme& errors) : state_(state), errors_(errors)
{
    lblDedFromG = std::to_string(state_.PersWkShtDeps);
    lbl2WkerT1 = "0";
    errors_.setModuleVariables(kName, [this] {
        return VarList{"numLine6", std::to_string(numLine6_), "amtLine7", formatPlain(amtLine7_), "amtResult",
                       formatPlain(amtResult_)};
    });
}

TwoEarnerWkSht::~TwoEarnerWkSht()
{
    errors_.clearModuleVariables(kName);
}

void TwoEarnerWkSht::setLine3(std::string text)
{
    // Line 3 never shows a number below 0.
    if (!text.empty() && toDouble(text) < 0) text = "0";
    lbl2Wker3 = std::move(text);
}

void TwoEarnerWkSht::showTable(int index) { state_.Table = static_cast<std::int16_t>(index == 1 ? 2 : 1); }

void TwoEarnerWkSht::applyTable1Row(std::int16_t value)
{
    runCommand([&] {
        Procedure p(errors_, TablePicker::kName, "lstTableOne_Click");
        p.run(
            [&] {
                lbl2WkerT1 = std::to_string(value);
                lbl2WkerResult4 = lbl2WkerT1;
                lblDollarAmt.clear();  // line 9 of another line 4 no longer holds
            },
            [&] {
                const Line3 l = line3(toDouble(lblDedFromG), toDouble(lbl2WkerT1));
                state_.num2Wker = l.num2Wker;
                setLine3(std::to_string(l.num2Wker));
                if (l.lineOneCovers) {
                    nextPageEnabled = false;
                    formW4OnPage1Visible = true;
                } else {
                    nextPageEnabled = true;
                }
            },
            [&] { state_.PersWkShtDeps = state_.num2Wker; },
            [&] { handOverLines(); });
    });
}

void TwoEarnerWkSht::applyTable2Row(std::int16_t amount)
{
    runCommand([&] {
        Procedure p(errors_, TablePicker::kName, "lstTableOne_Click");
        p.run([&] { lblTable2 = std::to_string(amount); },
              // Line 9 of another line 7 no longer holds.
              [&] { lblDollarAmt.clear(); }, [&] { state_.PersWkShtDeps = state_.num2Wker; }, [&] { handOverLines(); });
    });
}

void TwoEarnerWkSht::handOverLines()
{
    // Line 3 is line 5; line 9, once calculated for this line 7, is line 6.
    handOver(state_, std::to_string(state_.PersWkShtDeps), lblDollarAmt);
}

void TwoEarnerWkSht::normaliseLines45()
{
    if (lbl2WkerResult4.empty()) lbl2WkerResult4 = "0";
    if (lbl2WkerResult5.empty()) lbl2WkerResult5 = "0";
}

void TwoEarnerWkSht::normalisePage2()
{
    if (lbl2WkerResult6.empty()) lbl2WkerResult6 = "0";
    if (lblTable2.empty()) lblTable2 = "0";
    numLine6_ = toInt16(lbl2WkerResult6);
    amtLine7_ = toCurrency(lblTable2);
}

void TwoEarnerWkSht::nextPage()
{
    runCommand([&] {
        Procedure p(errors_, kName, "cmdW4Back_Click");
        p.params([] { return VarList{"Index", "0"}; });
        p.run([&] { normaliseLines45(); }, [&] { page = 2; },
              [&] { lbl2WkerResult5 = lblDedFromG; },
              [&] {
                  lbl2WkerResult6 = formatPlain(toDouble(lbl2WkerResult4) - toDouble(lbl2WkerResult5));
              });
    });
}

void TwoEarnerWkSht::previousPage()
{
    runCommand([&] {
        Procedure p(errors_, kName, "cmdW4Back_Click");
        p.params([] { return VarList{"Index", "1"}; });
        p.run([&] { normaliseLines45(); }, [&] { page = 1; }, [&] { lbl2WkerResult4 = lbl2WkerT1; });
    });
}

Next TwoEarnerWkSht::calendar()
{
    normaliseLines45();
    Next n;
    n.open = FormId::Calendar;
    return n;
}

std::optional<Refusal> TwoEarnerWkSht::calculate()
{
    // The pay-days entry is the only thing typed on this worksheet.
    const std::string payDays = isBlank(txtNumPayDays) ? std::string("1") : txtNumPayDays;
    Read<double> periods = readPayPeriods(payDays, "9");
    if (!periods) return periods.refusal;

    runCommand([&] {
        Procedure p(errors_, kName, "cmdPersWrkCalc_Click");
        p.params([] { return VarList{"Index", "0"}; });
        p.run([&] { normalisePage2(); },
              [&] {
                  amtResult_ = line8(amtLine7_, numLine6_);
                  lblMultiply8 = formatPlain(amtResult_);
              },
              [&] { txtNumPayDays = payDays; },
              [&] {
                  state_.DollarAmt = line9(amtResult_, periods.value);
                  lblDollarAmt = formatPlain(state_.DollarAmt);
              },
              [&] { handOverLines(); });
    });
    return std::nullopt;
}

Next TwoEarnerWkSht::formW4(int index)
{
    Next n;
    runCommand([&] {
        Procedure p(errors_, kName, "cmdPersWrkCalc_Click");
        p.params([index] { return VarList{"Index", std::to_string(index)}; });
        p.run([&] { normalisePage2(); },
              [&] {
                  n.open = FormId::W4View;
                  n.closeSelf = index == 1;
              },
              [&] { handOverLines(); });
    });
    return n;
}

// ---- Picker ------------------------------------------------------------

TablePicker::TablePicker(WindowState& state)
    : state_(state), table_(state.Table == 2 ? 2 : 1), previousCode_(state.frmLoaded)
{
    state_.frmLoaded = formCode(FormId::TableOne);
    lblCboTable = tableHeading(table_);
    caption = tableTitle(table_);
    chooseGroup(TableGroup::MarriedJointly);
}

TablePicker::~TablePicker() { state_.frmLoaded = previousCode_; }

void TablePicker::chooseGroup(TableGroup g)
{
    group = g;
    lstTableOne = tableRows(table_, g);
}

}  // namespace wm::w4
