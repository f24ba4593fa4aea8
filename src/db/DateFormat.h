#pragma once

#include <QChar>
#include <QDate>
#include <QString>

// The program's short date format: day, month and four-digit year with the
// locale's date separator ("DD/MM/YYYY" written with that separator). Every
// date shown or read by the program (grids, date inputs, reports) uses it.
namespace DateFormat
{

QChar separator();
QString shortFormat(); // Qt's notation: "dd.MM.yyyy" for a Romanian desktop
QString toShortText(const QDate& date);
// Reads a typed date; the "_" placeholders of a masked input are ignored.
// Returns an invalid date when the text is not a date (31.02.2024).
QDate fromShortText(const QString& text);

} // namespace DateFormat
