#pragma once

#include "registers/BalanceRowBreakdown.h"

#include <QDialog>

class QLabel;
class QTableWidget;

// "Documente": the lines that make up a figure (BalanceRowBreakdown), with
// their total and a note on the unit, in a window of its own that closes
// with "Inc&hide" or Escape.
class TDocumenteFrm : public QDialog
{
    Q_OBJECT
public:
    TDocumenteFrm(const BalanceRowBreakdown::Breakdown& breakdown, QWidget* owner);

    QTableWidget* grid() const { return m_grid; }
    QLabel* totalLabel() const { return m_total; }
    QLabel* noteLabel() const { return m_note; }

    // Shows the breakdown in a new modeless window owned by `owner`, freed when closed.
    static TDocumenteFrm* showBreakdown(const BalanceRowBreakdown::Breakdown& breakdown, QWidget* owner);

private:
    QTableWidget* m_grid;
    QLabel* m_total;
    QLabel* m_note;
};
