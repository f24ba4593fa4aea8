#pragma once

#include <QString>

class QFormLayout;
class QLabel;
class QPushButton;
class QWidget;

// The name a person would say for a control with this caption: without the
// mnemonic's "&" ("&&" stays one "&") and the closing ":" ("Or&dine de
// afisare:" is "Ordine de afisare").
QString accessibleNameFor(const QString& caption);

// The caption of `control`, made in `parent`: the control's buddy (its
// mnemonic reaches the control), and the control named by it
// (accessibleNameFor), so it can be reached and read by its caption.
QLabel* makeCaptionLabel(const QString& caption, QWidget* control, QWidget* parent);

// Adds "caption  control" to a form, the caption made by makeCaptionLabel.
void addLabeledRow(QFormLayout* form, const QString& caption, QWidget* control);

// Adds "caption  value" to a form for a label that shows a value: a screen
// reader names it by its caption, as the value ("SOLD CURENT CASA, valoarea"),
// and reads the value shown (set it with showValue).
void addValueRow(QFormLayout* form, const QString& caption, QLabel* value);
// Shows the text in a value label and gives it to a screen reader as well.
void showValue(QLabel* value, const QString& text);

// The "&Valideaza" button of the dialogs (hint "Sunt de acord").
QPushButton* makeValidateButton(QWidget* parent);
