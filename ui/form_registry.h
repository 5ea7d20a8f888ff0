#pragma once
// The table of forms the main window can open.
//
// How a form joins the program
// ----------------------------
// A forms library (forms/w4, forms/tools, print, ...) has one registration
// function that adds a row per form, declared in the library's
// register_forms.h, for example forms/w4/ui/register_forms.cpp:
//
//   void wm::registerW4Forms(FormRegistry& reg)
//   {
//       reg.add({FormId::PersonalInfo, "frmName", "Personal Information", formCode(FormId::PersonalInfo),
//                [](AppContext& ctx, QWidget* parent) -> QWidget* {
//                    return new PersonalInfoWindow(ctx, parent);
//                }});
//   }
//
// The shell calls each library's function at start-up (`registerAllForms`,
// shell/ui/shell_forms.h); tests open forms through the same function. A form
// without a row shows its commands disabled on the tool bar and list bar
// ("Not available in this build").
//
// What the shell does with a row:
//   - Child (the default): the widget becomes an MDI child of the main window;
//     opening it again brings the existing one forward. Its window title is
//     the caption unless the widget sets one. Closing the child (the user, or
//     `Navigator::close`) deletes the widget.
//   - Modal: the factory returns a QDialog (or any widget, which the shell
//     puts into one); the shell runs it modally over the main window and
//     deletes it afterwards.
//   - Maximized: a child shown maximized inside the main window.
//   - Owned: a dialog that another form (`owner`) runs itself, such as the
//     calculator's local tax and pay raise tool. The shell opens the owner
//     when asked for it; the row lets every walk over the program's windows
//     (the keyboard and screen reader tests) meet the dialog too. Its
//     factory takes the owner's widget as the parent and returns nothing
//     for any other parent.
// The current-form code `frmLoaded` is kept by the shell: the row's code
// while the form is the active child (or the open modal dialog), "0" when no
// form is active.

#include <QString>
#include <vector>

#include "app/app_context.h"

class QWidget;

namespace wm {

using FormFactory = QWidget* (*)(AppContext& ctx, QWidget* parent);

// What a command of a form without a row says.
inline constexpr const char* kNotAvailable = "Not available in this build";

enum class FormKind { Child, Maximized, Modal, Owned };

struct FormEntry {
    FormId id;
    const char* objectName;  // "frmMain": the widget's object name
    QString caption;         // window title and command text
    const char* code;        // frmLoaded while the form is current: formCode(id)
    FormFactory make;
    FormKind kind = FormKind::Child;
    FormId owner = FormId::Main;  // the form that runs an Owned dialog
};

class FormRegistry {
public:
    // A second row for the same form replaces the first.
    void add(FormEntry entry);
    const FormEntry* find(FormId id) const;
    bool has(FormId id) const { return find(id) != nullptr; }
    const std::vector<FormEntry>& entries() const { return entries_; }

private:
    std::vector<FormEntry> entries_;
};

}  // namespace wm
