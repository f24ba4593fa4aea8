#include "widgets/FieldLink.h"

#include "core/UserDialogs.h"
#include "db/Dataset.h"
#include "db/DbError.h"

#include <QTimer>
#include <QWidget>

FieldLink::FieldLink(QWidget* control, Show show, Read read)
    : QObject(control), m_control(control), m_show(std::move(show)), m_read(std::move(read))
{
}

void FieldLink::bind(Dataset* dataset, const QString& field)
{
    if (m_dataset) {
        disconnect(m_dataset, nullptr, this, nullptr);
        m_dataset->removeRecordUpdater(this);
    }
    m_dataset = dataset;
    m_field = field;
    if (!dataset)
        return;
    connect(dataset, &Dataset::currentRowChanged, this, &FieldLink::refresh);
    connect(dataset, &Dataset::rowsReset, this, &FieldLink::refresh);
    connect(dataset, &Dataset::stateChanged, this, [this](DatasetState state) {
        if (state != DatasetState::Edit) // entering edit keeps what the user is typing
            refresh();
    });
    connect(dataset, &Dataset::fieldValueChanged, this, [this](const QString& changed) {
        if (changed.compare(m_field, Qt::CaseInsensitive) == 0)
            refresh();
    });
    dataset->addRecordUpdater(this, [this] { commit(); });
    refresh();
}

bool FieldLink::beginEdit()
{
    if (!m_dataset || !m_dataset->isActive())
        return false;
    if (m_dataset->isEditing())
        return true;
    const QString typed = m_read();
    if (!m_dataset->edit())
        return false;
    // Typing into an empty table starts a new record, whose showing would wipe what was typed.
    if (m_read() != typed)
        m_show(typed);
    return true;
}

void FieldLink::markModified()
{
    m_modified = true;
    m_refusalSaid = false; // a new text deserves its own answer
}

void FieldLink::commit()
{
    if (!m_modified || !m_dataset || !m_dataset->isEditing())
        return;
    if (m_refusalSaid)
        throw SilentAbort();
    const QString text = m_read();
    try {
        if (text != m_dataset->editText(m_field) && !m_dataset->setEditText(m_field, text))
            throw SilentAbort();
    } catch (...) {
        rememberRefusal();
        throw;
    }
    m_modified = false;
}

void FieldLink::rememberRefusal()
{
    m_refusalSaid = true;
    QTimer::singleShot(0, this, [this] { m_refusalSaid = false; });
}

void FieldLink::returnFocus(std::function<void()> then)
{
    QTimer::singleShot(0, m_control, [this, then = std::move(then)] {
        m_control->setFocus(Qt::OtherFocusReason);
        if (then)
            then();
    });
}

bool FieldLink::commitOrReport()
{
    const bool alreadySaid = m_refusalSaid;
    try {
        commit();
        return true;
    } catch (const DbError& e) {
        if (!alreadySaid)
            dialogs().error(e.text());
        return false;
    } catch (const SilentAbort&) {
        return false;
    }
}

void FieldLink::refresh()
{
    m_modified = false;
    if (!m_dataset || !m_dataset->isActive() || m_dataset->fieldIndex(m_field) < 0) {
        m_show(QString());
        return;
    }
    m_show(m_control->hasFocus() || m_dataset->isEditing() ? m_dataset->editText(m_field)
                                                           : m_dataset->displayText(m_field));
}
