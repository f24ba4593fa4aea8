#pragma once

#include "support/PreviewDriver.h"

#include <QPageLayout>
#include <functional>

class QSpinBox;
class TQRPrnDlg;

// What a user sets in the print setup before a report.
struct PageChoice {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int margins = 5; // mm, on every side
    bool preview = false;
};

// Types a number into a spin box as a user does: select all, then the digits.
void typeInto(QSpinBox* spin, int value);

// Opens the real print setup dialog on the print settings, makes the choice
// with clicks and key presses, presses "&Printeaza" and, when the dialog
// closes confirmed, stores the choice as ShowPrintSetup does.
void choosePrintSetup(const PageChoice& choice);
