#include "support/KeyTarget.h"

#include <QApplication>
#include <QWidget>

QWidget* keyTarget()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
}
