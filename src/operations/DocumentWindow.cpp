#include "operations/DocumentWindow.h"

#include "core/DbErrorText.h"
#include "core/ErrorGuard.h"
#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBPos.h"
#include "widgets/FormRows.h"
#include "widgets/GridColumnWidths.h"
#include "widgets/TDBGridNormal.h"
#include "widgets/WindowSize.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSqlQuery>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

constexpr TDBNavigator::Buttons documentButtons =
    TDBNavigator::Buttons(TDBNavigator::First | TDBNavigator::Prior | TDBNavigator::Next |
                          TDBNavigator::Last | TDBNavigator::Insert | TDBNavigator::Delete |
                          TDBNavigator::Post | TDBNavigator::Cancel | TDBNavigator::Refresh);

QString balanceCaption(Account account)
{
    return account == Account::Cash ? QStringLiteral("SOLD CURENT CASA :")
                                    : QStringLiteral("SOLD CURENT BANCA : ");
}

bool isEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QPushButton* makeButton(const QString& caption, const QString& hint, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAutoDefault(true); // Enter on the button clicks it
    return button;
}

} // namespace

DocumentWindow::DocumentWindow(const DocumentWindowSetup& setup, QWidget* parent)
    : QWidget(parent, Qt::Window), m_setup(setup)
{
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    setAccessibleName(setup.caption);

    m_document = new Dataset(setup.table, this);
    m_document->onNewRecord = [this](Dataset& document) {
        proposeNumber(document);
        setDefaults(document);
    };
    m_document->beforePost = [this](Dataset& document) {
        completeDocument(document);
        runChecks(m_checks, document);
        if (m_documentAmounts)
            m_documentAmounts->confirm(document);
    };
    m_document->whileInserting = [this](Dataset& document) { renumberIfTaken(document); };
    m_document->afterPost = [this](Dataset& document) {
        tellRenumbering(document);
        refreshBalances();
    };
    m_document->beforeDelete = [this](Dataset& document) {
        if (!m_setup.deleteQuestion.isEmpty() && !dialogs().question(m_setup.deleteQuestion))
            throw SilentAbort();
        documentDeleting(document);
    };
    m_document->afterDelete = [this](Dataset&) { refreshBalances(); };
    // Open from the start, so that the window can set its fields' formats.
    openOrSay(m_document);

    for (const Account account : setup.balances) {
        auto* label = new QLabel(this);
        label->setObjectName(account == Account::Cash ? QStringLiteral("SoldCasa")
                                                      : QStringLiteral("SoldBanca"));
        m_balanceLabels.insert(account, label);
    }

    m_navigator = new TDBNavigator(this);
    m_navigator->setObjectName(QStringLiteral("Navigator"));
    m_navigator->setButtons(documentButtons);
    m_navigator->setHints(TDBNavigator::Hints::Documents);
    m_navigator->setConfirmDelete(false); // the document's own question is asked in beforeDelete
    m_navigator->bind(m_document);
    m_position = new TDBPos(this);
    m_position->setObjectName(QStringLiteral("Pozitie"));
    m_position->bind(m_document);
    m_save = makeButton(QStringLiteral("&Salveaza"), saveHint, this);
    m_save->setObjectName(QStringLiteral("Salveaza"));
    m_print = makeButton(QStringLiteral("&Printeaza"), setup.printHint, this);
    m_print->setObjectName(QStringLiteral("Printeaza"));
    connect(m_save, &QPushButton::clicked, this, [this] { runGuarded([this] { save(); }); });
    connect(m_print, &QPushButton::clicked, this, [this] { runGuarded([this] { print(); }); });

    m_formArea = new QVBoxLayout;
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_navigator);
    buttonRow->addWidget(m_position, 1);
    buttonRow->addWidget(m_save);
    buttonRow->addWidget(m_print);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_formArea);
    layout->addLayout(buttonRow);

    connect(&DatabaseLocation::instance(), &DatabaseLocation::yearSwitched, this,
            [this] { runGuarded([this] { openAll(); }); });
}

DocumentWindow::~DocumentWindow() = default;

