#pragma once

#include <QString>

// The PostgreSQL server an installation keeps its books on instead of the
// database file: section [Server] of the program folder's Configurari.ini,
// `Adresa=postgresql://user@host:5432/parohie`. The password is never
// written there: libpq reads it from the user's ~/.pgpass, or it is asked.
namespace ConfiguredServer
{

inline const QString section = QStringLiteral("Server");
inline const QString addressKey = QStringLiteral("Adresa");

// The address written in the options file; empty when the installation
// keeps its data in the database file.
QString address();

// Opens the program's connection on the working year's schema of the server
// at `address`. When the server wants a password that ~/.pgpass does not
// hold, it is asked (and kept only by the open connection); a refused one is
// asked again. Throws DbError (also when the question is cancelled).
void open(const QString& address);

} // namespace ConfiguredServer
