#include "core/Workmsg.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QStyle>

namespace
{
constexpr int designWidth = 325;
constexpr int designHeight = 39;
constexpr int iconSize = 24;

QPointer<TMessageForm>& theWindow()
{
    static QPointer<TMessageForm> window;
    return window;
}
} // namespace

TMessageForm::TMessageForm(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TMessageForm"));
    setAccessibleName(QStringLiteral("Mesaj de lucru"));
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(colours);

    m_text = new QLabel(panel);
    QFont bold = m_text->font();
    bold.setBold(true);
    m_text->setFont(bold);
    m_icon = new QLabel(panel);
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(iconSize, iconSize));
    m_icon->setFixedSize(iconSize, iconSize);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 2, 4, 2);
    row->addWidget(m_text, 1);
    row->addWidget(m_icon);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);

    resize(designWidth, designHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    m_baseWidth = width();
    show();
}

void TMessageForm::setMessage(const QString& text)
{
    const int textWidth = m_text->fontMetrics().horizontalAdvance(text);
    if (textWidth > m_baseWidth - iconSize) {
        int newWidth = textWidth + iconSize + 18;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            newWidth = std::min(newWidth, area.width());
            resize(newWidth, height());
            move(area.left() + (area.width() - newWidth) / 2, y());
        } else {
            resize(newWidth, height());
        }
    }
    m_text->setText(text);
    repaint();
}

QString TMessageForm::message() const
{
    return m_text->text();
}

void ShowWorkMessage(QWidget* owner, const QString& text)
{
    if (theWindow())
        return;
    theWindow() = new TMessageForm(owner);
    theWindow()->setMessage(text);
}

TMessageForm* workMessageWindow()
{
    return theWindow();
}
