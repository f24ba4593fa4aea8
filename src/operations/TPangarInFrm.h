#pragma once

#include "operations/DocumentWindow.h"

class TDBComboNormal;
class TDBDateEdit;
class TDBEditNormal;
class TDBGridNormal;

// The candle shop's intake documents (DocIn) with their article lines
// (ItemIn): a plain master-detail editor with no defaults or checks of its
// own. It opens on the last document.
class TPangarInFrm : public DocumentWindow
{
    Q_OBJECT
public:
    explicit TPangarInFrm(QWidget* parent);

    TDBEditNormal* numberInput() const { return m_number; }
    TDBDateEdit* dateInput() const { return m_date; }
    TDBComboNormal* supplierInput() const { return m_supplier; }
    TDBEditNormal* explanationInput() const { return m_explanation; }
    TDBComboNormal* kindInput() const { return m_kind; }
    TDBGridNormal* linesGrid() const { return m_grid; }

protected:
    // "&Salveaza" has no action here: documents and lines are stored by the
    // navigator and the grid.
    bool save() override { return true; }

private:
    TDBEditNormal* m_number;
    TDBDateEdit* m_date;
    TDBComboNormal* m_supplier;
    TDBEditNormal* m_explanation;
    TDBComboNormal* m_kind;
    TDBGridNormal* m_grid;
};
