#pragma once

#include <QStringView>

class QSqlDatabase;

// Case-insensitive comparison in the Romanian alphabet: a < ă < â < b ...
// i < î, s < ș, t < ț; the cedilla forms ş and ţ count as ș and ț.
// Returns <0, 0 or >0.
int compareRomanian(QStringView a, QStringView b);

// Registers the comparison as the SQL collation "RO" on the connection, so
// that statements can sort names with ORDER BY ... COLLATE RO.
void registerRomanianCollation(const QSqlDatabase& db);
