#pragma once

class TMainFrm;

// Hangs the family sheet window on its four menu commands: "OpFisaEnoriasului"
// and the "Selectiv" entries of the record cards, the family sheets and the
// contribution situation, which choose the parishioner in that window.
void attachRecordCommands(TMainFrm& mainWindow);
