#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;

// The calendar picker "Selecteaza data": a month at a time, weeks starting
// on Monday, the month and year as title; the arrow keys move the day,
// Page Up and Page Down the month; Enter or a double-click chooses.
class TBrDateForm : public QDialog
{
    Q_OBJECT
public:
    // An invalid date shows today.
    explicit TBrDateForm(const QDate& date, QWidget* parent = nullptr);

    QDate date() const;
    QString title() const;
    QCalendarWidget* calendar() const { return m_calendar; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMonthTitle();
    void moveMonths(int months);

    QCalendarWidget* m_calendar;
    QLabel* m_title;
};
