#pragma once

#include <QDate>
#include <QLineEdit>

// Date input holding a date of its own (initially today), typed as
// DD/MM/YYYY with the locale's separator. An invalid text is refused with a
// message and stays, selected, with the focus, until it is corrected;
// Ctrl+Enter or the button opens the calendar.
class TDateEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);

    // The typed date; while the text is not a date, the last valid one.
    QDate date();
    // Takes the typed text as the date; false, after saying why, when it is
    // not a date (the text stays as typed). Said once in a turn of the event
    // loop, so that leaving the input and the confirmation that follows say it once.
    bool acceptText();
    void setDate(const QDate& date);
    void openCalendar();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QDate m_value;
    bool m_refusalSaid = false;
};
