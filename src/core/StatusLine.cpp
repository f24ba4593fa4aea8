#include "core/StatusLine.h"

#include <QLabel>
#include <QPointer>

namespace
{
QPointer<QLabel>& statusTarget()
{
    static QPointer<QLabel> target;
    return target;
}
} // namespace

void setStatusTarget(QLabel* statusLine)
{
    statusTarget() = statusLine;
}

void ShowStatus(const QString& text)
{
    QLabel* target = statusTarget();
    if (!target)
        return;
    target->setText(text);
    target->repaint();
}
