#pragma once

#include "printing/ReportFrame.h"

#include <QJsonObject>
#include <QSqlDatabase>
#include <QString>
#include <memory>

// Everything the parish holds about one family, at a person's request: the
// catalogue's row, the members, baptisms, marriages, burials, other events
// and the receipts that carry the family's code or one of its names.
namespace PersonalDataExport
{

// One array per table, under the table's name, each row an object of the
// fields as stored (dates "YYYY-MM-DD", amounts as numbers, nulls as null),
// beside "cod" and "exportat" (the moment, UTC). Throws DbError, also
// "Codul ... nu exista ..." for an unknown code.
QJsonObject collect(const QSqlDatabase& db, const QString& code);

// The same as a readable report: a section per record, a line per field.
std::unique_ptr<Report> report(const QSqlDatabase& db, const QString& code);

// Writes the JSON (UTF-8, indented) whole or not at all: a failure leaves no
// file behind, nor a temporary one. Throws DbError or IoError.
void writeJson(const QSqlDatabase& db, const QString& code, const QString& filePath);
// Writes the report as a PDF, likewise. Throws DbError or IoError.
void writePdf(const QSqlDatabase& db, const QString& code, const QString& filePath);

} // namespace PersonalDataExport
