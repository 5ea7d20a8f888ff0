// The manual page and the shell completion made from the option table.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/docs.h"

namespace wm::cli {
namespace {

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

// The words of the bash completion's "calc) options=(...)" line.
std::string bashOptions(const std::string& script, const std::string& command)
{
    std::size_t at = script.find("    " + command + ") options=(");
    if (at == std::string::npos) at = script.find("    " + command + "|");  // "--version|-V)"
    return at == std::string::npos ? "" : script.substr(at, script.find('\n', at) - at);
}

TEST(CliDocs, EveryOptionOfEveryCommandIsInEachPage)
{
    const std::string man = manPage("1.2.3", "2026-12-09");
    const std::string bash = bashCompletion();
    const std::string zsh = zshCompletion();
    int checked = 0;
    for (const CommandInfo& c : commands()) {
        const std::string command(c.name);
        for (const Option& o : options()) {
            if (o.name.empty() || !commandTakes(command, o.section)) continue;
            SCOPED_TRACE(command + " " + std::string(o.name));
            const std::string macro = !o.alias.empty() ? ".BR " + roffText(o.alias) + " \", \" "
                                      : o.valueName.empty() ? ".B "
                                                            : ".BI ";
            EXPECT_TRUE(has(man, macro + roffText(o.name) + "\n") || has(man, macro + roffText(o.name) + " "));
            for (const std::string_view name : {o.name, o.alias}) {
                if (name.empty()) continue;
                EXPECT_TRUE(has(bashOptions(bash, command), "'" + std::string(name) + "'")) << name;
                EXPECT_TRUE(has(zsh, "'" + std::string(name) + (o.valueName.empty() ? "[" : "=["))) << name;
            }
            ++checked;
        }
    }
    // Each command takes -h and --help.
    EXPECT_GE(checked, 55 + 6);
    for (const Option& o : options()) {
        if (o.batchKey.empty()) continue;
        EXPECT_TRUE(has(man, ".B " + std::string(o.batchKey) + "\n")) << o.batchKey;
    }
    for (const CommandInfo& c : commands()) {
        SCOPED_TRACE(std::string(c.name));
        EXPECT_TRUE(has(man, ".B wagemark\\-cli " + roffText(c.name) + "\n"));
        EXPECT_TRUE(has(bash, "'" + std::string(c.name) + "'"));
        EXPECT_TRUE(has(zsh, "'" + std::string(c.name) + ":"));
    }
    EXPECT_TRUE(has(man, "\"Wagemark 1.2.3\"")) << "the version in the page's header";
}

// A value list reaches the completion of its option, and of no other.
TEST(CliDocs, ValueListsAreOfferedAfterTheirOption)
{
    const std::string bash = bashCompletion();
    const std::string zsh = zshCompletion();
    for (const Option& o : options()) {
        if (!o.choices) continue;
        SCOPED_TRACE(std::string(o.name));
        std::string words;
        std::string zshList;
        for (const std::string& v : o.choices()) {
            words += " '" + v + "'";
            zshList += (zshList.empty() ? "(\"" : " \"") + v + "\"";
        }
        const std::string branch = "    " + std::string(o.name) + ")\n        _wagemark_cli_values \"$cur\"";
        EXPECT_TRUE(has(bash, branch + words + "\n"));
        EXPECT_TRUE(has(zsh, ":" + std::string(o.valueName) + ":" + zshList + ")'"));
    }
    // The states with blanks in their names are offered whole.
    EXPECT_TRUE(has(bash, " 'New Mexico' ")) << "one word for bash";
    EXPECT_TRUE(has(zsh, " \"New Mexico\" ")) << "one word for zsh";
}

TEST(CliDocs, TheTableHasNoProblems)
{
    for (const std::string& p : tableProblems(options())) ADD_FAILURE() << p;
}

// Rows that would make the pages promise what the tool refuses.
TEST(CliDocs, ProblemsAreFound)
{
    const auto find = [](std::string_view name) {
        return *std::find_if(options().begin(), options().end(), [&](const Option& o) { return o.name == name; });
    };
    Option badValue = find("--frequency");
    badValue.choices = [] { return std::vector<std::string>{"weekly", "fortnightly"}; };
    Option valueOfSwitch = find("--json");
    valueOfSwitch.choices = [] { return std::vector<std::string>{"yes"}; };
    Option noHelp = find("--hours");
    noHelp.help = "";
    const struct {
        const char* name;
        Option row;
        const char* problem;
    } rows[] = {
        {"a value its option refuses", badValue, "--frequency offers \"fortnightly\", refused: --frequency: expected"},
        {"values for a switch", valueOfSwitch, "--json offers values but is a switch"},
        {"no help", noHelp, "--hours has no help text"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const std::vector<std::string> problems = tableProblems(std::span(&r.row, 1));
        ASSERT_FALSE(problems.empty());
        EXPECT_EQ(problems.front().rfind(r.problem, 0), 0u) << problems.front();
    }
}

TEST(CliDocs, RoffTextIsTakenAsText)
{
    const struct {
        const char* in;
        const char* out;
    } rows[] = {
        {"--state-401k", "\\-\\-state\\-401k"},          // minus signs, not hyphens
        {".03 is 3 %", "\\&.03 is 3 %"},                  // not a request
        {"'quoted'", "\\&'quoted'"},                      // not a request either
        {"C:\\path", "C:\\epath"},                        // a backslash shown
        {"3 and .03", "3 and .03"},                       // a dot inside a line stays
    };
    for (const auto& r : rows) EXPECT_EQ(roffText(r.in), r.out) << r.in;
}

}  // namespace
}  // namespace wm::cli
