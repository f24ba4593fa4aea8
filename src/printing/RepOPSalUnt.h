#pragma once

#include <QString>

class QWidget;

// The payment order of a salary order (salary orders window, "&Printeaza"):
// the total of its lines, paid to the deanery.
class TRepOPSalFrm
{
public:
    static inline const QString caption = QStringLiteral("Raport ordin de plata");

    static void start(QWidget* caller, double orderId);
};
