#pragma once

class TMainFrm;

// Hangs the document windows on their main menu commands (the toolbar
// buttons run the same commands): "OpDepuneri", "OpRidicari", "OpOrdonantareSalarii", ...
void attachDocumentCommands(TMainFrm& mainWindow);
