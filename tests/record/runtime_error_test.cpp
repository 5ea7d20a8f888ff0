// The uniform handler: what a report carries and what each answer does.
#include <gtest/gtest.h>

#include "support/harness.h"

namespace wm {
namespace {

// Runs four statements; the second fails `failures` times.
struct StepRun {
    test::Harness h;
    std::vector<int> ran;
    bool finished = false;

    bool go(int failures)
    {
        return runCommand([&] {
            Procedure p(h.errors, "modTest", "Steps");
            finished = p.run([&] { ran.push_back(100); },
                             [&] {
                                 if (failures-- > 0) raise(err::kDivisionByZero);
                                 ran.push_back(101);
                             },
                             [&] { ran.push_back(102); }, [&] { ran.push_back(103); });
        });
    }
};

TEST(Handler, RaiseEndsTheCommandNotTheProgram)
{
    StepRun r;
    r.h.log.answers = {3};
    EXPECT_FALSE(r.go(1));
    EXPECT_EQ(r.ran, std::vector<int>{100});
    ASSERT_EQ(r.h.log.reports.size(), 1u);
    EXPECT_EQ(r.h.log.reports[0].field("Line Number"), "101");
    EXPECT_EQ(r.h.log.reports[0].field("Description"), "Division by zero");
}

TEST(Handler, RetryRunsTheStatementAgainEachTime)
{
    StepRun r;
    r.h.log.answers = {4, 4, 4};
    EXPECT_TRUE(r.go(3));
    EXPECT_EQ(r.ran, (std::vector<int>{100, 101, 102, 103}));
    EXPECT_EQ(r.h.log.reports.size(), 3u);
}

TEST(Handler, ContinueSkipsTheFailingStatement)
{
    StepRun r;
    r.h.log.answers = {5};
    EXPECT_TRUE(r.go(1));
    EXPECT_EQ(r.ran, (std::vector<int>{100, 102, 103}));
    EXPECT_TRUE(r.finished);
}

TEST(Handler, AnyOtherAnswerLeavesTheProcedureQuietly)
{
    for (int answer : {0, 1, 2, 6, -1}) {
        SCOPED_TRACE(answer);
        StepRun r;
        r.h.log.answers = {answer};
        EXPECT_TRUE(r.go(1));
        EXPECT_EQ(r.ran, std::vector<int>{100});
        EXPECT_FALSE(r.finished);
    }
}

TEST(Handler, ReportCarriesTheDescriptionListAndSnapshot)
{
    StepRun r;
    r.h.errors.windowVariable = [](std::string_view name) { return name == "frmLoaded" ? "6" : ""; };
    r.h.r.DepsNumber = 3;
    r.h.errors.setModuleVariables("modTest", [] { return VarList{"Pic", "4"}; });
    r.go(1);
    ASSERT_EQ(r.h.log.reports.size(), 1u);
    const ReportData& rep = r.h.log.reports[0];
    ASSERT_EQ(rep.description.size(), 14u);
    const char* labels[] = {"Error Number  ", "Description   ", "Build Number  ", "Module Name   ",
                            "Procedure Name", "Line Number   ", "Date and time "};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(rep.description[static_cast<std::size_t>(2 * i)], labels[i]);
    EXPECT_EQ(rep.field("Build Number"), "5");
    EXPECT_EQ(rep.field("Module Name"), "modTest");
    EXPECT_EQ(rep.field("Procedure Name"), "Steps");
    EXPECT_EQ(rep.variables[0], VarList{"Empty"});
    EXPECT_EQ(rep.variables[1], VarList{"Empty"});
    EXPECT_EQ(rep.variables[2], (VarList{"Pic", "4"}));
    const VarList& globals = rep.variables[3];
    ASSERT_EQ(globals.size(), 110u);
    EXPECT_EQ(globals[0], "frmLoaded");
    EXPECT_EQ(globals[1], "6");
    EXPECT_EQ(globals[2], "DepsNumber");
    EXPECT_EQ(globals[3], "3");
    EXPECT_EQ(globals[108], "intHours");
    EXPECT_EQ(rep.userData.size(), 6u);
}

TEST(Handler, ParametersAndLocalsAreGatheredOnlyOnError)
{
    test::Harness h;
    int asked = 0;
    runCommand([&] {
        Procedure p(h.errors, "frmMain", "cmdToolBar_Click");
        p.params([&] {
            ++asked;
            return VarList{"Index", "3"};
        });
        p.locals([] { return VarList{"amount", "12.5"}; });
        p.run([] {}, [] { raise(err::kOverflow); });
    });
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(h.log.reports.size(), 1u);
    EXPECT_EQ(h.log.reports[0].variables[0], (VarList{"Index", "3"}));
    EXPECT_EQ(h.log.reports[0].variables[1], (VarList{"amount", "12.5"}));
}

// A component that disturbs the current error while it reports.
class Meddling final : public BasicErrorReport {
public:
    explicit Meddling(ErrorScheme*& scheme) : scheme_(scheme) {}
    int reportError() override
    {
        scheme_->current = ErrorInfo{99, "meddled", "x", "y", 7};
        return 3;
    }

private:
    ErrorScheme*& scheme_;
};

TEST(Handler, RaisedErrorIsTheReportedOneEvenIfTheComponentChangedIt)
{
    PayRecord rec;
    ErrorScheme* self = nullptr;
    ErrorScheme scheme(rec, [&self] { return std::make_unique<Meddling>(self); });
    self = &scheme;
    try {
        Procedure p(scheme, "m", "f");
        p.run([] { throw RuntimeError(ErrorInfo{13, "Type mismatch", "Wagemark", "Wagemark.hlp", 1013}); });
        FAIL() << "not raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.info(), (ErrorInfo{13, "Type mismatch", "Wagemark", "Wagemark.hlp", 1013}));
    }
}

TEST(Handler, NoComponentPropagatesToTheCaller)
{
    PayRecord rec;
    ErrorScheme scheme(rec, [] { return std::unique_ptr<ErrorReport>(); });
    EXPECT_THROW(
        {
            Procedure p(scheme, "m", "f");
            p.run([] { raise(err::kOverflow); });
        },
        RuntimeError);
}

// Abort in a nested procedure: one report, and the command ends. A
// top-level procedure ends it there when nothing called it.
TEST(Handler, RaiseEndsTheWholeCommandWithOneReport)
{
    struct Row {
        bool outerTop, innerTop, raisedToRunner;
    };
    for (const Row& row : {Row{false, false, true}, Row{true, false, false}, Row{false, true, true}}) {
        SCOPED_TRACE(testing::Message() << "outer " << row.outerTop << ", inner " << row.innerTop);
        test::Harness h;
        h.log.answers = {3};
        bool after = false;
        const bool ok = runCommand([&] {
            Procedure outer(h.errors, "frmMain", "Outer");
            if (row.outerTop) outer.topLevel();
            EXPECT_FALSE(outer.run(
                [&] {
                    Procedure inner(h.errors, "frmMain", "Inner");
                    if (row.innerTop) inner.topLevel();
                    inner.run([] { raise(err::kOverflow); });
                },
                [&] { after = true; }));
        });
        EXPECT_EQ(ok, !row.raisedToRunner);
        EXPECT_FALSE(after);
        ASSERT_EQ(h.log.reports.size(), 1u);
        EXPECT_EQ(h.log.reports[0].field("Procedure Name"), "Inner");
        EXPECT_EQ(h.errors.running, 0);
    }
}

}  // namespace
}  // namespace wm
