#pragma once
// Adds this library's forms to the main window's table: the W-4 worksheets, the certificate view, the personal information form and the table picker.

namespace wm {

class FormRegistry;

void registerW4Forms(FormRegistry& reg);

}  // namespace wm
