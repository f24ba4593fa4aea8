#pragma once

#include "operations/MoneyDocumentWindow.h"

// The expenses window ("Plati"): one payment order per row of Cheltuieli,
// numbered in one sequence with the salary payment orders, with the
// beneficiary of each. "&Printeaza" prints the current payment order, then
// starts the next one.
class TCheltuieliFrm : public MoneyDocumentWindow
{
    Q_OBJECT
public:
    explicit TCheltuieliFrm(QWidget* parent);

    TDBEditNormal* beneficiaryInput() const { return m_beneficiary; }

    static const MoneyDocumentKind& kind();

protected:
    void print() override;

private:
    TDBEditNormal* m_beneficiary;
};
