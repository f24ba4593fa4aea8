#include "printing/TextMeasure.h"

#include "printing/PageModel.h"

#include <QRectF>
#include <algorithm>

namespace
{

double pxToMm(double px)
{
    return px * 25.4 / textResolution;
}
double mmToPx(double mm)
{
    return mm * textResolution / 25.4;
}

} // namespace

double TextMeasure::height(const QString& text, const QFont& font, double width)
{
    const QString key =
        font.key() + QLatin1Char('\x1f') + QString::number(width, 'g', 17) + QLatin1Char('\x1f') + text;
    if (const auto found = m_heights.constFind(key); found != m_heights.cend())
        return *found;
    const QRectF bounds = textMetrics(font).boundingRect(
        QRectF(0, 0, mmToPx(width), 1e9), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    if (m_heights.size() >= 20000)
        m_heights.clear();
    return *m_heights.insert(key, pxToMm(bounds.height()));
}

QFont TextMeasure::fitted(const QFont& font, const QString& text, double width)
{
    if (width <= 0 || text.isEmpty() || text.contains(QLatin1Char('\n')) || font.pointSizeF() <= 0)
        return font;
    // Most texts are short for their place: the sum of their characters'
    // widths, kept per font, tells without shaping the whole text.
    if (!m_advancesMetrics || m_advancesFont != font) {
        m_advancesFont = font;
        m_advancesMetrics.emplace(textMetrics(font));
        m_advances.fill(-1);
    }
    double estimate = 0;
    for (const QChar c : text) {
        if (c.unicode() >= m_advances.size()) {
            estimate = width + 1; // measured below
            break;
        }
        double& advance = m_advances[c.unicode()];
        if (advance < 0)
            advance = pxToMm(m_advancesMetrics->horizontalAdvance(c));
        estimate += advance;
    }
    // Kerning only narrows a text a little: measure when it comes close.
    if (estimate <= width * 0.95)
        return font;
    const double needed = pxToMm(m_advancesMetrics->horizontalAdvance(text));
    if (needed <= width)
        return font;
    constexpr double smallest = 4; // points
    QFont smaller = font;
    // A little under the exact ratio: the sizes a font really has are not continuous.
    smaller.setPointSizeF(std::max(smallest, font.pointSizeF() * width / needed * 0.97));
    return smaller;
}
