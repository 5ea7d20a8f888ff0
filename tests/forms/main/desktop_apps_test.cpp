// Which desktop calculator and word processor the calculator's buttons start.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "forms/main/ui/desktop_apps.h"

namespace wm {
namespace {

TEST(DesktopPrograms, FirstInstalledExecutableOfTheList)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("wagemark-apps-" + std::to_string(::getpid()));
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    auto make = [](const fs::path& p, bool exec) {
        std::ofstream(p) << "#!/bin/sh\n";
        fs::permissions(p, exec ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
    };
    make(dir / "a" / "kcalc", false);  // not executable
    make(dir / "b" / "kcalc", true);
    make(dir / "a" / "xcalc", true);
    const std::string path = (dir / "a").string() + "::" + (dir / "b").string();
    const auto found = findProgram(calculatorPrograms(), path);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->program, (dir / "b" / "kcalc").string());
    EXPECT_FALSE(findProgram(calculatorPrograms(), (dir / "missing").string()));
    EXPECT_FALSE(findProgram(wordProcessorPrograms(), path));
    EXPECT_NE(programNames(calculatorPrograms()).find("gnome-calculator, kcalc"), std::string::npos);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace wm
