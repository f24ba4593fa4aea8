#include "printing/PagePainter.h"

#include "core/Utilities.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <optional>

namespace PagePainter
{

namespace
{

// A font's size follows the device's resolution in whole pixels, so a text
// would be wider or narrower on each output and wrap elsewhere. The texts are
// painted at the resolution the layout measured them at, scaled down to the
// device: one scaling for all the texts of a page, and the font changed only
// when it differs from the text before, which keeps a PDF page small.
void paintTexts(const Page& page, QPainter& painter, double dotsPerInch)
{
    const double fontScale = double(textResolution) / painter.device()->logicalDpiY();
    const double scale = textResolution / 25.4;
    painter.save();
    painter.scale(dotsPerInch / textResolution, dotsPerInch / textResolution);
    painter.setPen(Qt::black);
    std::optional<QFont> current;
    for (const PageItem& item : page.items) {
        if (item.kind != PageItem::Kind::Text)
            continue;
        QFont font = item.font;
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * fontScale);
        if (!current || *current != font) {
            painter.setFont(font);
            current = font;
        }
        const QRectF rect(item.rect.left() * scale, item.rect.top() * scale, item.rect.width() * scale,
                          item.rect.height() * scale);
        painter.drawText(rect, item.flags, item.text);
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
    const double scale = dotsPerInch / 25.4;
    const auto toDevice = [scale](const QRectF& mm) {
        return QRectF(mm.left() * scale, mm.top() * scale, mm.width() * scale, mm.height() * scale);
    };
    const Page& page = model.pages[index];
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // The rules first, then the texts: nothing is filled, so the order does not show.
    double penWidth = -1;
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::Kind::Text)
            continue;
        if (item.kind == PageItem::Kind::Picture) {
            paintPicture(item, toDevice(item.rect), painter);
            continue;
        }
        if (const double width = std::max(1.0, item.lineWidth * scale); width != penWidth) {
            painter.setPen(QPen(Qt::black, width));
            penWidth = width;
        }
        const QRectF r = toDevice(item.rect);
        if (item.kind == PageItem::Kind::Line)
            painter.drawLine(r.topLeft(), r.bottomRight());
        else
            painter.drawRect(r);
    }
    paintTexts(page, painter, dotsPerInch);
    painter.restore();
}

void writePdf(const PageModel& model, const QString& filePath)
{
    QPdfWriter writer(filePath);
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Lumivaret"));
    writer.setPageLayout(QPageLayout(model.paper, model.orientation, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        throw IoError(
            QStringLiteral("Fisierul %1 nu poate fi scris").arg(QDir::toNativeSeparators(filePath)));
    for (int page = 0; page < model.pages.size(); ++page) {
        if (page > 0)
            writer.newPage();
        paintPage(model, page, painter, writer.resolution());
    }
    painter.end();
    if (!QFile::exists(filePath))
        throw IoError(
            QStringLiteral("Fisierul %1 nu poate fi scris").arg(QDir::toNativeSeparators(filePath)));
}

} // namespace PagePainter
