#include "app/CatalogueCommands.h"

#include "app/MainUnt.h"
#include "app/ProgramReports.h"
#include "catalogues/CatalogDescriptor.h"
#include "catalogues/CatalogueOpeners.h"
#include "catalogues/TStocFrm.h"
#include "printing/ReportCatalog.h"

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
    mainWindow.setCommandHandler(QStringLiteral("OpStocuri"),
                                 [&mainWindow] { openStockWindow(&mainWindow); });
}

TStocFrm* openStockWindow(QWidget* mainWindow)
{
    // The window prints the same list as the menu's "Lista stocurilor".
    return TStocFrm::open(mainWindow, [](QWidget* caller) {
        runReportInteractively(*programReports().find(QStringLiteral("stoc")), caller);
    });
}
