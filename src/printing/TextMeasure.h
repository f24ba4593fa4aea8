#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

#include <array>
#include <optional>

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
    // (mm): a cut amount or document number would read as another one.
    QFont fitted(const QFont& font, const QString& text, double width);

private:
    // The last few thousand heights, by font, width and text.
    QHash<QString, double> m_heights;
    // The width of each of the first 256 characters in the last font fitted, -1 until measured.
    QFont m_advancesFont;
    std::optional<QFontMetricsF> m_advancesMetrics;
    std::array<double, 256> m_advances{};
};
