#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Writes small table files in the older program's format for the import
// tests and benchmark: texts in code page 1250, every value as the older
// program stored it.
namespace OldTableFile
{

struct Field {
    QString name;
    char type = 0; // the library's pxf... type code
    int length = 0;
};

Field alpha(const QString& name, int length);
Field shortInt(const QString& name);
Field longInt(const QString& name);
Field autoInc(const QString& name);
Field number(const QString& name);
Field money(const QString& name);
Field date(const QString& name);
Field logical(const QString& name);
Field memo(const QString& name, int length = 10);

// One value per field: a QString, an integer, a double, a QDate or a bool;
// an invalid QVariant leaves the field empty (all its bytes zero). Memo
// fields are always left empty.
using Row = QVariantList;

void write(const QString& filePath, const QList<Field>& fields, const QList<Row>& rows);

} // namespace OldTableFile
