#pragma once

#include <QSqlDatabase>
#include <QString>

// The named connection "Lumivaret" through which every table of the program
// is reached. It is open on one database file at a time: the working year's
// or a closed year's.
namespace Connection
{

inline const QString name = QStringLiteral("Lumivaret");

// The connection (invalid until the first open).
QSqlDatabase database();

// Opens the connection on an existing database file; never creates one.
// A file that cannot be written is opened for reading only.
// Throws DbError when the file is missing, unreadable or not a database.
void open(const QString& filePath);
void close();
bool isOpen();
bool isReadOnly();
QString filePath();

// Opens any other named connection the same way (also used to create a new
// database when allowCreate is set). The caller removes it.
QSqlDatabase openNamed(const QString& connectionName, const QString& filePath, bool allowCreate = false);
void removeNamed(const QString& connectionName);

// Counts the openings of a named connection: a record source compares it with
// the count it was read under, so it never writes into another database file.
quint64 generation(const QString& connectionName);

} // namespace Connection
