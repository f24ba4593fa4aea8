#include "widgets/FormRows.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

void addLabeledRow(QFormLayout* form, const QString& caption, QWidget* control)
{
    auto* label = new QLabel(caption, form->parentWidget());
    label->setBuddy(control);
    QString name = caption;
    name.remove(QLatin1Char('&'));
    control->setAccessibleName(name.trimmed());
    form->addRow(label, control);
}

void addValueRow(QFormLayout* form, const QString& caption, QLabel* value)
{
    auto* label = new QLabel(caption, form->parentWidget());
    label->setBuddy(value);
    QString name = caption;
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    value->setAccessibleName(name.trimmed() + QStringLiteral(", valoarea"));
    value->setAccessibleDescription(value->text());
    form->addRow(label, value);
}

void showValue(QLabel* value, const QString& text)
{
    value->setText(text);
    value->setAccessibleDescription(text);
}

QPushButton* makeValidateButton(QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("&Valideaza"), parent);
    button->setObjectName(QStringLiteral("Valideaza"));
    button->setToolTip(QStringLiteral("Sunt de acord"));
    button->setStatusTip(QStringLiteral("Sunt de acord"));
    button->setAutoDefault(false);
    return button;
}
