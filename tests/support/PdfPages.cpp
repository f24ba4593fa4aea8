#include "support/PdfPages.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTransform>

namespace
{

constexpr double mmPerPoint = 25.4 / 72;

// The text of an object, from its number to "endobj".
QByteArray objectText(const QByteArray& pdf, const QByteArray& object)
{
    const qsizetype start = pdf.indexOf("\n" + object + " 0 obj\n");
    if (start < 0)
        return {};
    const qsizetype end = pdf.indexOf("endobj", start);
    return end < 0 ? QByteArray() : pdf.mid(start, end - start);
}

// An object's stream, inflated when it is compressed.
QByteArray objectStream(const QByteArray& pdf, const QByteArray& object)
{
    const QByteArray text = objectText(pdf, object);
    const qsizetype data = text.indexOf("stream\n") + 7;
    const qsizetype end = text.indexOf("endstream", data);
    if (data < 7 || end < 0)
        return {};
    const QByteArray stream = text.mid(data, end - data);
    if (!text.left(data).contains("/FlateDecode"))
        return stream;
    // qUncompress wants the zlib data behind a 4-byte length hint.
    QByteArray zlib("\x01\x00\x00\x00", 4);
    return qUncompress(zlib + stream);
}

// A font's map from the codes of its glyphs to the text they stand for.
using UnicodeMap = QHash<uint, QString>;

QString utf16FromHex(const QByteArray& hex)
{
    QString text;
    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
        text += QChar(char16_t(hex.mid(i, 4).toUInt(nullptr, 16)));
    // Qt maps the blank glyph back to a tab.
    return text.replace(QLatin1Char('\t'), QLatin1Char(' '));
}

// Reads the "bfchar" and "bfrange" entries of a ToUnicode CMap.
UnicodeMap readUnicodeMap(const QByteArray& cmap)
{
    UnicodeMap map;
    static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>|\\[|\\]"));
    const QString text = QString::fromLatin1(cmap);
    static const QRegularExpression section(QStringLiteral("begin(bfchar|bfrange)(.*?)end\\1"),
                                            QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpressionMatch& s : section.globalMatch(text)) {
        QStringList tokens;
        for (const QRegularExpressionMatch& t : hex.globalMatch(s.captured(2)))
            tokens << t.captured(0);
        const auto code = [](const QString& token) {
            return token.mid(1, token.size() - 2).toUInt(nullptr, 16);
        };
        const auto value = [](const QString& token) {
            return utf16FromHex(token.mid(1, token.size() - 2).toLatin1());
        };
        if (s.captured(1) == QLatin1String("bfchar")) {
            for (qsizetype i = 0; i + 1 < tokens.size(); i += 2)
                map.insert(code(tokens[i]), value(tokens[i + 1]));
            continue;
        }
        for (qsizetype i = 0; i + 2 < tokens.size();) {
            const uint low = code(tokens[i]);
            const uint high = code(tokens[i + 1]);
            if (tokens[i + 2] == QLatin1String("[")) {
                i += 3;
                for (uint c = low; i < tokens.size() && tokens[i] != QLatin1String("]"); ++c, ++i)
                    map.insert(c, value(tokens[i]));
                ++i; // the closing bracket
            } else {
                QString first = value(tokens[i + 2]);
                for (uint c = low; c <= high && !first.isEmpty(); ++c) {
                    map.insert(c, first);
                    first.back() = QChar(char16_t(first.back().unicode() + 1));
                }
                i += 3;
            }
        }
    }
    return map;
}

// The Unicode maps of a page's fonts, by their resource names ("/F7").
QHash<QByteArray, UnicodeMap> pageFonts(const QByteArray& pdf, const QByteArray& resources)
{
    QHash<QByteArray, UnicodeMap> fonts;
    const QByteArray text = objectText(pdf, resources);
    const qsizetype fontDict = text.indexOf("/Font <<");
    if (fontDict < 0)
        return fonts;
    static const QRegularExpression entry(QStringLiteral("(/\\S+) (\\d+) 0 R"));
    static const QRegularExpression toUnicode(QStringLiteral("/ToUnicode (\\d+) 0 R"));
    const QString dict =
        QString::fromLatin1(text.mid(fontDict + 8, text.indexOf(">>", fontDict) - fontDict - 8));
    for (const QRegularExpressionMatch& m : entry.globalMatch(dict)) {
        const QRegularExpressionMatch map =
            toUnicode.match(QString::fromLatin1(objectText(pdf, m.captured(2).toLatin1())));
        if (map.hasMatch())
            fonts.insert(m.captured(1).toLatin1(),
                         readUnicodeMap(objectStream(pdf, map.captured(1).toLatin1())));
    }
    return fonts;
}

struct PageContent {
    QList<QPointF> origins; // PDF points, from the bottom-left corner
    QStringList texts;
};

// Follows the graphics and text matrices of a content stream to where each
// glyph is shown, and reads the text of each text object.
PageContent readContent(const QByteArray& content, const QHash<QByteArray, UnicodeMap>& fonts)
{
    PageContent page;
    QList<QTransform> saved;
    QTransform ctm, textMatrix, lineMatrix;
    QList<double> operands;
    QByteArray name, string;
    const UnicodeMap* font = nullptr;
    QString run;
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
        if (token.startsWith('/')) {
            name = token;
            continue;
        }
        if (token.startsWith('<') || token.startsWith('(')) {
            string = token;
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
        else if (token == "ET") {
            if (!run.isEmpty())
                page.texts << run;
            run.clear();
        } else if (token == "Tf") {
            const auto found = fonts.constFind(name);
            font = found == fonts.cend() ? nullptr : &found.value();
        } else if (token == "Tm")
            textMatrix = lineMatrix = matrix();
        else if (token == "Td" && operands.size() >= 2)
            textMatrix = lineMatrix =
                QTransform::fromTranslate(operands[operands.size() - 2], operands.last()) * lineMatrix;
        else if (token == "Tj") {
            page.origins << (textMatrix * ctm).map(QPointF(0, 0));
            // Qt shows the glyphs by two-byte codes in hexadecimal.
            const QByteArray codes = string.mid(1, string.size() - 2);
            for (qsizetype i = 0; font && i + 4 <= codes.size(); i += 4)
                run += font->value(codes.mid(i, 4).toUInt(nullptr, 16));
        }
        operands.clear();
    }
    return page;
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
    static const QRegularExpression resources(QStringLiteral(R"(/Resources (\d+) 0 R)"));
    QList<PdfPage> pages;
    for (const QRegularExpressionMatch& m : page.globalMatch(QString::fromLatin1(pdf))) {
        const QStringList box = m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (box.size() != 4)
            continue;
        PdfPage result;
        const double height = box[3].toDouble();
        result.size = QSizeF(box[2].toDouble(), height) * mmPerPoint;
        const QRegularExpressionMatch fontsOf = resources.match(m.captured(0));
        const PageContent content =
            readContent(objectStream(pdf, m.captured(1).toLatin1()),
                        fontsOf.hasMatch() ? pageFonts(pdf, fontsOf.captured(1).toLatin1())
                                           : QHash<QByteArray, UnicodeMap>());
        for (const QPointF& origin : content.origins)
            result.glyphs << QPointF(origin.x(), height - origin.y()) * mmPerPoint;
        result.texts = content.texts;
        pages << result;
    }
    return pages;
}
