#pragma once

#include <QDialog>

class Dataset;
class TDBComboNormal;
class TDBEditNormal;

// "Datele parohiei": the parish record (identity, bank account, yearly
// contribution, working year) and the year list through which the whole
// program moves between the working year and a closed year.
class TFirmDataDlg : public QDialog
{
    Q_OBJECT
public:
    // Opens the parish table; throws DbError when it cannot.
    explicit TFirmDataDlg(QWidget* parent = nullptr);
    ~TFirmDataDlg() override;

    // The command "Sistem" > "Parohia": opens the dialog and runs it.
    static void execute(QWidget* parent);

    Dataset* parish() const { return m_parish; }
    TDBComboNormal* yearBox() const { return m_year; }
    TDBEditNormal* edit(const QString& field) const;

    // "&Valideaza": stores the record; a refused record keeps the dialog open.
    void accept() override;
    // The close box: the edits are dropped.
    void reject() override;

    // Moves the program to the year of the list entry (or typed text).
    void switchYear(const QString& yearText, bool isFirstEntry);

private:
    // A year typed in the box: switches to it, or puts back the year in force.
    void yearTyped();
    void openParish();
    void fillYears();

    Dataset* m_parish;
    TDBComboNormal* m_year;
    QList<TDBEditNormal*> m_edits;
};
