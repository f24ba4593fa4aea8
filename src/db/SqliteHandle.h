#pragma once

class QSqlDatabase;
struct sqlite3;

// The SQLite connection under an open Qt SQL connection, for the calls Qt SQL
// lacks (collations, online backup, reading rows without the overhead of
// Qt's result objects). Throws DbError when the connection is
// not an open SQLite one.
sqlite3* sqliteHandle(const QSqlDatabase& db);
