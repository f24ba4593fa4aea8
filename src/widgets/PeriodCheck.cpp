#include "widgets/PeriodCheck.h"

#include "core/UserDialogs.h"

#include <QDate>

bool acceptPeriod(const QDate& from, const QDate& to)
{
    if (from <= to)
        return true;
    dialogs().warning(QStringLiteral("Intervalul de timp nu este corect! ") +
                      to.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" < ") +
                      from.toString(QStringLiteral("dd.MM.yyyy")));
    return false;
}
