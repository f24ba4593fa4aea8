#pragma once

#include "printing/ReportModel.h"

#include <QFont>
#include <QList>
#include <QString>
#include <memory>

// The columns of a table of parish records (family members, baptisms,
// marriages, burials, other events), as the record cards and the sacrament
// registers print them: boxed captions over a ruled line per record.
struct RecordColumn {
    enum class Content {
        Counter, // "1.", "2.", ... in the order the lines print
        Act,     // the act's number right-aligned before "/", its date after it
        Text,    // a text, a date or a number as the field holds it
    };
    QString caption; // printed as written: its hyphens and blanks are the designed line breaks
    QString name;    // the caption in one line, without its break hyphens: the CSV's column name
    QString field;   // of the record table; empty for the counter
    Content content = Content::Text;
    double width = 10; // mm on a landscape A4 page, in proportion to the other columns
};

namespace RecordColumns
{

const QList<RecordColumn>& members();
const QList<RecordColumn>& baptisms();
const QList<RecordColumn>& marriages();
const QList<RecordColumn>& burials();
const QList<RecordColumn>& activities();

// The numbering of the printed lines, from "1." at each layout. The lines of
// a section of a record card number again from "1." for every parishioner
// (whenever the main row changes); a register numbers all its lines through.
class LineCounter
{
public:
    explicit LineCounter(bool restartsWithMainRow) : m_restartsWithMainRow(restartsWithMainRow) {}
    void restart()
    {
        m_row = -2;
        m_count = 0;
    }
    QString next(int mainRow);

private:
    bool m_restartsWithMainRow;
    int m_row = -2;
    int m_count = 0;
};

// A band of the boxed captions, `top` mm below the band's top.
ReportBand captionBand(const QList<RecordColumn>& columns, double width, const QFont& font, double top = 0);

// The ruled line of one record. The counter column counts with `counter`.
ReportBand lineBand(const QList<RecordColumn>& columns, double width, const QFont& font,
                    const std::shared_ptr<LineCounter>& counter);

// The text a record's cell prints, for the CSV: the counter is given.
QString cellText(const RecordColumn& column, const ReportTable& table, int row, const QString& counter);

} // namespace RecordColumns
