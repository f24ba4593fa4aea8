#include "operations/TCheltuieliFrm.h"

#include "catalogues/CatalogSelect.h"
#include "db/Dataset.h"
#include "printing/RepOPUnt.h"
#include "widgets/FormRows.h"
#include "widgets/TDBEditNormal.h"

#include <QFormLayout>

const MoneyDocumentKind& TCheltuieliFrm::kind()
{
    static const MoneyDocumentKind kind = [] {
        MoneyDocumentKind k;
        k.setup.objectName = QStringLiteral("TCheltuieliFrm");
        k.setup.caption = QStringLiteral("Plati");
        k.setup.table = QStringLiteral("Cheltuieli");
        k.setup.tableWord = QStringLiteral("cheltuieli");
        k.setup.printHint = QStringLiteral("Sunt de acord");
        k.setup.deleteQuestion = QStringLiteral("Sigur doriti anularea acestei plati ?");
        k.setup.balances = {Account::Cash, Account::Bank};
        k.registrationCaption = QStringLiteral("Inregistrare (ordin plata)");
        k.defaultKind = QStringLiteral("OP");
        k.numbering = {{QStringLiteral("Cheltuieli"), QStringLiteral("Nr_act")},
                       {QStringLiteral("CheltSal"), QStringLiteral("Nr_act")}};
        k.codeField = QStringLiteral("Cod_cheltuiala");
        k.codeCaption = QStringLiteral("Cod cheltuiala :");
        k.nameField = QStringLiteral("Den_cheltuiala");
        k.typeTable = QStringLiteral("Tip_cheltuieli");
        k.typeExplanationField = QStringLiteral("Explicatie_cheltuiala");
        k.codePrompt =
            QStringLiteral("Apsati <Ctrl-Enter> pentru a selecta tipul de cheltuiala din catalog!");
        k.unknownCodeStart = QStringLiteral("Codul de cheltuiala <");
        k.pickType = &SelectTipCheltuiala;
        k.candleCodeParameter = QStringLiteral("CodChLum");
        k.candlePriceParameter = QStringLiteral("PretInOut");
        k.missingPriceMessage = QStringLiteral(
            "Atentie! Nu aveti configurat pret intrare lumanari (in Setari -> Parametrii aplicatiei).");
        k.accountCaption = QStringLiteral("Plata se face prin :");
        k.amountCaption = QStringLiteral("Suma platita :");
        k.direction = -1;
        k.wrongYearStart = QStringLiteral("Atentie anul ales pentru inregistrarea platii ");
        k.requiredFields = {QStringLiteral("Cod_cheltuiala"),
                            QStringLiteral("Nr_act"),
                            QStringLiteral("Fel"),
                            QStringLiteral("Beneficiar"),
                            QStringLiteral("Cont"),
                            QStringLiteral("Valoarea"),
                            QStringLiteral("Data")};
        k.incompleteMessage =
            QStringLiteral("Completati toate datele referitoare la plata pe care doriti sa o efectuati!");
        return k;
    }();
    return kind;
}

TCheltuieliFrm::TCheltuieliFrm(QWidget* parent) : MoneyDocumentWindow(kind(), parent)
{
    m_beneficiary = boundInput(this, QStringLiteral("Beneficiar"));
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
