#pragma once

#include "operations/DocumentWindow.h"

class TDBComboNormal;
class TDBDateEdit;
class TDBEditNormal;

// The texts and table that tell a deposit window from a withdrawal window.
struct BankMovementKind {
    QString objectName;
    QString caption;
    QString groupCaption;
    QString table;
    QString tableWord;
    QString amountCaption;
    Account sourceAccount; // the account the money leaves: its balance is shown and proposed
    QString deleteQuestion;
    QString wrongYearStart;
    QString incompleteMessage;

    static const BankMovementKind& deposits();
    static const BankMovementKind& withdrawals();
};

// A window of cash moved between the cash box and the bank account: number,
// date, kind and amount of each document, with the balance of the account
// the money leaves. A new document proposes that whole balance as its amount.
class TBankMovementFrm : public DocumentWindow
{
    Q_OBJECT
public:
    TBankMovementFrm(const BankMovementKind& kind, QWidget* parent);

    TDBEditNormal* numberInput() const { return m_number; }
    TDBDateEdit* dateInput() const { return m_date; }
    TDBComboNormal* kindInput() const { return m_kind; }
    TDBEditNormal* amountInput() const { return m_amount; }

protected:
    void setDefaults(Dataset& document) override;

private:
    const BankMovementKind& m_movement;
    TDBEditNormal* m_number;
    TDBDateEdit* m_date;
    TDBComboNormal* m_kind;
    TDBEditNormal* m_amount;
};

// Cash deposited into the bank ("Depuneri").
class TDepuneriFrm : public TBankMovementFrm
{
    Q_OBJECT
public:
    explicit TDepuneriFrm(QWidget* parent) : TBankMovementFrm(BankMovementKind::deposits(), parent) {}
};

// Cash withdrawn from the bank ("Ridicari").
class TRidicariFrm : public TBankMovementFrm
{
    Q_OBJECT
public:
    explicit TRidicariFrm(QWidget* parent) : TBankMovementFrm(BankMovementKind::withdrawals(), parent) {}
};
