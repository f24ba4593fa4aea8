#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// A report repeats the same texts in the same places on every page: dates,
// "0,00", document kinds, captions. Each distinct text is laid out and shaped
// once, in the painter's font, for its place's size and alignment, and is
// painted from its glyph runs afterwards; the glyphs land where QPainter's
// drawText(rect, flags, text) puts them, and a PDF keeps them as text.
// One instance serves one painter, whose transformation must not change.
class ShapedTexts
{
public:
    // Draws `text` in `rect` with `flags` (alignment, Qt::TextWordWrap), in the painter's font.
    void draw(QPainter& painter, const QRectF& rect, int flags, const QString& text);

private:
    struct Shaped {
        // Each line's glyph runs, from the place's top-left corner.
        std::vector<std::pair<QPointF, QGlyphRun>> runs;
        bool clipped = false; // the text overflows its place and is cut at its edges
        bool ready = false; // shaped, the runs above are to be painted
        // Seen once and drawn by drawText: most amounts and numbers of a book
        // print once, and shaping them for later would only cost.
        bool drawnOnce = false;
    };
    struct Key {
        QString text;
        QSizeF size;
        int flags;
        bool operator==(const Key&) const = default;
        friend size_t qHash(const Key& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.size.width(), key.size.height(), key.flags);
        }
    };

    static Shaped shape(QPainter& painter, double leading, const QSizeF& size, int flags, const QString& text);

    // The texts shaped in each font the painter had, newest font last.
    struct FontTexts {
        QFont font;
        double leading; // the font's leading on the painter's device
        QHash<Key, Shaped> texts;
    };
    std::vector<FontTexts> m_fonts;
};