void DocumentWindow::addBalanceRows(QFormLayout* form)
{
    for (const Account account : m_setup.balances)
        addValueRow(form, balanceCaption(account), m_balanceLabels.value(account));
}

void DocumentWindow::askAboutAmounts(Dataset* records, AmountRule rule)
{
    auto* questions = new AmountQuestions(records, std::move(rule), this);
    if (records == m_document) {
        m_documentAmounts = questions;
        return;
    }
    records->beforePost = [own = records->beforePost, questions = QPointer(questions)](Dataset& record) {
        if (own)
            own(record);
        if (questions)
            questions->confirm(record);
    };
}

void DocumentWindow::addRecordSource(Dataset* source)
{
    m_sources.append(source);
    openOrSay(source);
}

void DocumentWindow::addLines(Dataset* lines, const QString& documentField, const QString& lineField)
{
    m_lines = lines;
    lines->setMaster(m_document, documentField, lineField);
    lines->setStoredBeforeMasterMoves(true);
    openOrSay(lines);
    const auto documentFirst = [this](Dataset&) {
        if (m_document->isEmpty() && !m_document->isEditing()) {
            dialogs().warning(QStringLiteral("Adaugati intai documentul, apoi liniile lui."));
            throw SilentAbort();
        }
        // The document is stored first, even untouched: the line needs its identity.
        if (m_document->isEditing() && !m_document->post())
            throw SilentAbort();
    };
    lines->beforeInsert = documentFirst;
    lines->beforeEdit = documentFirst;
}

void DocumentWindow::addChoiceList(QComboBox* combo, const QString& table, const QString& field)
{
    m_choiceLists.append({combo, table, field});
}

void DocumentWindow::finishSetup(const QList<QWidget*>& fields, const QList<QWidget*>& afterNavigator)
{
    m_fields = fields;
    QList<QWidget*> order = fields;
    for (QToolButton* button : m_navigator->shownButtons())
        order << button;
    order << afterNavigator << m_save << m_print;
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    m_afterNavigator = afterNavigator.isEmpty() ? m_save : afterNavigator.first();
    for (QToolButton* button : m_navigator->shownButtons())
        button->installEventFilter(this);

    try {
        openAll();
    } catch (const DbError& e) {
        dialogs().error(DbErrorText::forTable(m_setup.tableWord, e.text()));
        throw SilentAbort();
    }
    sizeWindow();
}

void DocumentWindow::sizeWindow()
{
    // Wide enough for the columns of its grids, as far as the screen allows; then the user's size.
    QList<QTableView*> grids;
    QList<int> widths;
    for (TDBGridNormal* grid : findChildren<TDBGridNormal*>()) {
        widths << sizeColumnsToContents(grid);
        grids << grid;
    }
    widenForGrids(this, grids, widths);
    keepWindowSize(this);
}

void DocumentWindow::openOrSay(Dataset* source)
{
    try {
        if (!source->isActive())
            source->open();
    } catch (const DbError& e) {
        dialogs().error(DbErrorText::forTable(m_setup.tableWord, e.text()));
        throw SilentAbort();
    }
}

void DocumentWindow::openAll()
{
    refreshBalances();
    fillChoiceLists();
    for (Dataset* source : std::as_const(m_sources))
        if (source && !source->isActive())
            source->open();
    if (!m_document->isActive())
        m_document->open();
    if (m_lines && !m_lines->isActive())
        m_lines->open();
    m_document->last();
    if (m_setup.opensOnNewDocument)
        startNewDocument();
}

void DocumentWindow::fillChoiceLists()
{
    for (const ChoiceList& list : std::as_const(m_choiceLists)) {
        if (!list.combo)
            continue;
        QStringList values;
        const QSqlDatabase db = Connection::database();
        QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                            .arg(Sql::name(db, list.field), Sql::name(db, list.table)));
        while (query.next())
            values << query.value(0).toString();
        // Refilling must not read as typing into the document.
        const QString shown = list.combo->currentText();
        const QSignalBlocker blocker(list.combo);
        list.combo->clear();
        list.combo->addItems(values);
        list.combo->setCurrentIndex(list.combo->findText(shown));
        list.combo->setEditText(shown);
    }
}

