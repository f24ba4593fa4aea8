#pragma once

class TMainFrm;

// Hangs the year-end rollover on the main menu command "TrecereaLaAnNou".
void attachYearEndCommand(TMainFrm& mainWindow);

// The rollover as the user starts it: checks the working year, asks the two
// questions, closes the year behind the busy pointer and has the open
// windows read the new year's data.
void runYearEndRollover();
