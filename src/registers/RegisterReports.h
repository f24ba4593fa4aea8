#pragma once

class ReportCatalog;

// Registers the reports of the registers subsystem in the program's catalogue:
// "registru-incasari-plati" (menu command "RegIncasariPlati").
void registerRegisterReports(ReportCatalog& catalog);
