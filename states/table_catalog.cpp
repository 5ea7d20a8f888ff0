#include "states/table_catalog.h"

namespace wm {

std::vector<CatalogTable> tableCatalog()
{
    std::vector<CatalogTable> all;
    for (auto family : {
             &perPeriodCatalog,
             &perPeriodVariantsCatalog,
             &ownDeductionsCatalog,
             &annualizedCatalog,
             &marylandCatalog,
             &perPeriodTablesCatalog,
             &annualBracketsCatalog,
             &oklahomaNorthDakotaCatalog,
             &georgiaCatalog,
             &californiaCatalog,
             &connecticutCatalog,
             &newJerseyCatalog,
         }) {
        std::vector<CatalogTable> part = family();
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

}  // namespace wm
