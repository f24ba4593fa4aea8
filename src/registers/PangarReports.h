#pragma once

class ReportCatalog;

// Registers the candle-shop register in the program's catalogue:
// "registru-pangar" (menu command "RegPangar").
void registerPangarReports(ReportCatalog& catalog);
