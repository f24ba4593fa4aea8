#pragma once

#include <QString>

class QWidget;

// The payment order of a salary order (salary orders window, "&Printeaza"):
// the total of its lines, paid to the deanery.
// Holds no window: a report's unit, named as in the older program.
class TRepOPSalFrm
{
public:
    static inline const QString caption = QStringLiteral("Raport ordin de plata");

    static void start(QWidget* caller, double orderId);
};
