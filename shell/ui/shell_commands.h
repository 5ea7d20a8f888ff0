#pragma once
// The main window's commands, one row each: the menus, the tool bar and the
// list bar are all built from these rows, and a key runs the row's handler.

#include <QRgb>
#include <optional>
#include <span>

#include "app/app_context.h"

namespace wm {

class MdiShell;

// One command of a menu (and of the tool bar and the list bar, where it
// stands there too).
struct ShellCommand {
    const char* key;        // the action's object name, the tool bar's key ("ID_New")
    const char* list;       // the list bar's key ("NewFile"); null where the list bar does not offer it
    const char* caption;    // in the menu, with its mnemonic ("&New")
    const char* listText;   // under the icon on the tool bar, on the list bar
    const char* tip;
    const char* shortcut;   // "" for none
    const char* glyph;      // the icon: a glyph drawn in `color`
    QRgb color;
    std::optional<FormId> form;  // the form it opens; without it in the build it is off
    bool onToolBar;
    bool separatorBefore;        // a line above it in the menu
    void (MdiShell::*run)(const ShellCommand&);
    // What the list bar does instead of replacing the current form and
    // then running `run`; null for that.
    void (MdiShell::*listRun)(const ShellCommand&) = nullptr;
};

// A menu, and the list bar's group of the same commands.
struct ShellMenu {
    const char* key;    // the menu's object name ("ID_File")
    const char* caption;
    const char* group;  // the list bar group's title
    std::span<const ShellCommand> commands;
};

// One choice of a preference: checking it runs `choose` with `value`.
struct PreferenceChoice {
    const char* key;  // "ID_Slide"
    const char* caption;
    int value;
};

// A submenu of the Preferences menu whose choices exclude each other; the
// one whose value `current` gives is checked (none where none has it).
struct PreferenceGroup {
    const char* caption;
    const char* tip;  // of each choice; "" for none
    std::span<const PreferenceChoice> choices;
    void (MdiShell::*choose)(int value);
    int (MdiShell::*current)() const;
};

}  // namespace wm
