#pragma once

class QObject;
class TMainFrm;

// Hangs the year-end rollover on the main menu command "TrecereaLaAnNou".
void attachYearEndCommand(TMainFrm& mainWindow);

// The rollover as the user starts it: checks the working year, asks the two
// questions, stores what is typed in the open windows (those owned by
// `windowsOwner`), closes the year behind the busy pointer and has the open
// windows read the new year's data.
void runYearEndRollover(const QObject& windowsOwner);
