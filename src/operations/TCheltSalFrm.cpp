#include "operations/TCheltSalFrm.h"

#include "catalogues/CatalogSelect.h"
#include "core/BusyCursor.h"
#include "core/DbErrorText.h"
#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "db/DbError.h"
#include "db/FieldFormat.h"
#include "db/Sql.h"
#include "operations/SalaryOrderDeletion.h"
#include "printing/RepOPSalUnt.h"
#include "widgets/BoundControl.h"
#include "widgets/FormRows.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TDBGridNormal.h"
#include "widgets/dbdate.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace
{

const QString tableWord = QStringLiteral("cheltuieli compuse");
const QString lineCodeField = QStringLiteral("Cod_cheltuiala");
const QString lineNameField = QStringLiteral("Den_cheltuiala");
const QString lineAmountField = QStringLiteral("Valoarea");
const QString moneyFormat = QStringLiteral("#,##0.00");
const int nameColumn = 1; // the grid shows code, name, amount, explanation

DocumentWindowSetup salaryOrderSetup()
{
    return {
        .objectName = QStringLiteral("TCheltSalFrm"),
        .caption = QStringLiteral("Cheltuieli compuse"),
        .table = QStringLiteral("CheltSal"),
        .tableWord = tableWord,
        .printHint = QStringLiteral("Sunt de acord"),
        .deleteQuestion = QStringLiteral("Sigur doriti anularea acestui document ?"),
    };
}

// The total of the order's stored lines; null when it has none (or is not stored yet).
QVariant storedTotal(const QVariant& orderId)
{
    if (orderId.isNull())
        return {};
    return Sql::scalar(Connection::database(),
                       QStringLiteral("SELECT SUM(D.Valoarea) AS Total FROM ItemsSal D "
                                      "WHERE (D.Id_CheltSal = :IdCurent)"),
                       {{QStringLiteral(":IdCurent"), orderId}});
}

bool hasStoredLines(const QVariant& orderId)
{
    return !orderId.isNull() &&
           Sql::scalar(Connection::database(),
                       QStringLiteral("SELECT COUNT(*) FROM ItemsSal WHERE Id_CheltSal = :id"),
                       {{QStringLiteral(":id"), orderId}})
                   .toInt() > 0;
}

} // namespace

TCheltSalFrm::TCheltSalFrm(QWidget* parent) : DocumentWindow(salaryOrderSetup(), parent)
{
    setUpHeader();
    auto* lines = new Dataset(QStringLiteral("ItemsSal"), this);
    addLines(lines, QStringLiteral("Id"), QStringLiteral("Id_CheltSal"));
    setUpLines(lines);
    // The lines are paid from their order's account: an order moved to the
    // cash takes its stored lines out of it, a line paid in cash its amount.
    const auto paidInCash = [](const Dataset& order) {
        return order.asString(QStringLiteral("Cont")) == QStringLiteral("Casa");
    };
    askAboutAmounts(document(), {QString(), [paidInCash](const Dataset& order) {
                                     return paidInCash(order)
                                                ? -storedTotal(order.value(QStringLiteral("Id"))).toDouble()
                                                : 0.0;
                                 }});
    askAboutAmounts(lines, {lineAmountField, [this, paidInCash](const Dataset& line) {
                                return paidInCash(*document()) ? -line.asFloat(lineAmountField) : 0.0;
                            }});

    addCheck(workingYearCheck(QStringLiteral("Atentie anul ales pentru inregistrarea platii ")));
    addCheck(completenessCheck({QStringLiteral("Nr_act"), QStringLiteral("Cont"), QStringLiteral("Data")},
                               QStringLiteral("Completati toate datele referitoare la plata pe care doriti "
                                              "sa o efectuati!")));

    finishSetup({m_number, m_date, m_account, m_explanation}, {m_grid});
    m_confirmLineDelete = true;
}

