#pragma once

#include "db/Dataset.h"
#include "operations/AmountConfirmation.h"
#include "operations/DocumentChecks.h"
#include "operations/DocumentNumbering.h"
#include "operations/RecomputeBalances.h"
#include "widgets/SingleInstance.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class TDBNavigator;
class TDBPos;

// What sets one document window apart from the others.
struct DocumentWindowSetup {
    QString objectName; // "TDepuneriFrm"
    QString caption;    // the window title
    QString table;      // the documents' table
    QString tableWord;  // names the table in a store error: "Eroare de acces la tabela <word>!"
    QString printHint = QStringLiteral("Printeaza chitanta");
    QString deleteQuestion;         // asked before a stored document is deleted; empty: no question
    QList<Account> balances;        // the balance labels shown, in this order
    bool opensOnNewDocument = true; // else the window opens on the last document
};

// The frame every document window is built on (incomes, expenses, bank
// movements, salary orders, candle-shop intake). It owns the documents'
// record source and gives every window the same behaviour:
//
// - One modeless window per class (showDocumentWindow), brought forward and
//   restored when its command is chosen again, freed on close.
// - Under the window's own controls: the record navigator (hints "Primul
//   document" ... "Actualizeaza datele", no question of its own), the
//   record-position bar, "&Salveaza" (hint "Salveaza operatiunea") and
//   "&Printeaza" (the setup's hint).
// - Opening: balances shown, record sources opened (lists, documents,
//   lines), then the last document and, where the setup says so, a new
//   document started after it with the focus in the first field. The same
//   happens again when the connection switches to another year.
// - A new document gets the window's defaults (setDefaults); the defaults are
//   not changes, so a new document nobody typed into is dropped when the
//   user moves away, while a touched one is stored (with its checks).
// - Before a document is stored its checks run in order (addCheck); the
//   first that fails says why with a single OK and the document stays in
//   editing with everything typed. Then a negative amount, and a cash
//   balance the document or line would take below zero, are stored only
//   when the user says so (askAboutAmounts).
// - Deleting a stored document asks the setup's question first ("Nu" keeps it).
// - After every store and every delete the balance labels are recomputed.
// - "&Salveaza" (save) stores the document being typed (checks included,
//   even an untouched new one) and then the line being typed, moves to the
//   last document and puts the focus on "&Printeaza". "&Printeaza" runs
//   print(): nothing unless the window says.
// - Enter moves along the focus order given to finishSetup: the fields, the
//   navigator (Enter there goes on past it), the controls after the
//   navigator, "&Salveaza" and "&Printeaza" (Enter on a button clicks it);
//   Tab follows the same order and wraps around.
// - Closing discards a document or line still being typed, without a question.
//
// A window derives from it, and in its constructor (document() is already
// open, so the formats of its fields can be set there):
//   1. adds its groups of controls to formArea(), binding them to document()
//      (addBalanceRows puts the balance labels into one of its forms);
//   2. registers the other record sources it reads (addRecordSource), the
//      lines of a master-detail document (addLines) and the drop-downs filled
//      from a table (addChoiceList);
//   3. adds its checks (addCheck; DocumentChecks.h has the shared ones);
//   4. calls finishSetup(fields in focus order[, controls after the navigator])
//      last: it opens everything and starts the first document.
// It overrides setDefaults (values of a new document), print (the
// "&Printeaza" action), save and documentDeleting where it has them; the
// class that overrides them calls finishSetup, since a constructor reaches
// only the overrides of its own class and those below it. The record
// source's other events (validators, field changes, afterScroll,
// beforeEdit ...) remain the window's own; the frame uses onNewRecord,
// beforePost, afterPost, beforeDelete and afterDelete of document(), and
// beforeInsert and beforeEdit of lines().
class DocumentWindow : public QWidget
{
    Q_OBJECT
public:
    ~DocumentWindow() override;

