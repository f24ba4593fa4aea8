#pragma once

#include <QDate>

class QWidget;

// Prints, in the report frame (print setup, then preview, printer or PDF),
// the receipt of the income document with this number and date; every
// income row of the document is one line of the receipt. A document with no
// income row is refused with a message, before the print setup.
void printReceipt(QWidget* caller, double number, const QDate& date);
