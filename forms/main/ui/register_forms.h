#pragma once
// Adds this library's forms to the main window's table: the main calculator and the state options dialog.

namespace wm {

class FormRegistry;

void registerMainForms(FormRegistry& reg);

}  // namespace wm
