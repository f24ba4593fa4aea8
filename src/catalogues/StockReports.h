#pragma once

class ReportCatalog;

// The stock list at a date ("stoc"), in the program's catalogue of reports.
void registerStockReports(ReportCatalog& catalog);