    Dataset* document() const { return m_document; }
    Dataset* lines() const { return m_lines; }
    TDBNavigator* navigator() const { return m_navigator; }
    TDBPos* positionBar() const { return m_position; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* printButton() const { return m_print; }
    // The label of a balance the window shows; null for one it does not show.
    QLabel* balanceLabel(Account account) const { return m_balanceLabels.value(account); }
    // The balance last computed for its label, rounded to two decimals as
    // the label shows it; 0 for a balance the window does not show.
    double shownBalance(Account account) const;

    // Recomputes the shown balances from the tables.
    void refreshBalances();
    // "&Salveaza": stores the document being typed (storePending), goes to
    // the last document and puts the focus on "&Printeaza"; false when the
    // store was refused. A window whose button does otherwise overrides it.
    virtual bool save();
    // Stores a changed pending document (an untouched one is dropped), then
    // starts a new document after the last one, focus in the first field;
    // false when the pending document was refused.
    bool startNewDocument();

    static inline const QString saveHint = QStringLiteral("Salveaza operatiunea");

protected:
    DocumentWindow(const DocumentWindowSetup& setup, QWidget* parent);

    // Where the window puts its groups of controls, above the navigator row.
    QVBoxLayout* formArea() const { return m_formArea; }
    // Adds "caption  value" rows for the balances of the setup.
    void addBalanceRows(QFormLayout* form);

    void addCheck(DocumentCheck check) { m_checks.append(std::move(check)); }
    // The questions on the amounts of the documents or of their lines, asked
    // after the checks: for lines, after the beforePost the window gave them
    // (so given before this call).
    void askAboutAmounts(Dataset* records, AmountRule rule);
    // Numbers the documents in `field`, which takes whole numbers only: a new
    // document is proposed the next number of the sequence (before
    // setDefaults). Should another window store a document with that number
    // first, the document takes the next free one when it is stored, and the
    // user is told: two payment orders never share a number by accident.
    void numberDocuments(const QString& field, const NumberSequence& sequence);
    // A record source the window reads (parameters, lookups): opened here,
    // reopened with the documents after a switch of year.
    void addRecordSource(Dataset* source);
    // The lines of each document (opened here): they show the current
    // document's lines (lineField = the document's documentField) and a new
    // line takes its value. A document being typed is stored before a line
    // is typed (its checks may refuse), so that no line is left without its
    // document; with no document at all a line is refused with a message.
    void addLines(Dataset* lines, const QString& documentField, const QString& lineField);
    // A drop-down whose choices are the values of a table's field, read at
    // opening and again after a switch of year.
    void addChoiceList(QComboBox* combo, const QString& table, const QString& field);
    // Ends the construction: the focus order, then the opening.
    void finishSetup(const QList<QWidget*>& fields, const QList<QWidget*>& afterNavigator = {});

    // Stores the document being typed (even an untouched new one, through
    // its checks), then the line being typed (an untouched new line is
    // dropped); false when one was refused.
    bool storePending();

    // Values of a new document (onNewRecord); the default sets none.
    virtual void setDefaults(Dataset& document);
    // Fills in, just before the checks, what the window makes of what was
    // typed and has not made yet (the typing of the control that still has
    // the focus is in the document by then); the default fills in nothing.
    virtual void completeDocument(Dataset& document);
    // The "&Printeaza" action; the default does nothing.
    virtual void print();
    // The stored document is about to be deleted (the question, if any, was
    // answered "Da"): the place to remove what belongs to it. Throwing
    // SilentAbort keeps the document; the default does nothing.
    virtual void documentDeleting(Dataset& document);

    void closeEvent(QCloseEvent* event) override;
    // Turning back to the window shows the balances as stored meanwhile by the other windows.
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openAll();
    // Opens a record source that is not open; a store failure is said in the window's words.
    // Sizes the window for its grids' columns, then as the user last left it.
    void sizeWindow();
    void openOrSay(Dataset* source);
    void fillChoiceLists();
    void discardPendingEdits();
    void focusFirstField();

    DocumentWindowSetup m_setup;
    Dataset* m_document;
    QPointer<Dataset> m_lines;
    QList<QPointer<Dataset>> m_sources;
    struct ChoiceList {
        QPointer<QComboBox> combo;
        QString table;
        QString field;
    };
    QList<ChoiceList> m_choiceLists;
    QList<DocumentCheck> m_checks;
    QPointer<AmountQuestions> m_documentAmounts;
    QString m_numberField;
    NumberSequence m_numberSequence;
    std::optional<double> m_proposedNumber;
    // The proposal taken meanwhile by another document, told once the document is stored.
    std::optional<double> m_takenNumber;
    void proposeNumber(Dataset& document);
    void renumberIfTaken(Dataset& document);
    void tellRenumbering(const Dataset& document);
    QList<QWidget*> m_fields;
    QWidget* m_afterNavigator = nullptr;

    QVBoxLayout* m_formArea;
    TDBNavigator* m_navigator;
    TDBPos* m_position;
    QPushButton* m_save;
    QPushButton* m_print;
    QMap<Account, QLabel*> m_balanceLabels;
    // What refreshBalances last computed, as its labels show it.
    CurrentBalances m_balances;
};

// The one window of its class: created on the first call, owned by `owner`
// and shown; later calls bring the same window forward, restored if it was
// minimised, until it is closed.
template <class Window> Window* showDocumentWindow(QWidget* owner)
{
    static SingleInstance<Window> instance;
    return instance.show([owner] { return new Window(owner); });
}
