#include "core/ComboBoxAccessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace
{

class ComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit ComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QComboBox* comboBox() const { return static_cast<QComboBox*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return comboBox()->isEditable() ? comboBox()->lineEdit()->text() : comboBox()->currentText();
        // The name: the accessible name, else the buddy label's caption, never the item shown.
        return QAccessibleWidget::text(t);
    }

    // The list of items is the one child, as in Qt's own combo box.
    int childCount() const override { return comboBox()->view() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && comboBox()->view() ? QAccessible::queryAccessibleInterface(comboBox()->view())
                                                : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && comboBox()->view() == child->object() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction())
            comboBox()->showPopup();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface* comboBoxFactory(const QString&, QObject* object)
{
    auto* box = qobject_cast<QComboBox*>(object);
    return box ? new ComboBoxAccessible(box) : nullptr;
}

} // namespace

void installComboBoxAccessible()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(comboBoxFactory);
}
