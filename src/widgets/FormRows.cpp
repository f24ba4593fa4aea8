#include "widgets/FormRows.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

QString accessibleNameFor(const QString& caption)
{
    QString name;
    name.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                name += caption[++i];
            continue;
        }
        name += caption[i];
    }
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

QLabel* makeCaptionLabel(const QString& caption, QWidget* control, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(control);
    control->setAccessibleName(accessibleNameFor(caption));
    return label;
}

void addLabeledRow(QFormLayout* form, const QString& caption, QWidget* control)
{
    form->addRow(makeCaptionLabel(caption, control, form->parentWidget()), control);
}

void addValueRow(QFormLayout* form, const QString& caption, QLabel* value)
{
    auto* label = new QLabel(caption, form->parentWidget());
    label->setBuddy(value);
    value->setAccessibleName(accessibleNameFor(caption) + QStringLiteral(", valoarea"));
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
