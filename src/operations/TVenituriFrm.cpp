#include "operations/TVenituriFrm.h"

#include "catalogues/CatalogSelect.h"
#include "catalogues/CatalogueName.h"
#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "db/Dataset.h"
#include "operations/ReceiptReport.h"
#include "widgets/BoundControl.h"
#include "widgets/FormRows.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"

#include <QFormLayout>
#include <QGroupBox>

namespace
{

const QString parishionerField = QStringLiteral("Cod_enorias");
const QString parishionerNameField = QStringLiteral("Den_enorias");

} // namespace

const MoneyDocumentKind& TVenituriFrm::kind()
{
    static const MoneyDocumentKind kind{
        .setup =
            {
                .objectName = QStringLiteral("TVenituriFrm"),
                .caption = QStringLiteral("Incasari"),
                .table = QStringLiteral("Venituri"),
                .tableWord = QStringLiteral("venituri"),
                .printHint = QStringLiteral("Printeaza chitanta"),
                .deleteQuestion = QStringLiteral("Sigur doriti anularea incasarii (chitantei)?"),
                .balances = {Account::Cash, Account::Bank},
            },
        .registrationCaption = QStringLiteral("Inregistrare (chitanta incasata)"),
        .defaultKind = QStringLiteral("CHIT"),
        .numbering = {{QStringLiteral("Venituri"), QStringLiteral("Nr_act")}},
        .codeField = QStringLiteral("Cod_venit"),
        .codeCaption = QStringLiteral("Cod venit :"),
        .nameField = QStringLiteral("Den_venit"),
        .typeTable = QStringLiteral("Tip_venituri"),
        .typeExplanationField = QStringLiteral("Explicatie_venit"),
        .codePrompt = QStringLiteral("Apsati <Ctrl-Enter> pentru a selecta tipul de venit din catalog!"),
        .unknownCodeStart = QStringLiteral("Codul de venit <"),
        .pickType = &SelectTipVenit,
        .candleCodeParameter = QStringLiteral("CodVenLum"),
        .candlePriceParameter = QStringLiteral("PretOut"),
        .missingPriceMessage = QStringLiteral(
            "Atentie! Nu aveti configurat pret iesire lumanari (in Setari -> Parametrii aplicatiei)."),
        .accountCaption = QStringLiteral("Incasarea se face prin :"),
        .amountCaption = QStringLiteral("Suma incasata :"),
        .wrongYearStart = QStringLiteral("Atentie anul ales pentru inregistrarea incasarii "),
        .requiredFields = {QStringLiteral("Cod_venit"), QStringLiteral("Nr_act"), QStringLiteral("Fel"),
                           QStringLiteral("Cont"), QStringLiteral("Valoarea"), QStringLiteral("Data")},
        .incompleteMessage =
            QStringLiteral("Completati toate datele referitoare la incasarea pe care doriti sa o efectuati!"),
    };
    return kind;
}

TVenituriFrm::TVenituriFrm(QWidget* parent) : MoneyDocumentWindow(kind(), parent)
{
    Dataset* doc = document();
    auto* group = new QGroupBox(QStringLiteral("Enorias"), this);
    auto* form = new QFormLayout(group);
    m_parishioner = bound<TDBEditNormal>(group, document(), parishionerField);
    m_parishioner->setPicker([this] { pickParishioner(); });
    promptOnEntering(m_parishioner,
                     QStringLiteral("Apasati <Ctrl-Enter> pentru a selecta enoriasul din catalog!"));
    m_parishionerName = nameCopy(group, parishionerNameField);
    addLabeledRow(form, QStringLiteral("Cod enorias :"), m_parishioner);
    addLabeledRow(form, QStringLiteral("Numele :"), m_parishionerName);
    const CatalogueNameCopy parishionerName{.table = QStringLiteral("Enoriasi"),
                                            .codeField = parishionerField,
                                            .nameField = QStringLiteral("Nume_prenume"),
                                            .copyField = parishionerNameField,
                                            .unknownCodeStart = QStringLiteral("Enoriasul <")};
    doc->setValidator(parishionerField, [parishionerName](Dataset& document, const QVariant& code) {
        copyCatalogueName(document, parishionerName, code);
    });

    // A contribution is always someone's: it comes before the shared checks.
    addCheck({[this](const Dataset& document) {
                  return document.asInteger(QStringLiteral("Cod_venit")) ==
                             parameter(QStringLiteral("CodVenContrib")).toInt() &&
                         document.asString(parishionerField).isEmpty();
              },
              [](const Dataset&) {
                  return QStringLiteral("Specificati enoriasul de la care se incaseaza contributia!");
              },
              m_parishioner});

    completeWindow(group, {m_parishioner});
}

QString TVenituriFrm::explanationFor(const Dataset& document, const QString& typeExplanation) const
{
    return typeExplanation + QLatin1Char(' ') + document.asString(parishionerNameField);
}

void TVenituriFrm::pickParishioner()
{
    QString code = m_parishioner->text();
    if (!SelectEnorias(this, code))
        return;
    Dataset* doc = document();
    if (!doc->isEditing() && !doc->edit())
        return;
    if (doc->setValue(parishionerField, code))
        accountInput()->setFocus(Qt::OtherFocusReason);
}

void TVenituriFrm::print()
{
    const ProgramOptions options = ProgramOptions::read(programFolder() + ProgramOptions::fileName);
    if (options.printReceipt) {
        // The receipt is read from the table: the receipt being typed is stored first.
        if (!storePending())
            return;
        const Dataset* doc = document();
        if (!doc->isEmpty())
            printReceipt(this, doc->asFloat(QStringLiteral("Nr_act")), doc->asDate(QStringLiteral("Data")));
    }
    startNewDocument();
}
