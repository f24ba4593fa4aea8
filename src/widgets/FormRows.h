#pragma once

#include <QString>

class QFormLayout;
class QPushButton;
class QWidget;

// Adds "caption  control" to a form: the caption is the control's buddy and
// its accessible name, so the control can be reached and read by its caption.
void addLabeledRow(QFormLayout* form, const QString& caption, QWidget* control);

// The "&Valideaza" button of the dialogs (hint "Sunt de acord").
QPushButton* makeValidateButton(QWidget* parent);
