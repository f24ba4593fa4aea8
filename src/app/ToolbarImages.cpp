#include "app/ToolbarImages.h"

#include <QPainter>
#include <QPainterPath>

namespace ToolbarImages
{

namespace
{

constexpr int iconSize = 32;

QPixmap canvas(int width = iconSize, int height = iconSize)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawCoin(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(140, 100, 0), 1.5));
    p.setBrush(QColor(240, 200, 60));
    p.drawEllipse(r);
    p.setPen(QColor(140, 100, 0));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(int(r.height() * 0.6));
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("L"));
}

void drawArrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF direction = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF normal(-direction.y(), direction.x());
    QPainterPath head;
    head.moveTo(to + direction * 4);
    head.lineTo(to - direction * 6 + normal * 6);
    head.lineTo(to - direction * 6 - normal * 6);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
}

void drawBank(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(60, 60, 90), 1.2));
    p.setBrush(QColor(200, 205, 220));
    QPainterPath roof;
    roof.moveTo(r.left(), r.top() + r.height() * 0.35);
    roof.lineTo(r.center().x(), r.top());
    roof.lineTo(r.right(), r.top() + r.height() * 0.35);
    roof.closeSubpath();
    p.drawPath(roof);
    const double columnWidth = r.width() / 7;
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(r.left() + columnWidth * (1 + 2 * i), r.top() + r.height() * 0.4, columnWidth,
                          r.height() * 0.45));
    p.drawRect(QRectF(r.left(), r.bottom() - r.height() * 0.12, r.width(), r.height() * 0.12));
}

QPixmap moneyIcon(bool incoming)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawCoin(p, QRectF(2, 10, 20, 20));
    if (incoming)
        drawArrow(p, QPointF(28, 2), QPointF(20, 12), QColor(30, 140, 50));
    else
        drawArrow(p, QPointF(20, 12), QPointF(28, 2), QColor(190, 40, 40));
    return pixmap;
}

QPixmap bankIcon(bool intoBank)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawBank(p, QRectF(12, 4, 19, 24));
    drawCoin(p, QRectF(1, 16, 12, 12));
    if (intoBank)
        drawArrow(p, QPointF(3, 10), QPointF(12, 10), QColor(30, 140, 50));
    else
        drawArrow(p, QPointF(12, 10), QPointF(3, 10), QColor(190, 40, 40));
    return pixmap;
}

void drawCross(QPainter& p, QPointF centre, double height, const QColor& colour)
{
    p.setPen(QPen(colour, height / 8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(centre + QPointF(0, -height / 2), centre + QPointF(0, height / 2));
    p.drawLine(centre + QPointF(-height / 4, -height / 4), centre + QPointF(height / 4, -height / 4));
    p.drawLine(centre + QPointF(-height / 6, -height * 0.42), centre + QPointF(height / 6, -height * 0.42));
    p.drawLine(centre + QPointF(-height / 5, height / 5), centre + QPointF(height / 5, height / 10));
}

} // namespace

QPixmap incomes()
{
    return moneyIcon(true);
}
QPixmap expenses()
{
    return moneyIcon(false);
}
QPixmap deposits()
{
    return bankIcon(true);
}
QPixmap withdrawals()
{
    return bankIcon(false);
}

QPixmap churchAuthorityLogo()
{
    QPixmap pixmap = canvas(40, 40);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 110, 20), 2));
    p.setBrush(QColor(250, 235, 180));
    p.drawEllipse(QRectF(2, 2, 36, 36));
    drawCross(p, QPointF(20, 20), 28, QColor(120, 20, 30));
    return pixmap;
}

QPixmap church()
{
    QPixmap pixmap = canvas(40, 40);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 70, 50), 1));
    p.setBrush(QColor(245, 240, 225));
    p.drawRect(QRectF(6, 20, 28, 18));
    p.drawRect(QRectF(15, 10, 10, 10));
    p.setBrush(QColor(70, 110, 170));
    QPainterPath dome;
    dome.moveTo(14, 11);
    dome.quadTo(20, 0, 26, 11);
    dome.closeSubpath();
    p.drawPath(dome);
    p.setBrush(QColor(110, 80, 50));
    p.drawRect(QRectF(17, 28, 6, 10));
    drawCross(p, QPointF(20, 3), 6, QColor(200, 160, 30));
    return pixmap;
}

QPixmap publisherLogo()
{
    QPixmap pixmap = canvas(40, 40);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 80, 140));
    p.drawRoundedRect(QRectF(2, 2, 36, 36), 6, 6);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(24);
    p.setFont(f);
    p.drawText(QRectF(2, 2, 36, 36), Qt::AlignCenter, QStringLiteral("Lv"));
    return pixmap;
}

} // namespace ToolbarImages
