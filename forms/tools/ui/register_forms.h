#pragma once
// Adds this library's forms to the main window's table: the Multiple Check Worksheet, the pay analysis and the Year Check.

namespace wm {

class FormRegistry;

void registerToolsForms(FormRegistry& reg);

}  // namespace wm
