#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <memory>

class QPicture;

// Texts are measured, broken into lines and painted at this resolution (dpi),
// whatever the output's own, so every output shows the lines the layout chose.
inline constexpr int textResolution = 1200;

// Metrics of the font on a device of textResolution: what the layout measures with.
QFontMetricsF textMetrics(const QFont& font);

// What a report lays out: pages of positioned texts, lines and rectangles,
// in millimetres from the paper's top-left corner. Printing, the PDF file and
// the preview all paint this same model; tests read it.
struct PageItem {
    enum class Kind { Text, Line, Rect, Picture };
    Kind kind = Kind::Text;
    QRectF rect; // mm; a line runs from the top-left to the bottom-right corner
    QString text;
    // Shared with the element it comes from: items copy no font of their own.
    QFont font = unsetFont();
    int flags = Qt::AlignLeft | Qt::AlignVCenter; // alignment, and Qt::TextWordWrap
    double lineWidth = 0.2;                       // mm
    std::shared_ptr<const QPicture> picture;      // a Picture's drawing, scaled into `rect`

    // The font of an item that has none (a line, a rectangle, a picture): one object for
    // all, since a default QFont asks the application for its font, under a lock.
    static const QFont& unsetFont();
};

struct Page {
    QList<PageItem> items;
    // The texts of the page in the order they were laid out.
    QStringList texts() const;
    // The text items whose text is exactly `text`.
    QList<PageItem> find(const QString& text) const;
};

struct PageModel {
    QPageSize paper{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QList<Page> pages;

    QSizeF paperSize() const; // mm, in the model's orientation
};
