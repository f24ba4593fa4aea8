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
    if (m_fontKey.isEmpty() || m_keyedFont != font) {
        m_keyedFont = font;
        m_fontKey = font.key();
    }
    const HeightKey key{m_fontKey, width, text};
    if (const auto found = m_heights.constFind(key); found != m_heights.cend())
        return *found;
    if (m_heights.size() >= 20000)
        m_heights.clear();
    // A text that surely fits on one line is one line high, as the wrapped
    // layout below would find it; most texts of a book are short.
    FontAdvances& advances = advancesOf(font);
    if (!text.contains(QLatin1Char('\n')) && surelyFits(advances, text, width))
        return *m_heights.insert(key, pxToMm(advances.metrics.height()));
    const QRectF bounds = advances.metrics.boundingRect(QRectF(0, 0, mmToPx(width), 1e9),
                                                        Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return *m_heights.insert(key, pxToMm(bounds.height()));
}

TextMeasure::FontAdvances& TextMeasure::advancesOf(const QFont& font)
{
    auto found = std::find_if(m_fonts.begin(), m_fonts.end(), [&](const FontAdvances& f) { return f.font == font; });
    if (found != m_fonts.end())
        return *found;
    FontAdvances& added = m_fonts.emplace_back(FontAdvances{font, textMetrics(font), {}});
    added.advances.fill(-1);
    return added;
}

bool TextMeasure::surelyFits(FontAdvances& font, const QString& text, double width)
{
    double estimate = 0;
    for (const QChar c : text) {
        if (c.unicode() >= font.advances.size())
            return false;
        double& advance = font.advances[c.unicode()];
        if (advance < 0)
            advance = pxToMm(font.metrics.horizontalAdvance(c));
        estimate += advance;
    }
    return estimate <= width * 0.95;
}

const QFont& TextMeasure::fitted(const QFont& font, const QString& text, double width)
{
    if (width <= 0 || text.isEmpty() || text.contains(QLatin1Char('\n')) || font.pointSizeF() <= 0)
        return font;
    // Most texts are short for their place: the sum of their characters'
    // widths tells without shaping the whole text.
    FontAdvances& advances = advancesOf(font);
    if (surelyFits(advances, text, width))
        return font;
    const double needed = pxToMm(advances.metrics.horizontalAdvance(text));
    if (needed <= width)
        return font;
    constexpr double smallest = 4; // points
    // A little under the exact ratio: the sizes a font really has are not continuous.
    const double size = std::max(smallest, font.pointSizeF() * width / needed * 0.97);
    const QString key = font.key() + QLatin1Char('\x1f') + QString::number(size, 'g', 17);
    auto found = m_smallerFonts.find(key);
    if (found == m_smallerFonts.end()) {
        QFont smaller = font;
        smaller.setPointSizeF(size);
        found = m_smallerFonts.insert(key, smaller);
    }
    return *found;
}
