#pragma once
// What a window or model is built with, for tests: the harness's pay record,
// window state, settings and error scheme, and a navigator that records what was asked.

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

// The harness with the windows' state beside its record, listed in reports.
struct WindowHarness : Harness {
    WindowState windows;
    WindowHarness() { reportWindowState(errors, windows); }
};

struct Context {
    WindowHarness h;
    RecordingNavigator nav;
    AppContext ctx{h.r, h.windows, h.settings, h.errors, nav};
};

}  // namespace wm::test
