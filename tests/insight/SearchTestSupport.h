#pragma once

#include <QSqlDatabase>
#include <QString>

// Documents with names, beneficiaries and explanations, for the search's tests.
namespace SearchDocuments
{

void income(const QSqlDatabase& db, double number, const QString& date, double amount,
            const QString& parishioner, const QString& explanation, int type = 1,
            const QString& typeName = QStringLiteral("Donatii"),
            const QString& account = QStringLiteral("Casa"));
void payment(const QSqlDatabase& db, double number, const QString& date, double amount,
             const QString& beneficiary, const QString& explanation, int type = 34,
             const QString& typeName = QStringLiteral("Lumanari"),
             const QString& account = QStringLiteral("Casa"));

} // namespace SearchDocuments
