#include "widgets/TDBComboNormal.h"

#include "db/Dataset.h"
#include "widgets/FieldLink.h"
#include "widgets/RecordKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

TDBComboNormal::TDBComboNormal(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    m_link = new FieldLink(
        this,
        [this](const QString& text) {
            m_showing = true;
            setCurrentIndex(findText(text));
            setEditText(text);
            m_showing = false;
        },
        [this] { return currentText(); });
    connect(this, &QComboBox::currentTextChanged, this, [this] {
        if (m_showing)
            return;
        if (m_link->beginEdit())
            m_link->markModified();
        else
            m_link->refresh();
    });
    lineEdit()->installEventFilter(this);
}

void TDBComboNormal::bind(Dataset* dataset, const QString& field)
{
    m_link->bind(dataset, field);
}

Dataset* TDBComboNormal::dataset() const
{
    return m_link->dataset();
}

bool TDBComboNormal::commitText()
{
    if (m_link->commitOrReport())
        return true;
    if (lineEdit())
        lineEdit()->selectAll();
    return false;
}

bool TDBComboNormal::handleKey(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextPrevChild(true); // with any modifier
        return true;
    }
    return RecordKeys::handle(event, dataset(), {false, true});
}

bool TDBComboNormal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress &&
        handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QComboBox::eventFilter(watched, event);
}

void TDBComboNormal::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event))
        QComboBox::keyPressEvent(event);
}

void TDBComboNormal::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (!commitText()) // the refused text stays here, selected, until it is corrected
        m_link->returnFocus([this] {
            if (lineEdit())
                lineEdit()->selectAll();
        });
}
