#pragma once

class TMainFrm;

// Hangs the document search ("OpCautare") and the charts ("Grafice") on
// their menu commands.
void attachInsightCommands(TMainFrm& mainWindow);
