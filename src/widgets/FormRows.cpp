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

QPushButton* makeValidateButton(QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("&Valideaza"), parent);
    button->setObjectName(QStringLiteral("Valideaza"));
    button->setToolTip(QStringLiteral("Sunt de acord"));
    button->setStatusTip(QStringLiteral("Sunt de acord"));
    button->setAutoDefault(false);
    return button;
}
