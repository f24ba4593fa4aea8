#pragma once

class TMainFrm;

// Hangs the catalogue windows on their main menu commands: "Enoriasi",
// "NomVenituri", "NomCheltuieli" and "NomBilant".
void attachCatalogueCommands(TMainFrm& mainWindow);
