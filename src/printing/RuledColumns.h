#pragma once

#include "printing/ReportModel.h"

#include <QDate>
#include <QFont>
#include <QList>
#include <QRectF>
#include <span>

// The pieces of a ruled report table: columns designed in millimetres and
// scaled to the width of the page in use, the texts and boxes placed in them,
// the ruled lines, and the period, date and program lines around them.
namespace RuledColumns
{

// The amounts' format in the tables: two decimals, thousands grouped.
inline const QString amountFormat = QStringLiteral("#,##0.00");

// How far a text keeps off the rules of its cell, in mm.
constexpr double textPadding = 0.8;

// The column edges from 0 to `width`, each column keeping its designed share.
QList<double> edges(std::span<const double> designedWidths, double width);

// The place of a text in columns `first` to `last`, kept `padding` off the rules.
QRectF cell(const QList<double>& edges, int first, int last, double top, double height,
            double padding = textPadding);

// A rectangle around columns `first` to `last`.
ReportElement box(const QList<double>& edges, int first, int last, double top, double height);

ReportElement text(const QRectF& rect, const QString& text, int alignment, const QFont& font);

QFont sized(const QFont& base, int points, bool bold = false);

// A band `height` mm tall, ruled across the table's width, with the vertical
// rules at `rules` (mm from the left).
ReportBand ruledBand(const QList<double>& edges, double height, const QList<double>& rules);

// A ruled band with a rule between every two columns.
ReportBand ruledLine(const QList<double>& edges, double height);

// Today's date, right-aligned in `rect`.
ReportElement today(const QRectF& rect);

// "de la data de 01.01.2024 pana la data de 31.12.2024"
QString periodText(const QDate& from, const QDate& to);

// The column headings of a table: a one-level heading fills both rows of
// its column; a group's heading spans its columns above their own headings.
// Every caption is boxed and wraps; under them each column gets its number.
struct HeadingColumn {
    QString group; // shared by the next columns of the same group; empty for one level
    QString heading;
};
struct HeadingRows {
    double top;     // mm from the band's top
    double upper;   // a group's row
    double lower;   // the columns' own row under their group
    double numbers; // the row of column numbers
    double padding; // of the captions off the rules
};
void addHeadings(ReportBand& band, const QList<double>& edges, const QList<HeadingColumn>& columns,
                 const HeadingRows& rows, const QFont& numberFont);

// The program's line at the end of a report, small, in `rect`.
ReportElement programLine(const QRectF& rect, const QFont& font);

} // namespace RuledColumns
