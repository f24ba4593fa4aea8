#pragma once

#include <QDate>

class QWidget;

// The payment order of one payment (expenses window, "&Printeaza").
// Holds no window: a report's unit, named as in the older program.
class TRepOPFrm
{
public:
    static inline const QString caption = QStringLiteral("Raport ordin de plata");

    // Prints the order of the payment with this expense type, number and date.
    static void start(QWidget* caller, int expenseCode, double number, const QDate& date);
};
