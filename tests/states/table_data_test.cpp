// The typed table data checked as data: catches a transposed digit.
#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
}  // namespace wm
