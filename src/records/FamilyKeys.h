#pragma once

#include <QSqlDatabase>
#include <QString>

// Older databases key the family members and the burials on the parishioner
// code alone, which allows one member and one burial per family. Opening the
// family sheet window widens those keys to the tables' defined primary keys
// (code, name and birth date; code, act number and date).
namespace FamilyKeys
{

// Replaces a unique index of `table` on the parishioner code alone by the
// table's defined primary key, in one transaction; false when there was
// none to replace. Throws DbError.
bool widenSingleCodeKey(const QSqlDatabase& db, const QString& table);

// The members' and the burials' keys; run at every opening, a converted table is left as it is.
void widenFamilyKeys(const QSqlDatabase& db);

} // namespace FamilyKeys
