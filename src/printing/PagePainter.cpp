#include "printing/PagePainter.h"

#include "core/Utilities.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>

namespace PagePainter
{

namespace
{

// A font's size follows the device's resolution in whole pixels, so a text
// would be wider or narrower on each output and wrap elsewhere. It is painted
// at the resolution the layout measured it at, scaled down to the device.
void paintText(const PageItem& item, QPainter& painter, double dotsPerInch)
{
    QFont font = item.font;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * textResolution / painter.device()->logicalDpiY());
    const double scale = textResolution / 25.4;
    const QRectF rect(item.rect.left() * scale, item.rect.top() * scale, item.rect.width() * scale,
                      item.rect.height() * scale);
    painter.save();
    painter.scale(dotsPerInch / textResolution, dotsPerInch / textResolution);
    painter.setPen(Qt::black);
    painter.setFont(font);
    painter.drawText(rect, item.flags, item.text);
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
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const PageItem& item : model.pages[index].items) {
        switch (item.kind) {
        case PageItem::Kind::Text:
            paintText(item, painter, dotsPerInch);
            break;
        case PageItem::Kind::Line: {
            painter.setPen(QPen(Qt::black, std::max(1.0, item.lineWidth * scale)));
            const QRectF r = toDevice(item.rect);
            painter.drawLine(r.topLeft(), r.bottomRight());
            break;
        }
        case PageItem::Kind::Rect:
            painter.setPen(QPen(Qt::black, std::max(1.0, item.lineWidth * scale)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(toDevice(item.rect));
            break;
        }
    }
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