double DocumentWindow::shownBalance(Account account) const
{
    if (!m_balanceLabels.contains(account))
        return 0.0;
    return roundedBalance(account == Account::Cash ? m_balances.cash : m_balances.bank);
}

void DocumentWindow::refreshBalances()
{
    if (m_balanceLabels.isEmpty())
        return;
    m_balances = RecomputeBalances(Connection::database());
    for (auto it = m_balanceLabels.cbegin(); it != m_balanceLabels.cend(); ++it)
        showValue(it.value(), balanceText(it.key() == Account::Cash ? m_balances.cash : m_balances.bank));
}

void DocumentWindow::numberDocuments(const QString& field, const NumberSequence& sequence)
{
    m_numberField = field;
    m_numberSequence = sequence;
    m_document->setEditFormat(field, QStringLiteral("0"));
}

void DocumentWindow::proposeNumber(Dataset& document)
{
    m_proposedNumber.reset();
    m_takenNumber.reset();
    if (m_numberField.isEmpty())
        return;
    m_proposedNumber = nextDocumentNumber(m_numberSequence);
    document.setValue(m_numberField, *m_proposedNumber);
}

// Inside the insert's transaction, the only one of all computers numbering
// this sequence: a proposal stored meanwhile by another document gives way
// to the next free number, which is then the proposal.
void DocumentWindow::renumberIfTaken(Dataset& document)
{
    // A number the user typed over the proposal is the user's choice.
    if (!m_proposedNumber || document.value(m_numberField).toDouble() != *m_proposedNumber)
        return;
    serialiseNumbering(Connection::database(), m_numberSequence);
    if (!documentNumberTaken(m_numberSequence, *m_proposedNumber))
        return;
    if (!m_takenNumber)
        m_takenNumber = m_proposedNumber;
    m_proposedNumber = nextDocumentNumber(m_numberSequence);
    document.setValue(m_numberField, *m_proposedNumber);
}

void DocumentWindow::tellRenumbering(const Dataset& document)
{
    m_proposedNumber.reset();
    const std::optional<double> taken = std::exchange(m_takenNumber, std::nullopt);
    if (!taken)
        return;
    dialogs().information(QStringLiteral("Numarul %1 a fost dat intre timp altui document. "
                                         "Documentul se salveaza cu numarul %2.")
                              .arg(*taken)
                              .arg(document.value(m_numberField).toDouble()));
}

bool DocumentWindow::storePending()
{
    if (m_document->isEditing() && !m_document->post())
        return false;
    // A new line nobody typed into (the grid opens one past the last line) is
    // dropped, not refused for missing data.
    return !m_lines || m_lines->checkBrowseMode();
}

bool DocumentWindow::save()
{
    if (!storePending())
        return false;
    m_document->last();
    m_print->setFocus(Qt::OtherFocusReason);
    return true;
}

bool DocumentWindow::startNewDocument()
{
    if (!m_document->checkBrowseMode())
        return false;
    if (!m_document->append())
        return false;
    focusFirstField();
    return true;
}

void DocumentWindow::focusFirstField()
{
    if (!m_fields.isEmpty())
        m_fields.first()->setFocus(Qt::OtherFocusReason);
}

void DocumentWindow::setDefaults(Dataset&) {}

void DocumentWindow::completeDocument(Dataset&) {}

void DocumentWindow::print() {}

void DocumentWindow::documentDeleting(Dataset&) {}

void DocumentWindow::discardPendingEdits()
{
    if (m_lines && m_lines->isActive())
        m_lines->cancel();
    if (m_document->isActive())
        m_document->cancel();
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    runGuarded([this] { discardPendingEdits(); });
    QWidget::closeEvent(event);
}

void DocumentWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_document->isActive())
        runGuarded([this] { refreshBalances(); });
    QWidget::changeEvent(event);
}

bool DocumentWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The navigator is one stop of the Enter order: Enter on any of its buttons goes on past it.
    if (isEnter(event) && qobject_cast<QToolButton*>(watched) && m_afterNavigator) {
        m_afterNavigator->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
