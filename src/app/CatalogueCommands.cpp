#include "app/CatalogueCommands.h"

#include "app/MainUnt.h"
#include "catalogues/CatalogDescriptor.h"
#include "catalogues/CatalogueOpeners.h"

void attachCatalogueCommands(TMainFrm& mainWindow)
{
    const struct {
        const char* command;
        const CatalogDescriptor& catalogue;
    } commands[] = {
        {"Enoriasi", Catalogs::parishioners()},
        {"NomVenituri", Catalogs::incomeTypes()},
        {"NomCheltuieli", Catalogs::expenseTypes()},
        {"NomBilant", Catalogs::balanceSheetRows()},
    };
    for (const auto& c : commands) {
        const CatalogDescriptor* catalogue = &c.catalogue;
        mainWindow.setCommandHandler(QString::fromLatin1(c.command),
                                     [&mainWindow, catalogue] { openCatalogue(*catalogue, &mainWindow); });
    }
}
