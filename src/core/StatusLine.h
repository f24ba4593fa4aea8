#pragma once

#include <QString>

class QLabel;

// The status line that ShowStatus writes to: the main window's, once it has
// set it; before that ShowStatus does nothing.
void setStatusTarget(QLabel* statusLine);

// Shows the text in the status line and repaints it at once, so that it stays
// readable during the long work that follows.
void ShowStatus(const QString& text);
