#pragma once

#include "operations/DocumentWindow.h"

#include <QStringList>
#include <utility>
#include <vector>

class BoundLineEdit;
class QFormLayout;
class QGroupBox;
class QLabel;
class TDBComboNormal;
class TDBDateEdit;
class TDBEditNormal;

// What tells the incomes window from the expenses window in the part they share.
struct MoneyDocumentKind {
    DocumentWindowSetup setup; // names, caption, table, deletion question, print hint
    QString registrationCaption;
    QString defaultKind; // "Fel" of a new document
    // The tables (and number fields) whose numbers make one sequence.
    NumberSequence numbering;

    // The type of the document: its code field (named alike in the type
    // catalogue), the copy of the type's name, the catalogue and its picker.
    QString codeField;
    QString codeCaption;
    QString nameField;
    QString typeTable;
    QString typeExplanationField;
    QString codePrompt;       // status line text on entering the code
    QString unknownCodeStart; // "Codul de venit <"
    bool (*pickType)(QWidget* caller, int& code);

    // Candles sold or bought: the type that counts them and their unit price,
    // both fields of the parameters record (Contor).
    QString candleCodeParameter;
    QString candlePriceParameter;
    QString missingPriceMessage;

    QString accountCaption;
    QString amountCaption;
    // +1: the amount comes into the account (an income); -1: it goes out (a payment).
    int direction = 1;

    QString wrongYearStart;
    QStringList requiredFields;
    QString incompleteMessage;
};

// The part the incomes and expenses windows share: number, date, kind, the
// type code with its picker and name, the account, the amount, the candle
// quantity and the explanation, with their defaults, warnings and checks.
//
// - A new document is numbered one above the highest number of the kind's
//   tables, dated today, account "Casa", kind the kind's default.
// - The type code: Ctrl+Enter or a double-click picks it from its catalogue
//   (then the focus goes to the first field of the party: parishioner or
//   beneficiary); a typed code is looked up, its name copied, and an unknown
//   one refused with a warning and the name cleared.
// - The candle quantity is shown exactly for the candle type, and is the
//   amount over the candle price (ties to even) whenever an amount is typed;
//   a missing price warns and leaves the quantity as it was.
// - Leaving the amount replaces the explanation with the type's own
//   (explanationFor may add to it); no code or an unknown one clears it.
//   A document stored straight from the amount (Alt+S) gets it too, whatever
//   warning the amount gave.
// - A date outside the working year is warned about as soon as it is typed,
//   and refused at storing; then the required fields must all be filled,
//   and a negative amount or a cash balance going below zero is asked about.
//
// A window derives from it: in its constructor it may add rows to
// registrationForm() and checks that come before the shared ones, then calls
// completeWindow with its party group and fields.
class MoneyDocumentWindow : public DocumentWindow
{
    Q_OBJECT
public:
    TDBEditNormal* numberInput() const { return m_number; }
    TDBDateEdit* dateInput() const { return m_date; }
    TDBComboNormal* kindInput() const { return m_kind; }
    TDBEditNormal* codeInput() const { return m_code; }
    TDBEditNormal* codeNameText() const { return m_codeName; }
    TDBComboNormal* accountInput() const { return m_account; }
    TDBEditNormal* amountInput() const { return m_amount; }
    TDBEditNormal* candleInput() const { return m_candles; }
    QLabel* candleLabel() const { return m_candleLabel; }
    TDBEditNormal* explanationInput() const { return m_explanation; }
    bool candleControlsShown() const;

    static inline const QString catalogueHint =
        QStringLiteral("Click aici si apasati Ctrl-Enter pentru a selecta din catalog !");

protected:
    MoneyDocumentWindow(const MoneyDocumentKind& kind, QWidget* parent);

    QFormLayout* registrationForm() const { return m_registrationForm; }
    // Lays the groups out (registration, the party's group if any, value),
    // adds the shared checks after the window's own and opens the window.
    void completeWindow(QGroupBox* partyGroup, const QList<QWidget*>& partyFields);

    // A field of the parameters record (Contor).
    QVariant parameter(const QString& field) const;
    // A copy of a catalogue's name: shown, never typed into.
    TDBEditNormal* nameCopy(QWidget* parent, const QString& field);
    // Writes the prompt into the status line whenever the input is entered,
    // and gives it the catalogue hint.
    static void promptOnEntering(BoundLineEdit* input, const QString& prompt);

    // The explanation given on leaving the amount, from the type's own.
    virtual QString explanationFor(const Dataset& document, const QString& typeExplanation) const;

    void setDefaults(Dataset& document) override;
    void completeDocument(Dataset& document) override;
    void changeEvent(QEvent* event) override;

private:
    void codeChanged(Dataset& document);
    void amountChanged(Dataset& document);
    void warnOfWrongYear(const QVariant& date);
    // The explanation made from the type (on leaving the amount, or on storing
    // a document whose amount was typed and not left).
    void fillExplanation();
    void pickType();
    void showCandleControls();
    bool isCandleType(const QVariant& code) const;

    const MoneyDocumentKind& m_moneyKind;
    Dataset* m_parameters;
    QList<QWidget*> m_partyFields;
    bool m_settingDefaults = false;
    bool m_explanationDue = false; // an amount was typed since the explanation was made

    QGroupBox* m_registrationGroup;
    QFormLayout* m_registrationForm;
    QGroupBox* m_valueGroup;
    TDBEditNormal* m_number;
    TDBDateEdit* m_date;
    TDBComboNormal* m_kind;
    TDBEditNormal* m_code;
    TDBEditNormal* m_codeName;
    TDBComboNormal* m_account;
    TDBEditNormal* m_amount;
    QLabel* m_candleLabel;
    TDBEditNormal* m_candles;
    TDBEditNormal* m_explanation;
};
