#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The parish database's tables as the program defines them: fields in their
// stored order with type, size and required flag, and the keys and indexes.
// The schema builder creates the tables from these definitions and the record
// sources take their primary order from them.

enum class FieldType { String, SmallInt, Integer, Float, Date, AutoInc };

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // characters, for String fields
    bool required = false;
};

struct IndexDef {
    QString name;       // the name the program selects it by ("Den", "PrimaryIdx", "Primary")
    QStringList fields; // in key order
    bool unique = false;
    bool caseInsensitive = false;
};

struct TableDef {
    QString name; // table name, the file name without its extension
    QList<FieldDef> fields;
    IndexDef primary;                // empty field list: the table has no key (natural order)
    QList<IndexDef> secondary;       // created with the table
    bool createdWithDatabase = true; // false for tables that an operation creates later (Ani)

    const FieldDef* field(const QString& fieldName) const;
};

namespace TableDefinitions
{

const QList<TableDef>& all();

// Looks a table up by name, case-insensitively, with or without the old
// file extension ("Venituri.DB" and "Venituri" are the same table).
const TableDef* find(const QString& tableName);

// "Venituri.DB" -> "Venituri"
QString tableNameOf(const QString& fileName);

// The SQL name of an index of a table: index names are global in SQLite.
QString sqlIndexName(const QString& table, const QString& index);

// The declared SQL type of a field as the store writes it ("VARCHAR(30)", "FLOAT", ...).
QString declaredType(const FieldDef& field);

// The inverse: reads a declared type back ("CHAR (100)" -> String of 100).
FieldDef fieldFromDeclaredType(const QString& name, const QString& declared, bool primaryKey,
                               bool autoIncrementTable);

} // namespace TableDefinitions
