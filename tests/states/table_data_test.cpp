// The typed table data checked as data: catches a transposed digit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "states/table_catalog.h"

namespace wm {
namespace {

TEST(TableData, ThresholdsStrictlyIncrease)
{
    for (const CatalogTable& t : tableCatalog()) {
        SCOPED_TRACE(t.name);
        const auto& rows = t.table.brackets;
        ASSERT_FALSE(rows.empty());
        for (std::size_t k = 1; k < rows.size(); ++k) EXPECT_LT(rows[k - 1].over, rows[k].over) << "bracket " << k + 1;
    }
}

TEST(TableData, BaseAmountsContinueTheBracketBelow)
{
    for (const CatalogTable& t : tableCatalog()) {
        if (!t.continuous || t.table.form != Form::Marginal) continue;
        SCOPED_TRACE(t.name);
        const auto& rows = t.table.brackets;
        for (std::size_t k = 1; k < rows.size(); ++k) {
            const double width = (rows[k].over - rows[k - 1].over).toDouble();
            const double expected = rows[k - 1].base + rows[k - 1].rate * width;
            // Per-period thresholds are annual amounts rounded to the dollar,
            // so a width may be off by up to a dollar at the bracket's rate.
            const double slack = t.wholeDollarBases ? 0.5 + 1e-9 : rows[k - 1].rate + 0.05;
            EXPECT_NEAR(rows[k].base, expected, slack) << "base of bracket " << k + 1;
        }
    }
}

// B x periods lies within half a cent x periods of the annual base amount, so
// the ranges of one bracket across the frequencies share a point.
TEST(TableData, PerPeriodBasesShareTheirAnnualAmount)
{
    const std::vector<CatalogTable> all = tableCatalog();
    std::map<std::string, std::vector<const CatalogTable*>> annual;
    for (const CatalogTable& t : all)
        if (t.periods != 0) annual[t.annual].push_back(&t);
    ASSERT_FALSE(annual.empty());
    for (const auto& [name, tables] : annual) {
        SCOPED_TRACE(name);
        const std::size_t n = tables.front()->table.brackets.size();
        for (std::size_t k = 1; k < n; ++k) {
            double low = -1e18, high = 1e18;
            for (const CatalogTable* t : tables) {
                ASSERT_EQ(t->table.brackets.size(), n) << t->name;
                const double amount = t->table.brackets[k].base * t->periods;
                low = std::max(low, amount - 0.005 * t->periods);
                high = std::min(high, amount + 0.005 * t->periods);
            }
            EXPECT_LE(low, high + 1e-9) << "base of bracket " << k + 1;
        }
    }
}

}  // namespace
}  // namespace wm
