#pragma once
// Every bracket table of every calculator, by name, so the data can be
// checked as data: thresholds strictly increasing, and, where a table comes
// from one schedule, each base amount continuing the bracket below it and
// agreeing with the same table for the other pay frequencies.

#include <string>
#include <vector>

#include "states/bracket.h"

namespace wm {

struct CatalogTable {
    std::string name;      // "New Mexico married weekly"
    BracketTable table;
    bool continuous;       // B(k+1) = B(k) + r(k) x (T(k+1) - T(k)), to the cent
    bool wholeDollarBases = false;  // ... to the dollar: bases printed rounded
    // Per-period tables cut from one annual table: the name of that table
    // and this one's pay periods a year (0 for every other table). Each
    // base amount is the annual one over the periods, rounded to the cent.
    std::string annual = {};
    int periods = 0;
};

// One per family of calculators.
std::vector<CatalogTable> perPeriodCatalog();
std::vector<CatalogTable> perPeriodVariantsCatalog();
std::vector<CatalogTable> ownDeductionsCatalog();
std::vector<CatalogTable> annualizedCatalog();
std::vector<CatalogTable> marylandCatalog();
std::vector<CatalogTable> perPeriodTablesCatalog();
std::vector<CatalogTable> annualBracketsCatalog();
std::vector<CatalogTable> oklahomaNorthDakotaCatalog();
std::vector<CatalogTable> georgiaCatalog();
std::vector<CatalogTable> californiaCatalog();
std::vector<CatalogTable> connecticutCatalog();
std::vector<CatalogTable> newJerseyCatalog();

// All of them.
std::vector<CatalogTable> tableCatalog();

}  // namespace wm
