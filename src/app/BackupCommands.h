#pragma once

class TMainFrm;

// Hangs the manual backup ("SalvareDate") and the restore ("RestaurareDate")
// on the main menu; the restore is greyed while a closed year is open.
void attachBackupCommands(TMainFrm& mainWindow);
