#include "operations/TCheltuieliFrm.h"

#include "catalogues/CatalogSelect.h"
#include "db/Dataset.h"
#include "printing/RepOPUnt.h"
#include "widgets/BoundControl.h"
#include "widgets/FormRows.h"
#include "widgets/TDBEditNormal.h"

#include <QFormLayout>

const MoneyDocumentKind& TCheltuieliFrm::kind()
{
    static const MoneyDocumentKind kind{
        .setup =
            {
                .objectName = QStringLiteral("TCheltuieliFrm"),
                .caption = QStringLiteral("Plati"),
                .table = QStringLiteral("Cheltuieli"),
                .tableWord = QStringLiteral("cheltuieli"),
                .printHint = QStringLiteral("Sunt de acord"),
                .deleteQuestion = QStringLiteral("Sigur doriti anularea acestei plati ?"),
                .balances = {Account::Cash, Account::Bank},
            },
        .registrationCaption = QStringLiteral("Inregistrare (ordin plata)"),
        .defaultKind = QStringLiteral("OP"),
        .numbering = {{QStringLiteral("Cheltuieli"), QStringLiteral("Nr_act")},
                      {QStringLiteral("CheltSal"), QStringLiteral("Nr_act")}},
        .codeField = QStringLiteral("Cod_cheltuiala"),
        .codeCaption = QStringLiteral("Cod cheltuiala :"),
        .nameField = QStringLiteral("Den_cheltuiala"),
        .typeTable = QStringLiteral("Tip_cheltuieli"),
        .typeExplanationField = QStringLiteral("Explicatie_cheltuiala"),
        .codePrompt = QStringLiteral("Apsati <Ctrl-Enter> pentru a selecta tipul de cheltuiala din catalog!"),
        .unknownCodeStart = QStringLiteral("Codul de cheltuiala <"),
        .pickType = &SelectTipCheltuiala,
        .candleCodeParameter = QStringLiteral("CodChLum"),
        .candlePriceParameter = QStringLiteral("PretInOut"),
        .missingPriceMessage = QStringLiteral(
            "Atentie! Nu aveti configurat pret intrare lumanari (in Setari -> Parametrii aplicatiei)."),
        .accountCaption = QStringLiteral("Plata se face prin :"),
        .amountCaption = QStringLiteral("Suma platita :"),
        .direction = -1,
        .wrongYearStart = QStringLiteral("Atentie anul ales pentru inregistrarea platii "),
        .requiredFields = {QStringLiteral("Cod_cheltuiala"), QStringLiteral("Nr_act"), QStringLiteral("Fel"),
                           QStringLiteral("Beneficiar"), QStringLiteral("Cont"), QStringLiteral("Valoarea"),
                           QStringLiteral("Data")},
        .incompleteMessage =
            QStringLiteral("Completati toate datele referitoare la plata pe care doriti sa o efectuati!"),
    };
    return kind;
}

TCheltuieliFrm::TCheltuieliFrm(QWidget* parent) : MoneyDocumentWindow(kind(), parent)
{
    m_beneficiary = bound<TDBEditNormal>(this, document(), QStringLiteral("Beneficiar"));
    addLabeledRow(registrationForm(), QStringLiteral("Beneficiar :"), m_beneficiary);
    completeWindow(nullptr, {m_beneficiary});
}

void TCheltuieliFrm::print()
{
    Dataset* doc = document();
    // Typing not yet taken (a button pressed by its shortcut) counts as typed.
    if (!doc->updateRecord())
        return;
    // The order is read from the table: a payment being typed is stored
    // before it is printed. A new payment nobody typed into has no order.
    const bool nothingTyped = doc->state() == DatasetState::Insert && !doc->isModified();
    if (!nothingTyped) {
        if (!storePending())
            return;
        if (!doc->isEmpty())
            TRepOPFrm::start(this, doc->asInteger(QStringLiteral("Cod_cheltuiala")),
                             doc->asFloat(QStringLiteral("Nr_act")), doc->asDate(QStringLiteral("Data")));
    }
    startNewDocument();
}
