#include "operations/MoneyDocumentWindow.h"

#include "catalogues/CatalogueName.h"
#include "core/ErrorGuard.h"
#include "core/StatusLine.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "operations/CandleQuantity.h"
#include "widgets/BoundControl.h"
#include "widgets/FormRows.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/dbdate.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace
{

const QString cashAccount = QStringLiteral("Casa");
const QString explanationField = QStringLiteral("Explicatie");
const QString amountField = QStringLiteral("Valoarea");
const QString candleField = QStringLiteral("Cant_lumanari");

// Shows a prompt in the status line each time its input gets the focus.
class EnteringPrompt : public QObject
{
public:
    EnteringPrompt(QWidget* input, QString prompt) : QObject(input), m_prompt(std::move(prompt))
    {
        input->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            ShowStatus(m_prompt);
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_prompt;
};

} // namespace

MoneyDocumentWindow::MoneyDocumentWindow(const MoneyDocumentKind& kind, QWidget* parent)
    : DocumentWindow(kind.setup, parent), m_moneyKind(kind)
{
    Dataset* doc = document();
    doc->setDisplayFormat(amountField, QStringLiteral("#,##0.00"));
    doc->setEditFormat(amountField, QStringLiteral("0.00"));
    numberDocuments(QStringLiteral("Nr_act"), kind.numbering);

    m_parameters = new Dataset(QStringLiteral("Contor"), this);
    addRecordSource(m_parameters);

    m_registrationGroup = new QGroupBox(kind.registrationCaption, this);
    m_registrationForm = new QFormLayout(m_registrationGroup);
    m_number = bound<TDBEditNormal>(m_registrationGroup, doc, QStringLiteral("Nr_act"));
    m_date = bound<TDBDateEdit>(m_registrationGroup, doc, QStringLiteral("Data"));
    m_kind = bound<TDBComboNormal>(m_registrationGroup, doc, QStringLiteral("Fel"));
    addChoiceList(m_kind, QStringLiteral("Tip_doc"), QStringLiteral("Denumire"));
    m_code = bound<TDBEditNormal>(m_registrationGroup, doc, kind.codeField);
    m_code->setPicker([this] { pickType(); });
    promptOnEntering(m_code, kind.codePrompt);
    m_codeName = nameCopy(m_registrationGroup, kind.nameField);
    addLabeledRow(m_registrationForm, QStringLiteral("Numar :"), m_number);
    addLabeledRow(m_registrationForm, QStringLiteral("Data :"), m_date);
    addLabeledRow(m_registrationForm, QStringLiteral("Felul :"), m_kind);
    addLabeledRow(m_registrationForm, kind.codeCaption, m_code);
    addLabeledRow(m_registrationForm, QStringLiteral("Denumire :"), m_codeName);

    m_valueGroup = new QGroupBox(QStringLiteral("Valoare"), this);
    auto* valueForm = new QFormLayout(m_valueGroup);
    m_account = new TDBComboNormal(m_valueGroup);
    m_account->setObjectName(QStringLiteral("Cont"));
    m_account->setEditable(false); // the balances know these two accounts only
    m_account->addItems({cashAccount, QStringLiteral("Banca")});
    m_account->bind(doc, QStringLiteral("Cont"));
    m_amount = bound<TDBEditNormal>(m_valueGroup, doc, amountField);
    m_amount->setAlignment(Qt::AlignRight);
    m_candles = bound<TDBEditNormal>(m_valueGroup, doc, candleField);
    m_candles->setAlignment(Qt::AlignRight);
    m_explanation = bound<TDBEditNormal>(m_valueGroup, doc, explanationField);
    addLabeledRow(valueForm, kind.accountCaption, m_account);
    addLabeledRow(valueForm, kind.amountCaption, m_amount);
    addLabeledRow(valueForm, QStringLiteral("Cantitatea de lumanari :"), m_candles);
    m_candleLabel = qobject_cast<QLabel*>(valueForm->labelForField(m_candles));
    addLabeledRow(valueForm, QStringLiteral("Explicatie :"), m_explanation);

    const CatalogueNameCopy typeName{.table = kind.typeTable,
                                     .codeField = kind.codeField,
                                     .copyField = kind.nameField,
                                     .unknownCodeStart = kind.unknownCodeStart};
    doc->setValidator(kind.codeField, [typeName](Dataset& document, const QVariant& code) {
        copyCatalogueName(document, typeName, code);
    });
    doc->setOnChange(kind.codeField, [this](Dataset& document) { codeChanged(document); });
    doc->setOnChange(amountField, [this](Dataset& document) { amountChanged(document); });
    doc->setValidator(QStringLiteral("Data"),
                      [this](Dataset&, const QVariant& date) { warnOfWrongYear(date); });
    connect(m_amount, &BoundLineEdit::left, this, [this] { runGuarded([this] { fillExplanation(); }); });
    askAboutAmounts(doc, {amountField, [direction = kind.direction](const Dataset& document) {
                              return document.asString(QStringLiteral("Cont")) == cashAccount
                                         ? direction * document.asFloat(amountField)
                                         : 0.0;
                          }});

    // Moving to another document, or back to what it was, shows its candle controls.
    connect(doc, &Dataset::currentRowChanged, this, &MoneyDocumentWindow::showCandleControls);
    connect(doc, &Dataset::stateChanged, this, &MoneyDocumentWindow::showCandleControls);
    connect(doc, &Dataset::stateChanged, this, [this](DatasetState state) {
        if (state == DatasetState::Browse)
            m_explanationDue = false;
    });
    connect(doc, &Dataset::rowsReset, this, &MoneyDocumentWindow::showCandleControls);
}

void MoneyDocumentWindow::completeWindow(QGroupBox* partyGroup, const QList<QWidget*>& partyFields)
{
    m_partyFields = partyFields;
    addBalanceRows(m_registrationForm);
    formArea()->addWidget(m_registrationGroup);
    if (partyGroup)
        formArea()->addWidget(partyGroup);
    formArea()->addWidget(m_valueGroup);

    addCheck(workingYearCheck(m_moneyKind.wrongYearStart));
    addCheck(completenessCheck(m_moneyKind.requiredFields, m_moneyKind.incompleteMessage));

    QList<QWidget*> fields = {m_number, m_date, m_kind, m_code};
    fields << partyFields << m_account << m_amount << m_candles << m_explanation;
    finishSetup(fields);
}

TDBEditNormal* MoneyDocumentWindow::nameCopy(QWidget* parent, const QString& field)
{
    TDBEditNormal* text = bound<TDBEditNormal>(parent, document(), field);
    text->setReadOnly(true);
    text->setFocusPolicy(Qt::NoFocus);
    return text;
}

bool MoneyDocumentWindow::candleControlsShown() const
{
    return !m_candles->isHidden();
}

QVariant MoneyDocumentWindow::parameter(const QString& field) const
{
    return m_parameters->isActive() && !m_parameters->isEmpty() ? m_parameters->value(field) : QVariant();
}

void MoneyDocumentWindow::promptOnEntering(BoundLineEdit* input, const QString& prompt)
{
    new EnteringPrompt(input, prompt);
    input->setToolTip(catalogueHint);
}

QString MoneyDocumentWindow::explanationFor(const Dataset&, const QString& typeExplanation) const
{
    return typeExplanation;
}

void MoneyDocumentWindow::setDefaults(Dataset& document)
{
    // Read again for each document: the parameters may have changed meanwhile.
    m_parameters->refresh();
    m_settingDefaults = true;
    const auto typingAgain = qScopeGuard([this] { m_settingDefaults = false; });
    const QDate today = QDate::currentDate();
    document.setValue(QStringLiteral("Data"), today);
    document.setValue(QStringLiteral("Data_registru"), today);
    document.setValue(QStringLiteral("Cont"), cashAccount);
    document.setValue(QStringLiteral("Fel"), m_moneyKind.defaultKind);
}

void MoneyDocumentWindow::changeEvent(QEvent* event)
{
    // Coming back from the parameters window reads its values again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_parameters->isActive())
        runGuarded([this] { m_parameters->refresh(); });
    DocumentWindow::changeEvent(event);
}

void MoneyDocumentWindow::codeChanged(Dataset& document)
{
    if (!isCandleType(document.value(m_moneyKind.codeField)))
        document.setValue(candleField, 0);
    showCandleControls();
}

void MoneyDocumentWindow::amountChanged(Dataset& document)
{
    m_explanationDue = true;
    const std::optional<double> candles =
        candleQuantity(document.asFloat(amountField), parameter(m_moneyKind.candlePriceParameter));
    if (!candles) {
        dialogs().warning(m_moneyKind.missingPriceMessage);
        return;
    }
    document.setValue(candleField, *candles);
}

void MoneyDocumentWindow::warnOfWrongYear(const QVariant& date)
{
    if (m_settingDefaults || date.isNull())
        return;
    const int year = workingYear();
    if (date.toDate().year() != year)
        dialogs().warning(m_moneyKind.wrongYearStart + QString::number(date.toDate().year()) +
                          QStringLiteral(" difera de anul de lucru ") + QString::number(year) +
                          QStringLiteral(" ! Introduceti o data valida."));
}

void MoneyDocumentWindow::completeDocument(Dataset&)
{
    if (m_explanationDue)
        fillExplanation();
}

void MoneyDocumentWindow::fillExplanation()
{
    Dataset* doc = document();
    if (!doc->isEditing())
        return;
    m_explanationDue = false;
    const QVariant code = doc->value(m_moneyKind.codeField);
    if (code.isNull()) {
        doc->setValue(explanationField, QVariant());
        return;
    }
    const QSqlDatabase db = Connection::database();
    QSqlQuery type =
        Sql::exec(db,
                  QStringLiteral("SELECT %1 FROM %2 WHERE %3 = :code")
                      .arg(Sql::name(db, m_moneyKind.typeExplanationField), Sql::name(db, m_moneyKind.typeTable),
                           Sql::name(db, m_moneyKind.codeField)),
                  {{QStringLiteral(":code"), code}});
    if (!type.next()) {
        doc->setValue(explanationField, QVariant());
        return;
    }
    const int size = doc->field(doc->fieldIndex(explanationField)).size;
    doc->setValue(explanationField, explanationFor(*doc, type.value(0).toString()).left(size));
}

void MoneyDocumentWindow::pickType()
{
    bool isNumber = false;
    int code = m_code->text().trimmed().toInt(&isNumber);
    if (!isNumber)
        code = 0;
    if (!m_moneyKind.pickType(this, code))
        return;
    Dataset* doc = document();
    if (!doc->isEditing() && !doc->edit())
        return;
    if (doc->setValue(m_moneyKind.codeField, code) && !m_partyFields.isEmpty())
        m_partyFields.first()->setFocus(Qt::OtherFocusReason);
}

bool MoneyDocumentWindow::isCandleType(const QVariant& code) const
{
    // An empty code and an empty parameter both count as 0.
    return code.toInt() == parameter(m_moneyKind.candleCodeParameter).toInt();
}

void MoneyDocumentWindow::showCandleControls()
{
    Dataset* doc = document();
    if (!doc->isActive() || !m_parameters->isActive())
        return;
    const bool shown = isCandleType(doc->value(m_moneyKind.codeField));
    m_candles->setVisible(shown);
    if (m_candleLabel)
        m_candleLabel->setVisible(shown);
}
