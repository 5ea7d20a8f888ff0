#pragma once
// A calculator without a window: the harness's pay record, settings and
// scripted error reports, and a navigator that records what was opened.

#include <vector>

#include "forms/main/main_form_model.h"
#include "support/harness.h"

namespace wm::test {

struct RecordingNavigator final : Navigator {
    void open(FormId f) override { opened.push_back(f); }
    void showHelp(int context) override { help.push_back(context); }
    std::vector<FormId> opened;
    std::vector<int> help;
};

struct Calculator {
    Harness h;
    RecordingNavigator nav;
    AppContext ctx{h.r, h.settings, h.errors, nav};
    MainFormModel main{ctx};

    std::string saved(std::string_view key, std::string_view section = "Settings")
    {
        return h.settings.get(section, key, "<none>");
    }
};

}  // namespace wm::test
