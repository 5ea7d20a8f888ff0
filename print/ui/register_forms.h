#pragma once
// Adds this library's forms to the main window's table: the print window.

namespace wm {

class FormRegistry;

void registerPrintForms(FormRegistry& reg);

}  // namespace wm
