#include "core/DbErrorText.h"

namespace DbErrorText
{

QString forReport(const QString& storeText)
{
    return QStringLiteral("Eroare de acces la baza de date!\n<") + storeText + QStringLiteral(">!");
}

QString forDatabase(const QString& storeText)
{
    return QStringLiteral("Eroare de acces la baza de date!\n") + storeText + QStringLiteral("!");
}

QString forTable(const QString& tableWord, const QString& storeText)
{
    return QStringLiteral("Eroare de acces la tabela ") + tableWord + QStringLiteral("!\n") + storeText +
           QStringLiteral("!");
}

} // namespace DbErrorText
