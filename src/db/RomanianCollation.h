#pragma once

#include <QStringView>
#include <string>

class QSqlDatabase;

// Case-insensitive comparison in the Romanian alphabet: a < ă < â < b ...
// i < î, s < ș, t < ț; the cedilla forms ş and ţ count as ș and ț.
// Returns <0, 0 or >0.
int compareRomanian(QStringView a, QStringView b);

// A key whose plain comparison gives the same order as compareRomanian:
// sorting many names by their keys is much faster than comparing the names.
std::u32string romanianSortKey(QStringView text);

// Registers the comparison as the SQL collation "RO" on the connection, so
// that statements can sort names with ORDER BY ... COLLATE RO.
void registerRomanianCollation(const QSqlDatabase& db);
