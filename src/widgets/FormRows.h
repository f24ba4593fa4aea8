#pragma once

#include <QString>

class QFormLayout;
class QLabel;
class QPushButton;
class QWidget;

// Adds "caption  control" to a form: the caption is the control's buddy and
// its accessible name, so the control can be reached and read by its caption.
void addLabeledRow(QFormLayout* form, const QString& caption, QWidget* control);

// Adds "caption  value" to a form for a label that shows a value: a screen
// reader names it by its caption, as the value ("SOLD CURENT CASA, valoarea"),
// and reads the value shown (set it with showValue).
void addValueRow(QFormLayout* form, const QString& caption, QLabel* value);
// Shows the text in a value label and gives it to a screen reader as well.
void showValue(QLabel* value, const QString& text);

// The "&Valideaza" button of the dialogs (hint "Sunt de acord").
QPushButton* makeValidateButton(QWidget* parent);
