#pragma once

#include "operations/DocumentWindow.h"

class QLineEdit;
class TDBComboNormal;
class TDBDateEdit;
class TDBEditNormal;
class TDBGridNormal;

// Salary payment orders ("Cheltuieli compuse"): one payment split over
// several expense types. The header (CheltSal: number, date, paying account,
// explanation) and its lines (ItemsSal: expense type, amount, explanation)
// are edited together; the header is stored before its first line, so a
// header its checks refuse takes no lines. The window shows the total of the
// stored lines and prints the order's payment order. Its numbers continue
// the sequence of the ordinary payment orders.
class TCheltSalFrm : public DocumentWindow
{
    Q_OBJECT
public:
    explicit TCheltSalFrm(QWidget* parent);

    TDBEditNormal* numberInput() const { return m_number; }
    TDBDateEdit* dateInput() const { return m_date; }
    TDBComboNormal* accountInput() const { return m_account; }
    TDBEditNormal* explanationInput() const { return m_explanation; }
    QLineEdit* totalDisplay() const { return m_total; }
    TDBGridNormal* linesGrid() const { return m_grid; }

    // "&Salveaza": stores the header, then the line being typed, and puts the
    // focus on "&Printeaza"; the window stays on the same document.
    bool save() override;

protected:
    void setDefaults(Dataset& document) override;
    // Prints the current order (a changed one is stored first, with its checks).
    void print() override;
    // Removes the order's lines and the order itself in one transaction: a
    // failure on the way leaves every line and the header as they were.
    void documentDeleting(Dataset& document) override;

private:
    void setUpHeader();
    void setUpLines(Dataset* lines);
    // Ctrl+Enter or a double-click in the expense code or name column.
    void pickExpenseType();
    void validateExpenseCode(Dataset& lines, const QVariant& code);
    // "Total document :" from the stored lines of the current header.
    void showTotal();

    // Off while a whole document is being deleted: its lines go without a question each.
    bool m_confirmLineDelete = false;
    TDBEditNormal* m_number = nullptr;
    TDBDateEdit* m_date = nullptr;
    TDBComboNormal* m_account = nullptr;
    TDBEditNormal* m_explanation = nullptr;
    QLineEdit* m_total = nullptr;
    TDBGridNormal* m_grid = nullptr;
};
