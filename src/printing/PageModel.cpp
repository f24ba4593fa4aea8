#include "printing/PageModel.h"

#include <QImage>

QFontMetricsF textMetrics(const QFont& font)
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(qRound(textResolution / 0.0254));
        image.setDotsPerMeterY(qRound(textResolution / 0.0254));
        return image;
    }();
    return QFontMetricsF(font, &device);
}

const QFont& PageItem::unsetFont()
{
    static const QFont font;
    return font;
}

QStringList Page::texts() const
{
    QStringList result;
    for (const PageItem& item : items)
        if (item.kind == PageItem::Kind::Text)
            result << item.text;
    return result;
}

QList<PageItem> Page::find(const QString& text) const
{
    QList<PageItem> result;
    for (const PageItem& item : items)
        if (item.kind == PageItem::Kind::Text && item.text == text)
            result << item;
    return result;
}

QSizeF PageModel::paperSize() const
{
    const QSizeF size = paper.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}
