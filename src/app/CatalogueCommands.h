#pragma once

class QWidget;
class TMainFrm;
class TStocFrm;

// Hangs the catalogue windows on their main menu commands: "Enoriasi",
// "NomVenituri", "NomCheltuieli", "NomBilant" and the stock list "OpStocuri".
void attachCatalogueCommands(TMainFrm& mainWindow);

// The stock window over the main window, its "&Listeaza!" running the
// catalogue's stock list report; nullptr when its table cannot be opened.
TStocFrm* openStockWindow(QWidget* mainWindow);
