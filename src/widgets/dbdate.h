#pragma once

#include "widgets/BoundLineEdit.h"

// Date input bound to a date field, with the calendar button. It is
// read-only until the record is being edited: typing a digit, Backspace,
// Ctrl+V or Ctrl+X puts the record into editing first. Escape brings back
// the field's value. Ctrl+Enter or Ctrl+Down opens the calendar.
class TDBDateEdit : public BoundLineEdit
{
    Q_OBJECT
public:
    explicit TDBDateEdit(QWidget* parent = nullptr);

    // Only a date field can be bound; another is refused with the error box.
    void bind(Dataset* dataset, const QString& field) override;
    void openCalendar();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void followState();
    bool startEditing();
};
