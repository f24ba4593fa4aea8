#include "printing/DocumentBands.h"

#include "printing/BreakableText.h"

namespace DocumentBands
{

QFont documentFont(double points, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

ReportElement wrapped(ReportElement element, const QFont& font)
{
    element.wrap = true;
    const double width = element.rect.width();
    element.onPrint = [font, width](const ReportContext&, const QString& text) {
        return breakableText(text, font, width);
    };
    return element;
}

ReportBand& followedBy(ReportBand& band, double height)
{
    band.child = std::make_shared<ReportBand>();
    band.child->height = height;
    return *band.child;
}

} // namespace DocumentBands
