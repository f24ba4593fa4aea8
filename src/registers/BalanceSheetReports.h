#pragma once

class ReportCatalog;

// Registers the printed balance sheets in the program's catalogue, for the
// command line: "bilant-v1" and "bilant-v2" print the execution,
// "bilant-v1-prevederi" and "bilant-v2-prevederi" the forecast. Each first
// computes the execution of the period asked (the whole working year when
// none is given), in thousands of lei when Configurari.ini says so.
void registerBalanceSheetReports(ReportCatalog& catalog);
