#pragma once

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// What a PDF file written by Qt puts on its pages: the paper size, where
// each glyph is drawn, in millimetres from the page's top-left corner, and
// the texts drawn.
struct PdfPage {
    QSizeF size;
    QList<QPointF> glyphs;
    // Each run of glyphs Qt drew together (a line of a text, or a part of
    // one), in the order drawn, read back through the fonts' Unicode maps.
    QStringList texts;
};

// Reads the pages of a PDF file written by Qt's PDF engine; empty when the
// file cannot be read.
QList<PdfPage> readPdfPages(const QString& filePath);
