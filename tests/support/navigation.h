#pragma once
// What a window or model is built with, for tests: the harness's pay record,
// settings and error scheme, and a navigator that records what was asked.

#include <functional>
#include <vector>

#include "app/app_context.h"
#include "support/harness.h"

namespace wm::test {

struct RecordingNavigator final : Navigator {
    void open(FormId f) override
    {
        opened.push_back(f);
        if (onOpen) onOpen(f);
    }
    void showHelp(int context) override { help.push_back(context); }
    std::vector<FormId> opened;
    std::vector<int> help;
    std::function<void(FormId)> onOpen;  // e.g. to show the form asked for
};

struct Context {
    Harness h;
    RecordingNavigator nav;
    AppContext ctx{h.r, h.settings, h.errors, nav};
};

}  // namespace wm::test
