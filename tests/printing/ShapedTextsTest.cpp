#include "printing/ShapedTexts.h"
#include "printing/TextMeasure.h"
#include "printing/PageModel.h"
#include "support/PdfPages.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace
{

struct Placed {
    QFont font;
    QRectF rect;
    int flags;
    QString text;
};

// Texts of a report's kinds in the places they take: one-line amounts and
// captions in every alignment, texts wider than their place (cut at its
// edges), wrapped texts of two and three lines, diacritics, spaces at the ends.
QList<Placed> placedTexts()
{
    const QStringList texts = {QStringLiteral("0,00"),
                               QStringLiteral("1.234.567,89"),
                               QStringLiteral("Sold ziua precedenta / Report :"),
                               QStringLiteral("Chitanța lui Ștefan din Țara Bârsei, îngropăciune"),
                               QStringLiteral("FACTURA FISCALA"),
                               QStringLiteral("  spatii la capete  "),
                               QStringLiteral("doua\nrânduri")};
    const int flags[] = {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignRight | Qt::AlignVCenter, Qt::AlignCenter,
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap, Qt::AlignHCenter | Qt::AlignBottom};
    QFont bold(QStringLiteral("Arial"), 20);
    bold.setBold(true);
    const QFont fonts[] = {QFont(QStringLiteral("Arial"), 16), bold, QFont(QStringLiteral("Arial"), 13)};
    QList<Placed> placed;
    double top = 100;
    for (const QFont& font : fonts)
        for (const int f : flags)
            for (const QString& text : texts)
                for (const double width : {900.0, 240.5}) {
                    placed.append({font, QRectF(150.25, top, width, 180), f, text});
                    top = top > 9000 ? 100 : top + 233.7;
                }
    return placed;
}

// One PDF page of the texts, drawn the way `draw` does, at the resolution and
// scale the report painter uses.
void writePage(const QString& file, const std::function<void(QPainter&, const Placed&)>& draw,
               int warmUpPages = 0)
{
    QPdfWriter writer(file);
    writer.setResolution(600);
    QPainter painter(&writer);
    painter.scale(0.5, 0.5);
    for (int page = 0; page <= warmUpPages; ++page) {
        if (page > 0)
            writer.newPage();
        for (const Placed& p : placedTexts()) {
            painter.setFont(p.font);
            draw(painter, p);
        }
    }
}

} // namespace

// A text painted from the glyph runs kept for it lands where drawText puts
// it, glyph by glyph, and stays text that a reader extracts.
TEST(ShapedTexts, PaintTheGlyphsWhereDrawTextPutsThem)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("drawText.pdf"));
    const QString shaped = dir.filePath(QStringLiteral("shaped.pdf"));
    writePage(plain, [](QPainter& painter, const Placed& p) { painter.drawText(p.rect, p.flags, p.text); });
    ShapedTexts texts;
    // The first page draws each text once, as seen for the first time; the
    // second paints them all from their runs.
    writePage(
        shaped, [&](QPainter& painter, const Placed& p) { texts.draw(painter, p.rect, p.flags, p.text); }, 1);

    const QList<PdfPage> expected = readPdfPages(plain);
    const QList<PdfPage> actual = readPdfPages(shaped);
    ASSERT_EQ(expected.size(), 1);
    ASSERT_EQ(actual.size(), 2);
    EXPECT_EQ(actual[1].texts, expected[0].texts);
    ASSERT_EQ(actual[1].glyphs.size(), expected[0].glyphs.size());
    // Qt rounds glyph positions to 1/64 of a unit at each step: the lines
    // after a wrapped text's first may land a tenth of a 1200 dpi pixel apart.
    constexpr double tenthOfAPixel = 25.4 / 1200 / 10;
    for (qsizetype i = 0; i < expected[0].glyphs.size(); ++i) {
        EXPECT_NEAR(actual[1].glyphs[i].x(), expected[0].glyphs[i].x(), tenthOfAPixel) << i;
        EXPECT_NEAR(actual[1].glyphs[i].y(), expected[0].glyphs[i].y(), tenthOfAPixel) << i;
    }
}

// The height of a text that surely fits on one line is told without laying
// it out; it must be the height the wrapped layout gives.
TEST(TextMeasure, OneLineHeightsAreTheLaidOutHeights)
{
    QFont bold(QStringLiteral("Arial"), 10);
    bold.setBold(true);
    const QFont fonts[] = {QFont(QStringLiteral("Arial"), 8), bold, QFont(QStringLiteral("Arial"), 7)};
    const QStringList texts = {QString(), QStringLiteral(" "), QStringLiteral("CHITANTA"),
                               QStringLiteral("Sold ziua precedenta / Report :"),
                               QStringLiteral("Ștefan, pomelnic"), QStringLiteral("o explicatie lunga care se rupe pe "
                                                                                  "mai multe randuri in coloana ei")};
    for (const QFont& font : fonts)
        for (const QString& text : texts)
            for (const double width : {20.0, 45.0, 200.0}) {
                TextMeasure measure;
                const QRectF laidOut = textMetrics(font).boundingRect(
                    QRectF(0, 0, width * textResolution / 25.4, 1e9),
                    Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
                EXPECT_DOUBLE_EQ(measure.height(text, font, width), laidOut.height() * 25.4 / textResolution)
                    << text.toStdString() << " in " << width << " mm";
            }
}
