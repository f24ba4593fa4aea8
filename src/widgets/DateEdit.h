#pragma once

#include <QDate>
#include <QLineEdit>

// Date input holding a date of its own (initially today), typed as
// DD/MM/YYYY with the locale's separator. An invalid text beeps and brings
// back the last valid date; Ctrl+Enter or the button opens the calendar.
class TDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);

    // The typed date; an invalid text beeps, is replaced by the last valid
    // date, and that date is returned.
    QDate date();
    void setDate(const QDate& date);
    void openCalendar();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Takes the typed text as the value; false (after the beep) when it is not a date.
    bool acceptText();

    QDate m_value;
};
