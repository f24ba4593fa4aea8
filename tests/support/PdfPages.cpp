#include "support/PdfPages.h"

#include <QFile>
#include <QRegularExpression>
#include <QTransform>

namespace
{

constexpr double mmPerPoint = 25.4 / 72;

// A page's content stream, inflated.
QByteArray contentStream(const QByteArray& pdf, const QByteArray& object)
{
    const qsizetype start = pdf.indexOf("\n" + object + " 0 obj\n");
    if (start < 0)
        return {};
    const qsizetype data = pdf.indexOf("stream\n", start) + 7;
    const qsizetype end = pdf.indexOf("endstream", data);
    if (data < 7 || end < 0)
        return {};
    // qUncompress wants the zlib data behind a 4-byte length hint.
    QByteArray zlib("\x01\x00\x00\x00", 4);
    zlib += pdf.mid(data, end - data);
    return qUncompress(zlib);
}

// Follows the graphics and text matrices of a content stream to where each
// glyph is shown (PDF points, from the bottom-left corner).
QList<QPointF> glyphOrigins(const QByteArray& content)
{
    QList<QPointF> origins;
    QList<QTransform> saved;
    QTransform ctm, textMatrix, lineMatrix;
    QList<double> operands;
    const auto matrix = [&operands] {
        return operands.size() >= 6 ? QTransform(operands[operands.size() - 6], operands[operands.size() - 5],
                                                 operands[operands.size() - 4], operands[operands.size() - 3],
                                                 operands[operands.size() - 2], operands[operands.size() - 1])
                                    : QTransform();
    };
    for (const QByteArray& token : content.simplified().split(' ')) {
        bool number = false;
        const double value = token.toDouble(&number);
        if (number) {
            operands << value;
            continue;
        }
        if (token == "q")
            saved << ctm;
        else if (token == "Q" && !saved.isEmpty())
            ctm = saved.takeLast();
        else if (token == "cm")
            ctm = matrix() * ctm;
        else if (token == "BT")
            textMatrix = lineMatrix = QTransform();
        else if (token == "Tm")
            textMatrix = lineMatrix = matrix();
        else if (token == "Td" && operands.size() >= 2)
            textMatrix = lineMatrix =
                QTransform::fromTranslate(operands[operands.size() - 2], operands.last()) * lineMatrix;
        else if (token == "Tj")
            origins << (textMatrix * ctm).map(QPointF(0, 0));
        else if (token.startsWith('<') || token.startsWith('/') || token.startsWith('('))
            continue; // an operand that is not a number
        operands.clear();
    }
    return origins;
}

} // namespace

QList<PdfPage> readPdfPages(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = file.readAll();
    static const QRegularExpression page(
        QStringLiteral(R"(/Type /Page\n[^>]*?/Contents (\d+) 0 R[^>]*?/MediaBox \[([\d. ]+)\])"));
    QList<PdfPage> pages;
    for (const QRegularExpressionMatch& m : page.globalMatch(QString::fromLatin1(pdf))) {
        const QStringList box = m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (box.size() != 4)
            continue;
        PdfPage result;
        const double height = box[3].toDouble();
        result.size = QSizeF(box[2].toDouble(), height) * mmPerPoint;
        for (const QPointF& origin : glyphOrigins(contentStream(pdf, m.captured(1).toLatin1())))
            result.glyphs << QPointF(origin.x(), height - origin.y()) * mmPerPoint;
        pages << result;
    }
    return pages;
}