void TCheltSalFrm::setUpHeader()
{
    auto* group = new QGroupBox(QStringLiteral("Inregistrare (ordin plata)"), this);
    auto* form = new QFormLayout(group);
    numberDocuments(QStringLiteral("Nr_act"), {{QStringLiteral("Cheltuieli"), QStringLiteral("Nr_act")},
                                               {QStringLiteral("CheltSal"), QStringLiteral("Nr_act")}});
    m_number = bound<TDBEditNormal>(group, document(), QStringLiteral("Nr_act"));
    m_date = bound<TDBDateEdit>(group, document(), QStringLiteral("Data"));
    // Its items come before it is bound, so that it shows the field's value.
    m_account = new TDBComboNormal(group);
    m_account->setObjectName(QStringLiteral("Cont"));
    m_account->addItems({QStringLiteral("Casa"), QStringLiteral("Banca")});
    m_account->setEditable(false); // the balances know these two accounts only
    m_account->bind(document(), QStringLiteral("Cont"));
    m_explanation = bound<TDBEditNormal>(group, document(), QStringLiteral("Explicatie"));
    m_total = new QLineEdit(group);
    m_total->setObjectName(QStringLiteral("Total"));
    m_total->setReadOnly(true);
    m_total->setFocusPolicy(Qt::NoFocus);
    m_total->setAlignment(Qt::AlignRight);
    addLabeledRow(form, QStringLiteral("Numar :"), m_number);
    addLabeledRow(form, QStringLiteral("Data :"), m_date);
    addLabeledRow(form, QStringLiteral("Plata se face prin :"), m_account);
    addLabeledRow(form, QStringLiteral("Explicatie :"), m_explanation);
    addLabeledRow(form, QStringLiteral("Total document :"), m_total);
    formArea()->addWidget(group);

    document()->afterScroll = [this](Dataset&) { showTotal(); };
}

void TCheltSalFrm::setUpLines(Dataset* lines)
{
    lines->setDisplayFormat(lineAmountField, moneyFormat);
    lines->setEditFormat(lineAmountField, QStringLiteral("0.00"));
    lines->setValidator(lineCodeField,
                        [this](Dataset& line, const QVariant& code) { validateExpenseCode(line, code); });
    lines->setOnChange(lineAmountField, [this](Dataset&) { showTotal(); });
    lines->beforePost = [](Dataset& line) {
        runChecks({completenessCheck({lineCodeField, lineAmountField}, QStringLiteral("Completati toate datele!"))},
                  line);
    };
    lines->beforeDelete = [this](Dataset&) {
        if (m_confirmLineDelete &&
            !dialogs().question(QStringLiteral("Sigur doriti anularea acestui detaliu ?")))
            throw SilentAbort();
    };
    const auto linesChanged = [this](Dataset&) {
        showTotal();
        // The expense names are long: their column widens to show them whole.
        if (m_grid)
            m_grid->resizeColumnToContents(nameColumn);
    };
    lines->afterPost = linesChanged;
    lines->afterDelete = linesChanged;
    lines->afterScroll = linesChanged;

    auto* group = new QGroupBox(QStringLiteral("Detaliere cheltuiala :"), this);
    auto* layout = new QVBoxLayout(group);
    m_grid = new TDBGridNormal(group);
    m_grid->setObjectName(QStringLiteral("Detalii"));
    m_grid->setAccessibleName(QStringLiteral("Detaliere cheltuiala"));
    m_grid->bind(lines, {lineCodeField, lineNameField, lineAmountField, QStringLiteral("Explicatie")});
    m_grid->datasetModel()->setColumnTitle(lineCodeField, QStringLiteral("Cod chelt"));
    m_grid->datasetModel()->setColumnTitle(lineNameField, QStringLiteral("Denumire cheltuiala"));
    m_grid->datasetModel()->setColumnTitle(lineAmountField, QStringLiteral("Suma"));
    m_grid->datasetModel()->setColumnTitle(QStringLiteral("Explicatie"), QStringLiteral("Explicatie"));
    m_grid->setColumnReadOnly(lineNameField);
    m_grid->setDeleteConfirmation(false); // the line's own question is asked in beforeDelete
    m_grid->setColumnPicker(lineCodeField, [this] { pickExpenseType(); });
    m_grid->setColumnPicker(lineNameField, [this] { pickExpenseType(); });
    layout->addWidget(m_grid);
    formArea()->addWidget(group, 1);

    // The explanation takes the width the other columns leave.
    m_grid->horizontalHeader()->setStretchLastSection(true);
}

