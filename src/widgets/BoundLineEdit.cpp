#include "widgets/BoundLineEdit.h"

#include "core/ErrorGuard.h"
#include "db/Dataset.h"
#include "widgets/FieldLink.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

BoundLineEdit::BoundLineEdit(QWidget* parent) : QLineEdit(parent)
{
    m_link = new FieldLink(
        this, [this](const QString& text) { setText(text); }, [this] { return text(); });
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (m_link->beginEdit())
            m_link->markModified();
        else
            m_link->refresh(); // the record cannot be edited: the typing is undone
    });
}

void BoundLineEdit::bind(Dataset* dataset, const QString& field)
{
    m_link->bind(dataset, field);
}

Dataset* BoundLineEdit::dataset() const
{
    return m_link->dataset();
}

QString BoundLineEdit::field() const
{
    return m_link->field();
}

bool BoundLineEdit::commitText()
{
    if (m_link->commitOrReport())
        return true;
    selectAll();
    return false;
}

void BoundLineEdit::focusInEvent(QFocusEvent* event)
{
    if (!m_link->isModified())
        m_link->refresh(); // the edit text while the input has the focus
    QLineEdit::focusInEvent(event);
}

void BoundLineEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (!commitText()) {
        // The refused text stays here, selected, until it is corrected.
        m_link->returnFocus([this] { selectAll(); });
        return;
    }
    if (!m_link->isModified())
        m_link->refresh();
    Q_EMIT left();
}

bool BoundLineEdit::event(QEvent* event)
{
    // Taken before the inputs' own keys, which give Ctrl+Enter other meanings.
    if (m_picker && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers().testFlag(Qt::ControlModifier)) {
            runGuarded(m_picker);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void BoundLineEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_picker) {
        runGuarded(m_picker);
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}
