#pragma once

#include <QString>

// How windows, reports and computations word a table store failure.
namespace DbErrorText
{

// Reports: "Eroare de acces la baza de date!" and the store's text in angle brackets.
QString forReport(const QString& storeText);
// The family sheet window.
QString forDatabase(const QString& storeText);
// Windows and computations on one table: "parohie", "bilant", "registru", "Pangar".
QString forTable(const QString& tableWord, const QString& storeText);

} // namespace DbErrorText