void TCheltSalFrm::setDefaults(Dataset& header)
{
    header.setValue(QStringLiteral("Data"), QDate::currentDate());
    header.setValue(QStringLiteral("Cont"), QStringLiteral("Casa"));
}

void TCheltSalFrm::validateExpenseCode(Dataset& line, const QVariant& code)
{
    if (code.isNull()) {
        line.setValue(lineNameField, QVariant());
        return;
    }
    const QVariant name =
        Sql::scalar(Connection::database(),
                    QStringLiteral("SELECT Denumire FROM Tip_cheltuieli WHERE Cod_cheltuiala = :c"),
                    {{QStringLiteral(":c"), code}});
    if (name.isValid()) {
        line.setValue(lineNameField, name.isNull() ? QString() : name.toString());
        return;
    }
    dialogs().warning(QStringLiteral("Codul de cheltuiala <") + code.toString() +
                      QStringLiteral("> nu figureaza în catalog. ") +
                      QStringLiteral("Apasati Ctrl-Enter pentru a selecta din catalog !"));
    line.setValue(lineNameField, QVariant());
    throw SilentAbort();
}

void TCheltSalFrm::pickExpenseType()
{
    Dataset* line = lines();
    int code = line->isEmpty() && !line->isEditing() ? 0 : line->asInteger(lineCodeField);
    if (!SelectTipCheltuiala(this, code))
        return;
    if (!line->edit() || !line->setValue(lineCodeField, code))
        return;
    m_grid->selectField(lineAmountField);
}

void TCheltSalFrm::showTotal()
{
    const QVariant total = storedTotal(document()->isEmpty() && !document()->isEditing()
                                           ? QVariant()
                                           : document()->value(QStringLiteral("Id")));
    m_total->setText(total.isNull() ? QString() : FieldFormat::formatNumber(total.toDouble(), moneyFormat));
}

bool TCheltSalFrm::save()
{
    if (!storePending())
        return false;
    printButton()->setFocus(Qt::OtherFocusReason);
    return true;
}

void TCheltSalFrm::print()
{
    // A new order nobody typed into is not stored just to be printed.
    const bool untouchedNew =
        document()->state() == DatasetState::Insert && !document()->isModified() && !lines()->isEditing();
    if (!untouchedNew && !storePending())
        return;
    const QVariant id = untouchedNew ? QVariant() : document()->value(QStringLiteral("Id"));
    // The payment order is the total of the lines: without them there is nothing to print.
    if (!hasStoredLines(id)) {
        dialogs().warning(
            QStringLiteral("Ordinul de plata nu are nici o cheltuiala detaliata; nu este nimic de "
                           "printat."));
        return;
    }
    TRepOPSalFrm::start(this, id.toDouble());
}

void TCheltSalFrm::documentDeleting(Dataset& header)
{
    const QVariant id = header.value(QStringLiteral("Id"));
    // Declared first, so it runs last: after a rollback the total shows what is stored again.
    const auto totalAgain = qScopeGuard([this] { showTotal(); });
    const BusyCursor busy(true);
    m_grid->setUpdatesEnabled(false);
    const auto thaw = qScopeGuard([this] { m_grid->setUpdatesEnabled(true); });
    const QScopedValueRollback noLineQuestions(m_confirmLineDelete, false);
    try {
        deleteSalaryOrder(Connection::database(), *lines(), id);
    } catch (const DbError& e) {
        dialogs().error(DbErrorText::forTable(tableWord, e.text()));
        throw SilentAbort();
    }
}
