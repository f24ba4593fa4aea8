#pragma once

#include <QDate>
#include <QDialog>

class TDateEdit;

// The period question of the dated reports: "De la data de" and "pana în
// data", refusing a start after the end.
class TIntervalDlg : public QDialog
{
    Q_OBJECT
public:
    TIntervalDlg(const QDate& from, const QDate& to, QWidget* parent = nullptr);

    QDate from() const { return m_fromDate; }
    QDate to() const { return m_toDate; }
    TDateEdit* fromInput() const { return m_from; }
    TDateEdit* toInput() const { return m_to; }

    // "&Deschide": closes with the period, or warns when a date cannot be read or the period is inverted.
    void confirm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDateEdit* m_from;
    TDateEdit* m_to;
    QDate m_fromDate;
    QDate m_toDate;
};
