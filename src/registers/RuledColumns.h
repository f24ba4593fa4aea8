#pragma once

#include "printing/ReportModel.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <span>

// The columns of a ruled report table: designed in millimetres, scaled to
// the width of the page in use, and the texts and boxes placed in them.
namespace RuledColumns
{

// The column edges from 0 to `width`, each column keeping its designed share.
QList<double> edges(std::span<const double> designedWidths, double width);

// The place of a text in columns `first` to `last`, kept off the rules.
QRectF cell(const QList<double>& edges, int first, int last, double top, double height);

// A rectangle around columns `first` to `last`.
ReportElement box(const QList<double>& edges, int first, int last, double top, double height);

ReportElement text(const QRectF& rect, const QString& text, int alignment, const QFont& font);

QFont sized(const QFont& base, int points, bool bold = false);

} // namespace RuledColumns
