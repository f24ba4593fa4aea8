#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// Measures a report's texts for its layout, keeping what it measured: a
// report measures the same texts in the same columns again and again (and
// once more in each pass). Each layout keeps its own, so two layouts can run
// at once.
class TextMeasure
{
public:
    // The height of `text` wrapped in `width`, in mm.
    double height(const QString& text, const QFont& font, double width);

    // `font`, or a smaller one when the one-line `text` is wider than `width`
    // (mm): a cut amount or document number would read as another one. The
    // smaller fonts are kept, one object per size, for the items to share.
    const QFont& fitted(const QFont& font, const QString& text, double width);

private:
    // A font's metrics with the widths of the first 256 characters, each
    // measured when first needed (-1 until then).
    struct FontAdvances {
        QFont font;
        QFontMetricsF metrics;
        std::array<double, 256> advances;
    };
    FontAdvances& advancesOf(const QFont& font);
    // Whether the one-line `text` surely fits in `width` (mm), told from the
    // sum of its characters' widths without shaping it: kerning changes a
    // text's width by a little, so a text that comes close is not sure.
    static bool surelyFits(FontAdvances& font, const QString& text, double width);

    struct HeightKey {
        QString font; // the font's key
        double width;
        QString text;
        bool operator==(const HeightKey&) const = default;
        friend size_t qHash(const HeightKey& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.font, key.width, key.text);
        }
    };
    // The last few thousand heights, by font, width and text.
    QHash<HeightKey, double> m_heights;
    // The key of the last font measured: a font's key is a text put together anew at each call.
    QFont m_keyedFont;
    QString m_fontKey;
    // The fonts measured, a handful per report.
    std::vector<FontAdvances> m_fonts;
    // The smaller fonts given out, by the font's key and size.
    QHash<QString, QFont> m_smallerFonts;
};
