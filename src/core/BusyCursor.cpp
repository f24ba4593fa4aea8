#include "core/BusyCursor.h"

#include <QApplication>

BusyCursor::BusyCursor(bool started)
{
    if (started)
        start();
}

BusyCursor::~BusyCursor()
{
    release();
}

void BusyCursor::start()
{
    if (!m_active)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    m_active = true;
}

void BusyCursor::release()
{
    if (m_active)
        QApplication::restoreOverrideCursor();
    m_active = false;
}
