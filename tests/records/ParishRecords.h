#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

// Families and their records written straight into a working year.
namespace ParishRecords
{

void addParishioner(const QSqlDatabase& db, const QString& code, const QString& name,
                    const QString& street = QStringLiteral("Florilor"),
                    const QString& number = QStringLiteral("3"));
void addMember(const QSqlDatabase& db, const QString& code, const QString& name, const QDate& birth);
void addBaptism(const QSqlDatabase& db, const QString& code, double number, const QDate& date,
                const QString& child);
void addMarriage(const QSqlDatabase& db, const QString& code, double number, const QDate& date,
                 const QString& groom);
void setParish(const QSqlDatabase& db, const QString& parish, const QString& town);

} // namespace ParishRecords
