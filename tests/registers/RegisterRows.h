#pragma once

#include <QSqlDatabase>
#include <QStringList>

// The register work table as one line per row, in the reports' order
// (date, then insertion): "date|kind|number|explanation|cash columns and
// balance|bank columns and balance|total", empty columns as "-".
QStringList registerRows(const QSqlDatabase& db);
