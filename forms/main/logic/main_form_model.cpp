#include "forms/main/logic/main_form_model.h"

#include "core/state_dispatch.h"
#include "forms/main/logic/state_options_model.h"
#include "states/registry.h"

namespace wm {

namespace {

constexpr int kInvalidPropertyValue = 380;

// A stored list position outside its list cannot be shown.
int listPosition(std::int16_t value, int count)
{
    if (value < 0 || value >= count) raise(kInvalidPropertyValue, "Invalid property value");
    return value;
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The field's conversion; a refusal names the field by its label.
template <class T, class F>
std::optional<Refusal> checkEntry(std::string_view label, std::string_view text, std::string_view notReadable, F convert)
{
    return readEntry<T>(text, convert, [&](EntryFault fault) {
               const std::string l(label);
               if (fault == EntryFault::TooLarge)
                   return Refusal{l, "The " + l + " " + quoted(text) + " is too large to calculate with."};
               return Refusal{l, "The " + l + " " + quoted(text) + std::string(notReadable)};
           })
        .refusal;
}

}  // namespace

std::optional<Refusal> checkAmount(std::string_view label, std::string_view text)
{
    return checkEntry<Currency>(label, text, " is not an amount. Enter a number such as 1250, 1,250.00 or $1,250.00.",
                                [](std::string_view t) { return toCurrency(t); });
}

std::optional<Refusal> checkNumber(std::string_view label, std::string_view text)
{
    return checkEntry<double>(label, text, " is not a number. Enter a number such as 5 or 0.05.",
                              [](std::string_view t) { return toDouble(t); });
}

std::optional<Refusal> checkEntry(Input input, std::string_view text)
{
    const InputLimit& limit = limitOf(input);
    const bool amount = limit.unit == InputUnit::Amount;
    if (auto p = amount ? checkAmount(limit.field, text) : checkNumber(limit.field, text)) {
        p->input = input;
        return p;
    }
    if (textWithin(limit, text)) return std::nullopt;
    return Refusal::of(input, outOfRange(limit, text));
}

std::string shownPercent(const std::string& kept)
{
    if (isBlank(kept)) return kept;
    try {
        return percentText(percentFraction(toDouble(kept)));
    } catch (const RuntimeError&) {
        return kept;
    }
}

MainFormModel::MainFormModel(AppContext& ctx) : ctx_(ctx)
{
    ctx_.errors.setModuleVariables("frmMain", [this] {
        return VarList{"Pic", std::to_string(Pic), "varLocalTaxColor", std::to_string(varLocalTaxColor)};
    });
}

MainFormModel::~MainFormModel() { ctx_.errors.clearModuleVariables("frmMain"); }

int MainFormModel::defaultHours(int howOft)
{
    const PayFrequency* f = payFrequency(howOft);
    return f ? f->defaultHours : 0;
}

bool MainFormModel::hintAtActivation(int s) { return stateNeedsOptions(s); }

int MainFormModel::wrapPicture(int pic, std::string_view design)
{
    if (design == "Patterns") return pic >= 24 && pic <= 38 ? pic : 24;
    if (design == "Pictures" || design.empty()) return pic >= 1 && pic <= 23 ? pic : 1;
    return pic;
}

void MainFormModel::load()
{
    PayRecord& r = ctx_.record;
    SettingsStore& s = ctx_.settings;
    Procedure proc(ctx_.errors, "frmMain", "Form_Load");
    proc.topLevel();
    proc.run([&] { ctx_.state.frmLoaded = formCode(FormId::Main); },
             [&] { r.DepsNumber = s.getInt16("Settings", "Deps", 0, limitOf(Input::Exemptions)); },
             [&] { txtIncome = s.getEntry("Settings", "IncAmt", "0", limitOf(Input::Income)); },
             // Kept as the fraction; shown as the percentage it is.
             [&] { txt401k = shownPercent(s.getEntry("Settings", "401k", "0", limitOf(Input::Percent401k))); },
             [&] { txtPreTax = s.getEntry("Settings", "NotTax", "0", limitOf(Input::PreTax)); },
             [&] { txtPreFICA = s.getEntry("Settings", "SSExmp", "0", limitOf(Input::PreFica)); },
             [&] { r.intState = s.getInt16("Settings", "State", 0, 0, kStateCount - 1); },
             [&] { txtHours = s.getEntry("Settings", "Hours", "0", limitOf(Input::Hours)); },
             [&] { r.HowOft = s.getInt16("Settings", "Frequency", kDefaultFrequency, 0, kLastFrequency); },
             [&] { r.valMarried = s.getInt16("Settings", "MaritalStat", 0, 0, 2); },
             [&] { r.SPval = s.getFraction("Settings", "Local", 0, limitOf(Input::LocalRate)); },
             [&] { r.Method = s.getInt16("StateInfo", "MMethod", 0); },
             [&] { chkSelfEmployed = s.getInt16("Settings", "Self", 0) != 0; },
             [&] { ctx_.state.intShowStateLabel = s.getInt16("Settings", "PgInst", 10); },
             [&] { properPicture(); },
             [&] { cboExemptions = listPosition(r.DepsNumber, kMaxExemptions + 1); },
             [&] { cboState = listPosition(r.intState, kStateCount); },
             [&] { lstFrequency = listPosition(r.HowOft, kFrequencyCount); },
             // Selecting the option runs its click rule: a stored 2 becomes 1.
             [&] { statusClicked(listPosition(r.valMarried, 3)); },
             [&] { varLocalTaxColor = r.SPval == 0 ? kBlack : kDarkRed; },
             // The saved state options count from the first Calculate on.
             [&] { StateOptionsModel::readSaved(r, s); },
             [&] { followOptions(); });
}

void MainFormModel::followOptions()
{
    const int chosen = cboState;
    const int optionsFor = StateOptionsModel::savedFor(ctx_.settings);
    if (optionsFor == chosen) stateHintVisible = false;
    optionsHint.clear();
    // Options set for no state hold nothing a state would use.
    if (optionsFor <= 0 || optionsFor == chosen) return;
    const std::string_view set = stateAt(optionsFor).name;
    optionsHint = chosen == 0 ? concat("The state options are set for ", set,
                                       ", but no state is chosen under State Tax: choose ", set, " there to use them.")
                              : concat("The state options are set for ", set, ", not for ", stateAt(chosen).name,
                                       ": choose ", set, " under State Tax, or set ", stateAt(chosen).name,
                                       "'s in State Options.");
}

void MainFormModel::activate()
{
    PayRecord& r = ctx_.record;
    Procedure proc(ctx_.errors, "frmMain", "Form_Activate");
    proc.topLevel();
    proc.run([&] { stateHintVisible = CheckState(r, ctx_.settings, ctx_.errors); },
             [&] {
                 if (ctx_.state.intShowStateLabel == 10) stateHintVisible = false;
                 else if (ctx_.state.intShowStateLabel == 20) stateHintVisible = hintAtActivation(r.intState);
             },
             [&] { followOptions(); });
}

void MainFormModel::unload() { ctx_.state.frmLoaded = kNoFormCode; }

std::optional<Refusal> MainFormModel::check() const
{
    if (auto p = checkEntry(Input::Income, txtIncome)) return p;
    if (auto p = checkEntry(Input::Hours, txtHours)) return p;
    if (auto p = checkEntry(Input::Percent401k, txt401k)) return p;
    if (auto p = checkEntry(Input::PreTax, txtPreTax)) return p;
    if (auto p = checkEntry(Input::PreFica, txtPreFICA)) return p;
    if (const auto part = partAboveIncome(txtIncome, txtPreTax, txtPreFICA))
        return Refusal::of(*part, aboveIncome(*part, *part == Input::PreTax ? txtPreTax : txtPreFICA, txtIncome));
    return std::nullopt;
}

PassInput MainFormModel::passInput() const
{
    PassInput in;
    in.txtIncome = txtIncome;
    in.txt401k = txt401k;
    in.txtPreTax = txtPreTax;
    in.txtPreFICA = txtPreFICA;
    in.exemptions = std::to_string(cboExemptions);
    in.chkSelfEmployed = chkSelfEmployed;
    return in;
}

void MainFormModel::beforeCommand()
{
    if (raiseVisible) {
        raiseCaption = "Raise";
        raiseColor = kBlack;
    }
}

std::optional<Refusal> MainFormModel::calculate()
{
    if (auto problem = check()) return problem;
    PayRecord& r = ctx_.record;
    SettingsStore& s = ctx_.settings;
    const PassInput in = passInput();
    std::optional<Refusal> refusal;
    runCommand([&] {
        Procedure proc(ctx_.errors, "frmMain", "cmdToolBar_Click");
        proc.params([] { return VarList{"Index", "0"}; });
        const bool passed = proc.run(
            [&] { beforeCommand(); },
            [&] {
                // The lists are what the user sees; the record follows them.
                r.HowOft = static_cast<std::int16_t>(lstFrequency);
                r.intState = static_cast<std::int16_t>(cboState);
            },
            [&] {
                if (isBlank(txtHours) || txtHours == "0") txtHours = std::to_string(defaultHours(r.HowOft));
            },
            [&] {
                const PayRecord before = r;
                auto shown = std::tie(lblModified, notice, resultLabels, explanation);
                const auto shownBefore = std::make_tuple(lblModified, notice, resultLabels, explanation);
                runPass(in, 0);
                // A negative check is refused like any entry: the record, what
                // the window shows and the saved entries stay as they were.
                if (auto why = deductionsAboveGross(r)) {
                    r = before;
                    shown = shownBefore;
                    refusal = Refusal::of(Input::Percent401k, std::move(*why));
                }
            });
        if (!passed || refusal) return;
        proc.runFrom(104,
            [&] { raiseVisible = true; },
            [&] { s.save("Settings", "IncAmt", formatPlain(r.SSBase)); },
            [&] { s.save("Settings", "Hours", txtHours); },
            [&] { s.save("Settings", "401k", formatPlain(r.PerCent401k)); },
            [&] { s.save("Settings", "NotTax", formatPlain(r.PreTax)); },
            [&] { s.save("Settings", "State", std::to_string(cboState)); },
            [&] { s.save("Settings", "Frequency", std::to_string(r.HowOft)); },
            [&] { s.save("Settings", "MaritalStat", std::to_string(r.valMarried)); },
            [&] { s.save("Settings", "LocalAmt", formatPlain(r.amtLocalTax)); },
            [&] { s.save("Settings", "SSExmp", formatPlain(r.SSEmp)); },
            [&] { showResults(); });
    });
    return refusal;
}

void MainFormModel::runPass(const PassInput& in, std::int16_t origin)
{
    Trace trace;
    Pass pass(ctx_.record, in, ctx_.settings, ctx_.errors);
    pass.trace = &trace;
    calculateCommand(pass, origin);
    takeResults(pass, trace);
}

void MainFormModel::calculateRaised()
{
    PayRecord& r = ctx_.record;
    r.HowOft = static_cast<std::int16_t>(lstFrequency);
    r.intState = static_cast<std::int16_t>(cboState);
    runPass(passInput(), 1);
    showResults();
}

void MainFormModel::takeResults(Pass& pass, Trace& trace)
{
    lblModified = pass.lblModified;
    notice = pass.notice;
    resultLabels = pass.resultLabels();
    explanation = std::move(trace.lines);
}

void MainFormModel::showResults()
{
    const auto rows = gridRows(ctx_.record);
    grid.assign(rows.begin(), rows.end());
    printEnabled = true;
    shownInputs_ = inputsKey();
}

void MainFormModel::dropResults(const std::string& why)
{
    grid.clear();
    explanation.clear();
    resultLabels = {};
    printEnabled = false;
    shownInputs_.clear();
    notice = why;
}

std::string MainFormModel::inputsKey() const
{
    // Everything the pass reads that can change between two Calculates.
    const PayRecord& r = ctx_.record;
    SettingsStore& s = ctx_.settings;
    std::string key;
    for (const std::string& part :
         {txtIncome, txt401k, txtPreTax, txtPreFICA, std::to_string(cboState), std::to_string(cboExemptions),
          std::to_string(lstFrequency), std::to_string(r.valMarried), std::string(chkSelfEmployed ? "1" : "0"),
          std::to_string(r.intSMarried), std::to_string(r.StateRate), std::to_string(r.StateDeps),
          std::to_string(r.ILINDeps), std::to_string(r.StateExmp), formatFixed4(r.StateAdd), std::to_string(r.Method),
          formatPlain(r.SPval), std::to_string(r.SPtx), s.get("StateInfo", "sta401", "N"),
          s.get("StateInfo", "staPreTax", "N"), s.get("StateInfo", "missPart", "0")})
        key += part + '\n';
    return key;
}

bool MainFormModel::resultsCurrent() const { return !grid.empty() && shownInputs_ == inputsKey(); }

std::optional<Refusal> MainFormModel::freshForPrint()
{
    if (resultsCurrent()) return std::nullopt;
    if (auto problem = calculate()) return problem;
    if (resultsCurrent()) return std::nullopt;
    return Refusal{"", "The results do not match the entries. Press Calculate, then print."};
}

void MainFormModel::clear()
{
    txtIncome.clear();
    txtHours.clear();
    txt401k.clear();
    txtPreTax.clear();
    txtPreFICA.clear();
    // Lists back to their first item, as a user's choice (saved).
    selfEmployedClicked(false);
    stateClicked(0);
    exemptionsClicked(0);
    // No status at all would leave the hidden previous one in force; the
    // first option is what a new calculator starts with.
    statusClicked(0);
    grid.clear();
    lblModified.clear();
    notice.clear();
    explanation.clear();
    resultLabels = {};
    printEnabled = false;
}

void MainFormModel::clearResults()
{
    PayRecord& r = ctx_.record;
    r.SPval = 0;
    r.SSBase = r.amt401k = r.PreTax = r.SSEmp = r.fTax = r.sTax = r.amtLocalTax = r.amtSS = r.amtMedicare =
        r.amtFICA = Currency();
    varLocalTaxColor = kBlack;
}

void MainFormModel::stateClicked(int index)
{
    Procedure proc(ctx_.errors, "frmMain", "cboState_Click");
    proc.topLevel();
    proc.run([&] { cboState = listPosition(static_cast<std::int16_t>(index), kStateCount); },
             [&] { ctx_.settings.save("Settings", "State", std::to_string(cboState)); },
             [&] {
                 ctx_.settings.save("Settings", "StateName",
                                    stateList()[static_cast<std::size_t>(cboState)].name);
             },
             [&] { stateHintVisible = CheckState(ctx_.record, ctx_.settings, ctx_.errors); },
             [&] { followOptions(); });
}

void MainFormModel::exemptionsClicked(int index)
{
    cboExemptions = index;
    ctx_.settings.save("Settings", "Deps", std::to_string(index));
}

void MainFormModel::frequencyClicked(int index)
{
    // Hours still at the old frequency's default follow the new frequency.
    if (!isBlank(txtHours) && index != lstFrequency) {
        try {
            if (toDouble(txtHours) == defaultHours(lstFrequency)) txtHours = std::to_string(defaultHours(index));
        } catch (const RuntimeError&) {
            // Typed text that is no number stays for Calculate to refuse.
        }
    }
    lstFrequency = index;
    ctx_.record.HowOft = static_cast<std::int16_t>(index);
    ctx_.settings.save("Settings", "Frequency", std::to_string(index));
}

void MainFormModel::statusClicked(int option)
{
    optStatus = option;
    // The third option withholds at the single rate.
    ctx_.record.valMarried = option == 0 ? 0 : 1;
}

void MainFormModel::selfEmployedClicked(bool checked)
{
    chkSelfEmployed = checked;
    ctx_.settings.save("Settings", "Self", checked ? "-1" : "0");
}

void MainFormModel::stateHintClicked()
{
    stateHintVisible = false;
    ctx_.settings.save("Settings", "PgInst", "10");
}

void MainFormModel::setStateHint(bool visible)
{
    stateHintVisible = visible;
    followOptions();
}

void MainFormModel::incomeFocused()
{
    raiseCaption = "Raise";
    raiseColor = kBlack;
    raiseVisible = false;
}

void MainFormModel::properPicture()
{
    Procedure proc(ctx_.errors, "frmMain", "ProperPicture");
    proc.topLevel();
    // A saved number outside every design is one more unreadable setting;
    // one of the other design is brought into this one's range.
    proc.run([&] { Pic = ctx_.settings.getInt16("Settings", "BckGnd", 1, 1, 38); },
             [&] { Pic = wrapPicture(Pic, ctx_.state.strPicSelect); },
             [&] {
                 if (Pic < 1 || Pic > 38) raise(err::kFileNotFound, "File not found: " + std::to_string(Pic) + ".jpg");
             });
}

void MainFormModel::nextPicture()
{
    Procedure proc(ctx_.errors, "frmMain", "cmdRotatePic_Click");
    proc.topLevel();
    proc.run([&] { Pic = wrapPicture(Pic + 1, ctx_.state.strPicSelect); },
             [&] { ctx_.settings.save("Settings", "BckGnd", std::to_string(Pic)); },
             [&] {
                 if (Pic < 1 || Pic > 38) raise(err::kFileNotFound, "File not found: " + std::to_string(Pic) + ".jpg");
             });
}

void MainFormModel::receiveIncome(const std::string& text, int howOft)
{
    txtIncome = text;
    if (knownFrequency(howOft)) frequencyClicked(howOft);
    // Results of the old income must not stay under the new one.
    if (auto problem = calculate()) dropResults(problem->message);
}

bool MainFormModel::keepForComparison()
{
    if (grid.empty()) return false;
    const PayRecord& r = ctx_.record;
    const PayFrequency* f = payFrequency(r.HowOft);
    const std::string percent = percentText(r.PerCent401k);
    kept = Kept{grid, concat("Income ", formatCurrency(r.SSBase), ", ", f ? f->listText : "", ", ",
                             optStatus == 0 ? "Married" : optStatus == 1 ? "Single" : "Married Claiming Single", ", ",
                             r.DepsNumber, r.DepsNumber == 1 ? " exemption, " : " exemptions, ", stateAt(r.intState).name,
                             ", 401(k) ", percent, " %")};
    return true;
}

void MainFormModel::localRateChanged() { varLocalTaxColor = ctx_.record.SPval != 0 ? kDarkRed : kBlack; }

}  // namespace wm
