#pragma once
// A calculator without a window, on the shared test context.

#include "forms/main/logic/main_form_model.h"
#include "support/navigation.h"

namespace wm::test {

struct Calculator : Context {
    MainFormModel main{ctx};

    std::string saved(std::string_view key, std::string_view section = "Settings")
    {
        return h.settings.get(section, key, "<none>");
    }
};

}  // namespace wm::test
