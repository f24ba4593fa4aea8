#include "app/CatalogueCommands.h"

#include "app/MainUnt.h"
#include "app/ProgramReports.h"
#include "catalogues/CatalogDescriptor.h"
#include "catalogues/CatalogWindow.h"
#include "catalogues/CatalogueOpeners.h"
#include "catalogues/TStocFrm.h"
#include "printing/ReportCatalog.h"
#include "records/PersonalDataCommands.h"

#include <QPushButton>

namespace
{

const QString personalDataButton = QStringLiteral("DatePersonaleBtn");

// The parishioners catalogue carries the commands on a family's personal data.
void addPersonalDataCommands(TCatalogFrm& window)
{
    if (window.findChild<QPushButton*>(personalDataButton))
        return;
    window.addRowCommand(PersonalDataCommands::exportCaption, personalDataButton, [](const QString& code) {
        PersonalDataCommands::exportData(code);
        return false;
    });
    window.addRowCommand(PersonalDataCommands::anonymiseCaption, QStringLiteral("AnonimizareBtn"),
                         [](const QString& code) { return PersonalDataCommands::anonymise(code); });
}

} // namespace

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
                                     [&mainWindow, catalogue] {
                                         TCatalogFrm* window = openCatalogue(*catalogue, &mainWindow);
                                         if (window && catalogue == &Catalogs::parishioners())
                                             addPersonalDataCommands(*window);
                                     });
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
