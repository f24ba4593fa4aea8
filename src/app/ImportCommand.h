#pragma once

// "Sistem" > "Import date vechi...": asks the folder of the older program's
// tables, asks before replacing a database that holds documents, imports
// and shows the summary written to Import.txt. The connection is back on
// the working year afterwards, whether the import succeeded or not. Refused
// while another window of the program is open, whose record sources (and
// whatever is typed in them) the import would close.
class QWidget;
void importOldDataInteractively(QWidget* mainWindow);
