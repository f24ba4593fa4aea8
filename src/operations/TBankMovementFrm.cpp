#include "operations/TBankMovementFrm.h"

#include "db/Dataset.h"
#include "widgets/BoundControl.h"
#include "widgets/FormRows.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/dbdate.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

const BankMovementKind& BankMovementKind::deposits()
{
    static const BankMovementKind kind{
        .objectName = QStringLiteral("TDepuneriFrm"),
        .caption = QStringLiteral("Depuneri in banca"),
        .groupCaption = QStringLiteral("Inregistrare depunere in contul de banca"),
        .table = QStringLiteral("Depuneri"),
        .tableWord = QStringLiteral("depuneri"),
        .amountCaption = QStringLiteral("Suma depusa :"),
        .sourceAccount = Account::Cash,
        .deleteQuestion = QStringLiteral("Sigur doriti anularea acestei depuneri in cont?"),
        .wrongYearStart = QStringLiteral("Atentie anul ales pentru inregistrarea depunerii "),
        .incompleteMessage =
            QStringLiteral("Completati toate datele referitoare la depunerea pe care doriti sa o efectuati!"),
    };
    return kind;
}

const BankMovementKind& BankMovementKind::withdrawals()
{
    static const BankMovementKind kind{
        .objectName = QStringLiteral("TRidicariFrm"),
        .caption = QStringLiteral("Ridicari din cont"),
        .groupCaption = QStringLiteral("Inregistrare ridicari din contul de banca"),
        .table = QStringLiteral("Ridicari"),
        .tableWord = QStringLiteral("ridicari"),
        .amountCaption = QStringLiteral("Suma ridicata :"),
        .sourceAccount = Account::Bank,
        .deleteQuestion = QStringLiteral("Sigur doriti anularea acestei ridicari din cont?"),
        .wrongYearStart = QStringLiteral("Atentie anul ales pentru inregistrarea ridicarii "),
        .incompleteMessage =
            QStringLiteral("Completati toate datele referitoare la ridicarea pe care doriti sa o efectuati!"),
    };
    return kind;
}

namespace
{

DocumentWindowSetup windowSetup(const BankMovementKind& kind)
{
    return {
        .objectName = kind.objectName,
        .caption = kind.caption,
        .table = kind.table,
        .tableWord = kind.tableWord,
        .deleteQuestion = kind.deleteQuestion,
        .balances = {kind.sourceAccount},
    };
}

} // namespace

TBankMovementFrm::TBankMovementFrm(const BankMovementKind& kind, QWidget* parent)
    : DocumentWindow(windowSetup(kind), parent), m_movement(kind)
{
    document()->setDisplayFormat(QStringLiteral("Suma"), QStringLiteral("#,##0.00"));
    document()->setEditFormat(QStringLiteral("Suma"), QStringLiteral("0.00"));
    numberDocuments(QStringLiteral("Nr_doc"), {{kind.table, QStringLiteral("Nr_doc")}});

    auto* group = new QGroupBox(kind.groupCaption, this);
    auto* form = new QFormLayout(group);
    m_number = bound<TDBEditNormal>(group, document(), QStringLiteral("Nr_doc"));
    m_date = bound<TDBDateEdit>(group, document(), QStringLiteral("Data"));
    m_kind = bound<TDBComboNormal>(group, document(), QStringLiteral("Fel"));
    addChoiceList(m_kind, QStringLiteral("Tip_doc"), QStringLiteral("Denumire"));
    m_amount = bound<TDBEditNormal>(group, document(), QStringLiteral("Suma"));
    m_amount->setAlignment(Qt::AlignRight);
    addLabeledRow(form, QStringLiteral("Numar :"), m_number);
    addLabeledRow(form, QStringLiteral("Data :"), m_date);
    addLabeledRow(form, QStringLiteral("Felul :"), m_kind);
    addLabeledRow(form, kind.amountCaption, m_amount);
    addBalanceRows(form);
    formArea()->addWidget(group);

    // A deposit takes its sum out of the cash, a withdrawal brings it in.
    const double direction = kind.sourceAccount == Account::Cash ? -1.0 : 1.0;
    askAboutAmounts(document(), {QStringLiteral("Suma"), [direction](const Dataset& movement) {
                                     return direction * movement.asFloat(QStringLiteral("Suma"));
                                 }});
    addCheck(workingYearCheck(kind.wrongYearStart));
    addCheck(completenessCheck(
        {QStringLiteral("Nr_doc"), QStringLiteral("Suma"), QStringLiteral("Fel"), QStringLiteral("Data")},
        kind.incompleteMessage));

    finishSetup({m_number, m_date, m_kind, m_amount});
}

void TBankMovementFrm::setDefaults(Dataset& document)
{
    // The amount is the balance as shown, so rounded to two decimals.
    document.setValue(QStringLiteral("Suma"), shownBalance(m_movement.sourceAccount));
    document.setValue(QStringLiteral("Data"), QDate::currentDate());
}
