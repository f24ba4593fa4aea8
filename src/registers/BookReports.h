#pragma once

class ReportCatalog;

// Registers the cash book and the bank book ("registru-casa", "registru-banca";
// menu commands "RegCasa", "RegBanca") and the ledgers by type
// ("fisa-venituri", "fisa-cheltuieli" with a code from their catalogue;
// menu commands "RegPartiziVenituri", "RegPartiziCheltuieli", which pick it).
void registerBookReports(ReportCatalog& catalog);
