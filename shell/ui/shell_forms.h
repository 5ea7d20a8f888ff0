#pragma once
// The forms of the main window: the shell's own (the about box and the
// calendar) and, for the program and its tests, every form of every library.

namespace wm {

class FormRegistry;

void registerShellForms(FormRegistry& reg);
// The shell's forms and those of forms/main, forms/w4, forms/tools and print.
void registerAllForms(FormRegistry& reg);

}  // namespace wm
