#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <memory>

// The layout the register-style reports share, printed from a work table
// whose rows are in date order: a heading band with the title, today's date,
// the period and numbered one- or two-level column headings; a ruled detail
// band in which the rows before the period are not printed yet count in every
// sum; a ruled sums line ("Report :" at the top of every page after the first,
// "De reportat :" / "Total general :" at the bottom of each), and the page
// number under it. A report is a descriptor over it.
struct RegisterTableLayout {
    enum class Content {
        Date,    // the short date
        Text,    // as it is
        Number,  // a number as it is, right-aligned
        Summed,  // an amount the sums lines add up, the rows before the period included
        Carried, // a running amount (balance, stock) the sums lines repeat from the last printed row
    };

    struct Column {
        QString group; // the upper heading shared by the next columns of the same group; empty for one level
        QString heading;
        QString field; // of the work table
        Content content;
        double width;      // mm, in proportion to the other columns; scaled to the page in use
        bool wrap = false; // a long text wraps and makes its row taller
    };

    QString table;   // the work table; "Data" is its date field and "Id" its order within a date
    QString name;    // the report's name (the preview's caption)
    QString heading; // the title on top of the heading band
    QList<Column> columns;
    // The columns the sums line's label spans; the ones before it stay empty,
    // the ones after it carry the sums and the running amounts.
    int labelFirstColumn = 0;
    int labelLastColumn = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    // The heading band prints on every page, or only on the first (the later
    // pages then start with the "Report :" line).
    bool headingOnEveryPage = true;
    // The title keeps clear of today's date (at the right) instead of centring over the full width.
    bool titleClearOfDate = false;
    int titlePoints = 12;
    int periodPoints = 11;
    double headingTop = 14;  // mm from the band's top to the column headings
    double lowerHeading = 8; // mm: the height of a column's own heading under its group
    QString pagePrefix;      // printed before the page number in the footer
};

namespace RegisterTable
{

// Drops the work table's rows after `to` and builds the report of the
// period; a period without a row of its own gives a report without pages.
// Throws DbError.
std::unique_ptr<Report> build(const RegisterTableLayout& layout, const QSqlDatabase& db, const QDate& from,
                              const QDate& to);

// The printed rows of a built report, under the column captions (a two-level
// heading joined by " / ", a date column named "Data"), then "Total general :"
// under the label's first column with the sums of every row and the running
// amounts of the last printed row; nothing after a header without rows.
CsvTable csv(const RegisterTableLayout& layout, const Report& report, const QDate& from);

} // namespace RegisterTable
