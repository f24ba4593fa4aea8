#include "printing/ShapedTexts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace
{

// The most texts kept per font: a book's amounts are mostly distinct, and
// are forgotten in bulk rather than grow without end.
constexpr qsizetype maxTextsPerFont = 50000;

// drawText's handling of line ends and tabs in a text without tab stops.
QString preparedText(const QString& text)
{
    QString prepared = text;
    for (QChar& c : prepared) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
        else if (c == QLatin1Char('\n'))
            c = QChar::LineSeparator;
    }
    return prepared;
}

} // namespace

void ShapedTexts::draw(QPainter& painter, const QRectF& rect, int flags, const QString& text)
{
    if (text.isEmpty())
        return;
    const QFont& font = painter.font();
    auto fontTexts = std::find_if(m_fonts.rbegin(), m_fonts.rend(),
                                  [&](const FontTexts& f) { return f.font == font; });
    if (fontTexts == m_fonts.rend()) {
        m_fonts.push_back({font, QFontMetricsF(font).leading(), {}});
        fontTexts = m_fonts.rbegin();
    }
    QHash<Key, Shaped>& texts = fontTexts->texts;
    if (texts.size() >= maxTextsPerFont)
        texts.clear();
    Shaped& shaped = texts[Key{text, rect.size(), flags}];
    if (!shaped.ready) {
        if (!shaped.drawnOnce) {
            shaped.drawnOnce = true;
            painter.drawText(rect, flags, text);
            return;
        }
        shaped = shape(painter, fontTexts->leading, rect.size(), flags, text);
    }
    if (shaped.clipped) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    for (const auto& [offset, run] : shaped.runs)
        painter.drawGlyphRun(rect.topLeft() + offset, run);
    if (shaped.clipped)
        painter.restore();
}

// Lays the text out as QPainter::drawText(rect, flags, text) does for a
// left-to-right text: lines as wide as the place when wrapping, else one
// line; the block placed by the vertical alignment, each line by the
// horizontal one; cut at the place's edges when it does not fit.
ShapedTexts::Shaped ShapedTexts::shape(QPainter& painter, double leading, const QSizeF& size, int flags,
                                       const QString& text)
{
    const bool wordWrap = flags & (Qt::TextWordWrap | Qt::TextWrapAnywhere);
    QTextLayout layout(preparedText(text), painter.font(), painter.device());
    QTextOption option;
    option.setTextDirection(painter.layoutDirection());
    option.setAlignment(flags & Qt::AlignJustify ? Qt::AlignJustify : Qt::AlignLeft);
    if (flags & Qt::TextWrapAnywhere)
        option.setWrapMode(QTextOption::WrapAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);

    const double lineWidth = wordWrap ? std::max(0.0, size.width()) : double(0x01000000);
    double height = -leading;
    double width = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        // Each line starts on a whole unit of the painter, as drawText starts it.
        height = std::ceil(height + leading);
        line.setPosition(QPointF(0, height));
        // The line's exact height: QTextLine::height() is rounded up.
        height += line.ascent() + line.descent();
        width = std::max(width, line.naturalTextWidth());
        if (height >= size.height())
            break;
    }
    layout.endLayout();

    double top = 0;
    double left = 0;
    if (flags & Qt::AlignBottom)
        top = size.height() - height;
    else if (flags & Qt::AlignVCenter)
        top = (size.height() - height) / 2;
    if (flags & Qt::AlignRight)
        left = size.width() - width;
    else if (flags & Qt::AlignHCenter)
        left = (size.width() - width) / 2;

    Shaped shaped;
    shaped.ready = true;
    shaped.clipped = !QRectF(QPointF(0, 0), size).contains(QRectF(left, top, width, height));
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const double advance = line.horizontalAdvance();
        double lineLeft = 0;
        if (flags & Qt::AlignRight)
            lineLeft = size.width() - advance;
        else if (flags & Qt::AlignHCenter)
            lineLeft = (size.width() - advance) / 2;
        for (const QGlyphRun& run : line.glyphRuns())
            shaped.runs.emplace_back(QPointF(lineLeft, top), run);
    }
    return shaped;
}
