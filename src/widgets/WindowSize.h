#pragma once

class QWidget;

// Gives the window (before it is shown) the size the user last gave it, kept
// in the options file of the program folder (section "Ferestre", the
// window's object name, "width,height"), else leaves the size it has; never
// beyond the screen's available geometry. A size the user gives the window
// is written there when it is closed. Sizes belong to the computer the
// program folder is on, as its screen does.
void keepWindowSize(QWidget* window);
