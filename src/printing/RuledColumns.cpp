#include "printing/RuledColumns.h"

#include "db/DateFormat.h"

namespace RuledColumns
{

QList<double> edges(std::span<const double> designedWidths, double width)
{
    double designed = 0;
    for (double w : designedWidths)
        designed += w;
    QList<double> result{0};
    for (double w : designedWidths)
        result << result.last() + w * width / designed;
    return result;
}

QRectF cell(const QList<double>& edges, int first, int last, double top, double height, double padding)
{
    return QRectF(edges[first] + padding, top, edges[last + 1] - edges[first] - 2 * padding, height);
}

ReportElement box(const QList<double>& edges, int first, int last, double top, double height)
{
    ReportElement e;
    e.kind = ReportElement::Kind::Box;
    e.rect = QRectF(edges[first], top, edges[last + 1] - edges[first], height);
    return e;
}

ReportElement text(const QRectF& rect, const QString& text, int alignment, const QFont& font)
{
    return ReportElement::label(rect, text, alignment).withFont(font);
}

QFont sized(const QFont& base, int points, bool bold)
{
    QFont f = base;
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

ReportBand ruledBand(const QList<double>& edges, double height, const QList<double>& rules)
{
    ReportBand band;
    band.height = height;
    band.ruled = true;
    band.ruleWidth = edges.last();
    band.rules = rules;
    return band;
}

ReportBand ruledLine(const QList<double>& edges, double height)
{
    return ruledBand(edges, height, edges.mid(1, edges.size() - 2));
}

ReportElement today(const QRectF& rect)
{
    ReportElement e;
    e.kind = ReportElement::Kind::Date;
    e.rect = rect;
    e.alignment = Qt::AlignRight | Qt::AlignVCenter;
    return e;
}

QString periodText(const QDate& from, const QDate& to)
{
    return QStringLiteral("de la data de ") + DateFormat::toShortText(from) +
           QStringLiteral(" pana la data de ") + DateFormat::toShortText(to);
}

void addHeadings(ReportBand& band, const QList<double>& edges, const QList<HeadingColumn>& columns,
                 const HeadingRows& rows, const QFont& numberFont)
{
    const auto caption = [&](int first, int last, double top, double height, const QString& text) {
        band.add(box(edges, first, last, top, height));
        ReportElement e =
            ReportElement::label(cell(edges, first, last, top, height, rows.padding), text, Qt::AlignCenter);
        e.wrap = true;
        band.add(e);
    };
    const double bothRows = rows.upper + rows.lower;
    const int count = int(columns.size());
    for (int i = 0; i < count;) {
        const HeadingColumn& c = columns[i];
        int last = i;
        while (!c.group.isEmpty() && last + 1 < count && columns[last + 1].group == c.group)
            ++last;
        if (c.group.isEmpty()) {
            caption(i, i, rows.top, bothRows, c.heading);
        } else {
            caption(i, last, rows.top, rows.upper, c.group);
            for (int j = i; j <= last; ++j)
                caption(j, j, rows.top + rows.upper, rows.lower, columns[j].heading);
        }
        i = last + 1;
    }
    const double numbersTop = rows.top + bothRows;
    for (int i = 0; i < count; ++i) {
        band.add(box(edges, i, i, numbersTop, rows.numbers));
        band.add(text(cell(edges, i, i, numbersTop, rows.numbers, rows.padding), QString::number(i + 1),
                      Qt::AlignCenter, numberFont));
    }
}

ReportElement programLine(const QRectF& rect, const QFont& font)
{
    return text(rect, QStringLiteral("Lumivaret, produs Morvalen"), Qt::AlignLeft | Qt::AlignVCenter,
                sized(font, 7));
}

} // namespace RuledColumns
