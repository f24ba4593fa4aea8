#pragma once

#include "insight/DocumentSearch.h"

class QWidget;

// Opens a found document in its own window (incomes, expenses, deposits,
// withdrawals, salary orders), standing on it. A document of another year
// than the one open asks first, then moves the program to that year (a
// closed year opens for reading only). False, after saying why, when the
// document could not be shown (the user declined, or it is gone).
bool openFoundDocument(const FoundDocument& document, QWidget* owner);
