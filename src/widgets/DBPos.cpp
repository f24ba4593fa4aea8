#include "widgets/DBPos.h"

#include "db/Dataset.h"

#include <QPainter>

TDBPos::TDBPos(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Pozitia documentului"));
}

void TDBPos::bind(Dataset* dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (dataset) {
        connect(dataset, &Dataset::currentRowChanged, this, &TDBPos::follow);
        connect(dataset, &Dataset::rowsReset, this, &TDBPos::follow);
        connect(dataset, &Dataset::stateChanged, this, &TDBPos::follow);
        connect(dataset, &Dataset::rowInserted, this, &TDBPos::follow);
        connect(dataset, &Dataset::rowRemoved, this, &TDBPos::follow);
    }
    follow();
}

void TDBPos::follow()
{
    const bool open = m_dataset && m_dataset->isActive();
    m_max = open ? m_dataset->recordCount() : 0;
    m_progress = open ? m_dataset->recNo() : 0;
    setAccessibleDescription(text());
    update();
}

int TDBPos::percent() const
{
    return m_max == 0 ? 0 : m_progress * 100 / m_max;
}

QString TDBPos::text() const
{
    return QString::number(m_progress) + QLatin1Char('/') + QString::number(m_max);
}

void TDBPos::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), palette().base());
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    const QRect filled(inner.left(), inner.top(), inner.width() * percent() / 100, inner.height());
    const QColor barColour = palette().color(QPalette::Highlight);
    p.fillRect(filled, barColour);

    // The text reads in the bar's colour on the empty part and inverted over the filled part.
    p.setPen(barColour);
    p.drawText(inner, Qt::AlignCenter, text());
    p.save();
    p.setClipRect(filled);
    p.setPen(palette().color(QPalette::HighlightedText));
    p.drawText(inner, Qt::AlignCenter, text());
    p.restore();
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(frame);
}
