#pragma once

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

// What a PDF file written by Qt puts on its pages: the paper size and where
// each glyph is drawn, in millimetres from the page's top-left corner.
struct PdfPage {
    QSizeF size;
    QList<QPointF> glyphs;
};

// Reads the pages of a PDF file written by Qt's PDF engine; empty when the
// file cannot be read.
QList<PdfPage> readPdfPages(const QString& filePath);
