#pragma once
// The forms, named by FormId everywhere; the one table of their current-form
// codes (frmLoaded, as the error report lists it).

namespace wm {

// The forms of the program: the main window's child forms and the splash.
enum class FormId {
    Main,             // frmMain
    StateOptions,     // frmState
    LocalTaxRaise,    // frmMisc (opened by the main form, modal)
    PersonalInfo,     // frmName
    W4View,           // frmW4
    PersWkSht,        // frmPersWkSht
    DeductionsWkSht,  // Deductions and Adjustments Worksheet
    TwoEarnerWkSht,   // Two-Earner/Two-Job Worksheet
    TableOne,         // frmTableOne, the table picker
    MultiCheck,       // frmMultiCheck
    Analysis,         // frmAnalysis
    Print,            // frmPrint (print preview / print of intAction, FromForm)
    Calendar,         // frmCalendar
    About,            // frmAbt
    YearCheck,        // frmYearCheck
    YearCheckPreview, // the Year Check's print preview (run by the Year Check)
    BonusCheck,       // frmBonusCheck
    CompareStates,    // frmCompareStates
    Splash,           // the splash screen while the program starts
};

// The current-form code (frmLoaded, as the error report lists it) of each
// form while it is current; kNoFormCode while none is.
struct FormCode {
    FormId form;
    const char* code;
};
inline constexpr FormCode kFormCodes[] = {
    {FormId::TwoEarnerWkSht, "1"},  {FormId::About, "2"},           {FormId::Analysis, "3"},
    {FormId::Calendar, "4"},        {FormId::DeductionsWkSht, "5"}, {FormId::Main, "6"},
    {FormId::LocalTaxRaise, "7"},   {FormId::MultiCheck, "8"},      {FormId::PersonalInfo, "9"},
    {FormId::PersWkSht, "11"},      {FormId::Print, "12"},          {FormId::Splash, "13"},
    {FormId::StateOptions, "15"},   {FormId::TableOne, "16"},       {FormId::W4View, "17"},
    {FormId::YearCheck, "18"},      {FormId::YearCheckPreview, "18"},  // the preview is the Year Check's
    {FormId::BonusCheck, "19"},     {FormId::CompareStates, "20"},
};
inline constexpr const char* kNoFormCode = "0";

constexpr const char* formCode(FormId form)
{
    for (const FormCode& f : kFormCodes)
        if (f.form == form) return f.code;
    return kNoFormCode;
}
// Every form has its code.
static_assert([] {
    for (int i = 0; i <= static_cast<int>(FormId::Splash); ++i) {
        bool found = false;
        for (const FormCode& f : kFormCodes) found = found || f.form == static_cast<FormId>(i);
        if (!found) return false;
    }
    return true;
}());

}  // namespace wm
