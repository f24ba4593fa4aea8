#include "printing/PagePainter.h"

#include "core/OutputFile.h"
#include "core/Utilities.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QVarLengthArray>
#include <optional>
#include <zlib.h>

namespace PagePainter
{

namespace
{

// A font's size follows the device's resolution in whole pixels, so a text
// would be wider or narrower on each output and wrap elsewhere. The texts are
// painted at the resolution the layout measured them at, scaled down to the
// device: one scaling for all the texts of a page, and the font changed only
// when it differs from the text before, which keeps a PDF page small.
void paintTexts(const Page& page, QPainter& painter, double dotsPerInch, ShapedTexts& shapedTexts)
{
    const double fontScale = double(textResolution) / painter.device()->logicalDpiY();
    const double scale = textResolution / 25.4;
    painter.save();
    painter.scale(dotsPerInch / textResolution, dotsPerInch / textResolution);
    painter.setPen(Qt::black);
    // The items of an element share its font: it is scaled when it changes.
    std::optional<QFont> current;
    for (const PageItem& item : page.items) {
        if (item.kind != PageItem::Kind::Text)
            continue;
        if (!current || *current != item.font) {
            current = item.font;
            QFont font = item.font;
            if (font.pointSizeF() > 0)
                font.setPointSizeF(font.pointSizeF() * fontScale);
            painter.setFont(font);
        }
        const QRectF rect(item.rect.left() * scale, item.rect.top() * scale, item.rect.width() * scale,
                          item.rect.height() * scale);
        shapedTexts.draw(painter, rect, item.flags, item.text);
    }
    painter.restore();
}

// A drawing scaled from its bounding rectangle into the item's place.
void paintPicture(const PageItem& item, const QRectF& place, QPainter& painter)
{
    if (!item.picture || item.picture->boundingRect().isEmpty())
        return;
    const QRectF drawn = item.picture->boundingRect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(place.topLeft());
    painter.scale(place.width() / drawn.width(), place.height() / drawn.height());
    // A picture plays itself scaled from its own resolution to the device's: undone here.
    painter.scale(double(item.picture->logicalDpiX()) / painter.device()->logicalDpiX(),
                  double(item.picture->logicalDpiY()) / painter.device()->logicalDpiY());
    painter.translate(-drawn.topLeft());
    painter.drawPicture(0, 0, *item.picture);
    painter.restore();
}

} // namespace

void paintPage(const PageModel& model, int index, QPainter& painter, double dotsPerInch)
{
    if (index < 0 || index >= model.pages.size())
        return;
    ShapedTexts shapedTexts;
    paintPage(model.pages[index], painter, dotsPerInch, shapedTexts);
}

void paintPage(const Page& page, QPainter& painter, double dotsPerInch, ShapedTexts& shapedTexts)
{
    const double scale = dotsPerInch / 25.4;
    const auto toDevice = [scale](const QRectF& mm) {
        return QRectF(mm.left() * scale, mm.top() * scale, mm.width() * scale, mm.height() * scale);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // The rules first, then the texts: nothing is filled, so the order does not
    // show. Rules of one pen go to the device together, which a PDF writes as
    // one path instead of one per rule.
    QVarLengthArray<QLineF, 256> lines;
    QVarLengthArray<QRectF, 64> rects;
    const auto drawRules = [&] {
        if (!lines.isEmpty())
            painter.drawLines(lines.data(), int(lines.size()));
        if (!rects.isEmpty())
            painter.drawRects(rects.data(), int(rects.size()));
        lines.clear();
        rects.clear();
    };
    double penWidth = -1;
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::Kind::Text)
            continue;
        if (item.kind == PageItem::Kind::Picture) {
            drawRules(); // the rules before the picture stay under it
            paintPicture(item, toDevice(item.rect), painter);
            continue;
        }
        if (const double width = std::max(1.0, item.lineWidth * scale); width != penWidth) {
            drawRules();
            painter.setPen(QPen(Qt::black, width));
            penWidth = width;
        }
        const QRectF r = toDevice(item.rect);
        if (item.kind == PageItem::Kind::Line)
            lines.append(QLineF(r.topLeft(), r.bottomRight()));
        else
            rects.append(r);
    }
    drawRules();
    paintTexts(page, painter, dotsPerInch, shapedTexts);
    painter.restore();
}

void writePdf(const PageModel& model, const QString& filePath)
{
    PdfFile file(filePath, model.paper, model.orientation);
    for (const Page& page : model.pages)
        file.add(page);
    file.finish();
}

namespace
{
IoError notWritten(const QString& filePath)
{
    return IoError(QStringLiteral("Fisierul %1 nu poate fi scris").arg(QDir::toNativeSeparators(filePath)));
}
} // namespace

PdfFile::PdfFile(const QString& filePath, const QPageSize& paper, QPageLayout::Orientation orientation)
    : m_filePath(filePath), m_file(std::make_unique<OutputFile>(filePath)), m_painter(std::make_unique<QPainter>())
{
    if (!m_file->open())
        throw notWritten(filePath);
    m_writer = std::make_unique<QPdfWriter>(m_file->device());
    m_writer->setResolution(600);
    m_writer->setCreator(QStringLiteral("Lumivaret"));
    m_writer->setPageLayout(QPageLayout(paper, orientation, QMarginsF(0, 0, 0, 0)));
    if (!m_painter->begin(m_writer.get()))
        throw notWritten(filePath);
}

PdfFile::~PdfFile()
{
    if (m_painter->isActive())
        m_painter->end();
}

void PdfFile::add(const Page& page)
{
    if (m_pages++ > 0)
        m_writer->newPage();
    paintPage(page, *m_painter, m_writer->resolution(), m_shapedTexts);
}

void PdfFile::finish()
{
    if (!m_painter->end() || !m_file->commit())
        throw notWritten(m_filePath);
}

} // namespace PagePainter

// Qt's PDF writer deflates every page's drawing at zlib's default level. On a
// book of a thousand pages that costs a quarter of the printing time, to make
// the file a fifth smaller than zlib's fastest level does. The writer has no
// setting for it, so the program supplies the zlib entry the writer starts a
// compression with and asks for the fastest level where the caller asked for
// the default. The pages hold the same drawing either way; every PDF reader
// reads both. (A program's own definition comes before the shared library's; it lives
// here, beside the PDF file, so that it is linked wherever PDFs are written.)
extern "C" int deflateInit_(z_streamp stream, int level, const char* version, int streamSize)
{
    constexpr int memoryLevel = 8; // zlib's default, as deflateInit_ itself uses
    return deflateInit2_(stream, level == Z_DEFAULT_COMPRESSION ? Z_BEST_SPEED : level, Z_DEFLATED, MAX_WBITS,
                         memoryLevel, Z_DEFAULT_STRATEGY, version, streamSize);
}
