#include "registers/RuledColumns.h"

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

QRectF cell(const QList<double>& edges, int first, int last, double top, double height)
{
    constexpr double pad = 0.8;
    return QRectF(edges[first] + pad, top, edges[last + 1] - edges[first] - 2 * pad, height);
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

} // namespace RuledColumns
