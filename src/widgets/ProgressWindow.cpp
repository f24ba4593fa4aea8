#include "widgets/ProgressWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

ProgressWindow::ProgressWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_bar(new QProgressBar(this))
{
    m_bar->setMinimum(0);
    m_bar->setTextVisible(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    resize(360, 60);
}

void ProgressWindow::start(const QString& caption, int total)
{
    setWindowTitle(caption);
    m_bar->setAccessibleName(caption);
    m_bar->setMaximum(std::max(total, 0));
    m_bar->setValue(0);
    if (const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(display->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    // Lets the window system map and paint the new window before the work holds the thread;
    // the user's clicks and keys wait until the work ends.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::step(int done)
{
    const int value = std::clamp(done, 0, m_bar->maximum());
    // Every setValue asks the style whether the bar must be repainted, which
    // costs more than a row of the work itself: the bar takes a new value
    // each thousandth of the way (finer than its pixels) and at the end.
    const int grain = std::max(1, m_bar->maximum() / 1000);
    if (value != m_bar->maximum() && value >= m_bar->value() && value - m_bar->value() < grain)
        return;
    // setValue repaints the bar synchronously whenever the shown value changes.
    m_bar->setValue(value);
}

void ProgressWindow::finish()
{
    hide();
}
