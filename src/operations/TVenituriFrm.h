#pragma once

#include "operations/MoneyDocumentWindow.h"

// The incomes window ("Incasari"): one receipt per row of Venituri, with the
// parishioner who paid it. A contribution needs its parishioner. "&Printeaza"
// starts the next receipt; when the receipt option is on it first stores the
// receipt and prints it.
class TVenituriFrm : public MoneyDocumentWindow
{
    Q_OBJECT
public:
    explicit TVenituriFrm(QWidget* parent);

    TDBEditNormal* parishionerInput() const { return m_parishioner; }
    TDBEditNormal* parishionerNameText() const { return m_parishionerName; }

    static const MoneyDocumentKind& kind();

protected:
    void print() override;
    // The type's explanation followed by the parishioner's name.
    QString explanationFor(const Dataset& document, const QString& typeExplanation) const override;

private:
    void pickParishioner();

    TDBEditNormal* m_parishioner;
    TDBEditNormal* m_parishionerName;
};
