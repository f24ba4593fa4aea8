#include "widgets/RecordKeys.h"

#include "core/ErrorGuard.h"
#include "db/Dataset.h"

#include <QKeyEvent>

namespace RecordKeys
{

bool handle(const QKeyEvent* event, Dataset* dataset, Options options)
{
    if (!dataset || !dataset->isActive())
        return false;
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrl = mods == Qt::ControlModifier;
    std::function<void()> action;
    switch (event->key()) {
    case Qt::Key_PageUp:
        if (options.pageKeys)
            action = [dataset] { dataset->prior(); };
        break;
    case Qt::Key_PageDown:
        if (options.pageKeys)
            action = [dataset] { dataset->next(); };
        break;
    case Qt::Key_Insert:
        if (options.insertWithAnyModifier || !(mods & Qt::ShiftModifier))
            action = [dataset] { dataset->insert(); };
        break;
    case Qt::Key_Delete:
        if (ctrl)
            action = [dataset] {
                if (dataset->state() == DatasetState::Insert)
                    dataset->cancel();
                else if (!dataset->isEmpty())
                    dataset->remove();
            };
        break;
    case Qt::Key_R:
        if (ctrl)
            action = [dataset] { dataset->refresh(); };
        break;
    case Qt::Key_U:
        if (ctrl)
            action = [dataset] { dataset->cancel(); };
        break;
    default:
        break;
    }
    if (!action)
        return false;
    runGuarded(action);
    return true;
}

} // namespace RecordKeys
