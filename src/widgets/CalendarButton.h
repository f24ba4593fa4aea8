#pragma once

#include <QString>
#include <functional>

class QLineEdit;

// Puts the calendar button at the right end of a date input.
void addCalendarButton(QLineEdit* input, std::function<void()> onClick);

// The input mask of the date inputs: two-digit day and month, four-digit
// year, with the locale's date separator and "_" for the places not typed.
QString dateInputMask();
