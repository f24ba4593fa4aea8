#include "widgets/TDBLookupComboBoxNormal.h"

#include "core/ErrorGuard.h"
#include "db/Dataset.h"
#include "widgets/FieldLink.h"
#include "widgets/RecordKeys.h"

#include <QKeyEvent>

TDBLookupComboBoxNormal::TDBLookupComboBoxNormal(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    m_link = new FieldLink(
        this,
        [this](const QString&) {
            Dataset* ds = dataset();
            showKey(ds && ds->isActive() ? ds->value(m_link->field()) : QVariant());
        },
        [this] { return currentText(); });
    connect(this, &QComboBox::activated, this, [this](int index) {
        runGuarded([this, index] {
            if (m_showing || !m_link->beginEdit())
                return;
            if (!dataset()->setValue(m_link->field(), itemData(index)))
                m_link->refresh(); // refused: the box shows the record's value again
        });
    });
}

void TDBLookupComboBoxNormal::bind(Dataset* dataset, const QString& field)
{
    m_link->bind(dataset, field);
}

Dataset* TDBLookupComboBoxNormal::dataset() const
{
    return m_link->dataset();
}

void TDBLookupComboBoxNormal::setListSource(Dataset* list, const QString& keyField, const QString& listField)
{
    if (m_list)
        disconnect(m_list, nullptr, this, nullptr);
    m_list = list;
    m_keyField = keyField;
    m_listField = listField;
    if (list)
        connect(list, &Dataset::rowsReset, this, &TDBLookupComboBoxNormal::loadChoices);
    loadChoices();
}

void TDBLookupComboBoxNormal::loadChoices()
{
    m_showing = true;
    clear();
    if (m_list && m_list->isActive()) {
        const int key = m_list->fieldIndex(m_keyField);
        const int text = m_list->fieldIndex(m_listField);
        for (int row = 0; row < m_list->recordCount(); ++row)
            addItem(m_list->rowDisplayText(row, text), m_list->rowValue(row, key));
    }
    m_showing = false;
    m_link->refresh();
}

void TDBLookupComboBoxNormal::showKey(const QVariant& key)
{
    m_showing = true;
    int found = -1;
    for (int i = 0; i < count() && !key.isNull(); ++i)
        if (itemData(i) == key || itemData(i).toString() == key.toString())
            found = i;
    setCurrentIndex(found);
    m_showing = false;
}

void TDBLookupComboBoxNormal::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextPrevChild(true);
        return;
    }
    if (RecordKeys::handle(event, dataset(), {false, true}))
        return;
    QComboBox::keyPressEvent(event);
}
