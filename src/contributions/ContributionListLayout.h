#pragma once

#include "printing/ReportFrame.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

// The layout the parishioner and contribution lists share: portrait A4 in
// the report's font, the title band (today's date at the right, the lines
// the report gives), boxed column captions on every page (a group caption
// spans its columns), a ruled detail line, "Pagina  " and the page number in
// every page's footer, the program's line after the last row.
namespace ContributionListLayout
{

struct Column {
    QString group; // the caption spanning this and the next columns of the same group; empty for one level
    QString heading;
    QString field; // of the report's table
    double width;  // mm on a 190 mm wide table
    int alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// A title line: plain at the left, a heading bold and centred, or a bold
// label right-aligned before its value.
struct TitleLine {
    enum class Style { Plain, Heading, Labelled };
    QString text;
    Style style = Style::Plain;
    QString value;
};

// The left edge of each column, and the table's right edge last.
QList<double> edges(const QList<Column>& columns);

// The report with its title band, column captions, detail line, footer and
// summary; `data` is the table its detail rows print. `underText`, when
// not empty, is a caption line beneath the heading of column `underColumn`.
std::unique_ptr<Report> build(const QString& name, const QList<TitleLine>& title,
                              const QList<Column>& columns, ReportTable data, const QString& underText = {},
                              int underColumn = 1);

// "Arhiepiscopia :", "Protopopiatul :" and "Parohia :" each followed by the parish's own.
QList<TitleLine> parishLines(const QSqlDatabase& db);

// An amount in the general number format (150, 62,5); empty when there is none.
QString amountText(std::optional<double> amount);

// The name a report prints: "name (code)" when the program's options ask for compound names.
QString shownName(const QString& name, const QString& code, bool compoundNames);

// The compound names option of the program folder's Configurari.ini.
bool compoundNamesOption();

// The captions of the columns for a CSV header: a group and its heading joined by " / ".
QStringList csvHeader(const QList<Column>& columns);

} // namespace ContributionListLayout
