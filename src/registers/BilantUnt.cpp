#include "registers/BilantUnt.h"

#include "core/BusyCursor.h"
#include "core/DbErrorText.h"
#include "core/ErrorGuard.h"
#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/ConnectionEvents.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "db/DateFormat.h"
#include "db/DbError.h"
#include "db/WorkingYear.h"
#include "registers/BalanceRowBreakdown.h"
#include "registers/BreakdownWindow.h"
#include "registers/CalculBilantUnt.h"
#include "registers/RepBilantUnt.h"
#include "registers/RepBilantV2Unt.h"
#include "widgets/DateEdit.h"
#include "widgets/FormRows.h"
#include "widgets/PeriodCheck.h"
#include "widgets/ProgressWindow.h"
#include "widgets/SingleInstance.h"
#include "widgets/TDBGridNormal.h"
#include "widgets/WindowSize.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

SingleInstance<TBilantFrm>& openWindow()
{
    static SingleInstance<TBilantFrm> window;
    return window;
}

const QString outOfDateText =
    QStringLiteral("S-au salvat documente dupa calculul executiei: executia se recalculeaza la revenirea in "
                   "fereastra (\"Recalc executie\").");

QString optionsFile()
{
    return programFolder() + ProgramOptions::fileName;
}

QPushButton* button(const QString& text, const QString& hint, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    QString name = text;
    b->setObjectName(name.remove(QLatin1Char('&')).remove(QLatin1Char('!')).remove(QLatin1Char(' ')));
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setAutoDefault(false);
    return b;
}

TDateEdit* dateInput(const QString& caption, QHBoxLayout* row, QWidget* parent)
{
    auto* input = new TDateEdit(parent);
    row->addWidget(makeCaptionLabel(caption, input, parent));
    row->addWidget(input);
    return input;
}

} // namespace

TBilantFrm::TBilantFrm(ProgramOptions& options, QWidget* owner)
    : QWidget(owner, Qt::Window), m_options(options)
{
    setObjectName(QStringLiteral("TBilantFrm"));
    setWindowTitle(caption);

    m_rows = new Dataset(QStringLiteral("Bilant"), this);
    m_rows->setDisplayFormat(QStringLiteral("Prevederi"), QStringLiteral("#,##0.00"));
    m_rows->setEditFormat(QStringLiteral("Prevederi"), QStringLiteral("0.00"));
    m_rows->setDisplayFormat(QStringLiteral("Executie"), QStringLiteral("#,##0.00"));
    // The rows are the nomenclature's: they are added and deleted there.
    m_rows->beforeInsert = [](Dataset&) { throw SilentAbort(); };
    m_rows->beforeDelete = [](Dataset&) {
        dialogs().warning(
            QStringLiteral("Randurile bilantului se adauga si se sterg din Nomenclatoare > Bilant!"));
        throw SilentAbort();
    };
    int workingYear = 0;
    try {
        m_rows->open();
        workingYear = workingYearOf(Connection::database());
    } catch (const DbError& e) {
        throw UserError(DbErrorText::forTable(QStringLiteral("bilant"), e.text()));
    }

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(heading, this);
    title->setAlignment(Qt::AlignCenter);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    m_outOfDate = new QLabel(outOfDateText, this);
    m_outOfDate->setObjectName(QStringLiteral("ExecutieVeche"));
    m_outOfDate->setWordWrap(true);
    m_outOfDate->setStyleSheet(QStringLiteral("color: darkred"));
    m_outOfDate->hide();
    layout->addWidget(m_outOfDate);

    auto* period = new QHBoxLayout;
    m_from = dateInput(QStringLiteral("DE LA :"), period, this);
    m_to = dateInput(QStringLiteral("PANA LA :"), period, this);
    m_from->setObjectName(QStringLiteral("DeLa"));
    m_to->setObjectName(QStringLiteral("PanaLa"));
    m_from->setDate(QDate(workingYear, 1, 1));
    m_to->setDate(QDate::currentDate());
    // Opened after the execution up to today was computed (showBalanceSheet).
    m_computedFrom = m_from->date();
    m_computedTo = m_to->date();
    m_computedInThousands = m_options.balanceInThousands;
    m_thousands = new QCheckBox(QStringLiteral("mii lei"), this);
    m_thousands->setObjectName(QStringLiteral("MiiLei"));
    m_options.balanceInThousands =
        ProgramOptions::readBalanceInThousands(optionsFile(), m_options.balanceInThousands);
    m_thousands->setChecked(m_options.balanceInThousands);
    connect(m_thousands, &QCheckBox::toggled, this, [this](bool on) { m_options.balanceInThousands = on; });
    period->addWidget(m_thousands);
    period->addStretch();
    layout->addLayout(period);

    auto* buttons = new QHBoxLayout;
    m_validate = makeValidateButton(this);
    m_recalc = button(QStringLiteral("&Recalc executie"), QStringLiteral("Recalculare executie "), this);
    m_list = button(QStringLiteral("&Listeaza!"), QStringLiteral("Printeaza bilant"), this);
    m_save = button(QStringLiteral("&Salveaza"), QString(), this);
    m_save->setEnabled(false);
    m_documents = button(QStringLiteral("&Documente"),
                         QStringLiteral("Documentele care fac executia randului (Ctrl+D)"), this);
    auto* documentsKey = new QAction(this);
    documentsKey->setObjectName(QStringLiteral("DocumenteTasta"));
    documentsKey->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    documentsKey->setShortcutContext(Qt::WindowShortcut);
    addAction(documentsKey);
    connect(documentsKey, &QAction::triggered, m_documents, &QPushButton::click);
    for (QPushButton* b : {m_validate, m_recalc, m_list, m_save, m_documents})
        buttons->addWidget(b);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_listMenu = new QMenu(this);
    const auto addPrint = [this](const QString& text, bool firstLayout, const QString& field) {
        m_listMenu->addAction(text, this, [this, firstLayout, field] { print(firstLayout, field); });
    };
    addPrint(QStringLiteral("Prevederi v1"), true, BalanceSheetReport::forecastField);
    addPrint(QStringLiteral("Executie v1"), true, BalanceSheetReport::executionField);
    addPrint(QStringLiteral("Prevederi v2"), false, BalanceSheetReport::forecastField);
    addPrint(QStringLiteral("Executie v2"), false, BalanceSheetReport::executionField);

    m_grid = new TDBGridNormal(this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setAccessibleName(caption);
    m_grid->setDeleteConfirmation(false);
    for (const char* field : {"Denumire", "Nr_rand", "Executie"})
        m_grid->setColumnReadOnly(QString::fromLatin1(field));
    m_grid->bind(m_rows, {QStringLiteral("Denumire"), QStringLiteral("Nr_rand"), QStringLiteral("Prevederi"),
                          QStringLiteral("Executie")});
    m_grid->datasetModel()->setColumnTitle(QStringLiteral("Nr_rand"), QStringLiteral("Nr rand"));
    m_grid->selectField(QStringLiteral("Prevederi"));
    // The row names (first column) take the width the figures leave, so that they are read whole.
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(m_grid, 1);

    connect(m_validate, &QPushButton::clicked, this, [this] { runGuarded([this] { validate(); }); });
    connect(m_recalc, &QPushButton::clicked, this, [this] { runGuarded([this] { recalculate(); }); });
    connect(m_documents, &QPushButton::clicked, this, [this] { runGuarded([this] { showDocuments(); }); });
    connect(m_list, &QPushButton::clicked, this,
            [this] { m_listMenu->popup(m_list->mapToGlobal(QPoint(0, m_list->height()))); });
    // Another year's database: its rows, from 1 January of its working year.
    connect(&DatabaseLocation::instance(), &DatabaseLocation::yearSwitched, this, [this] {
        runGuarded([this] {
            m_rows->open();
            m_from->setDate(QDate(workingYearOf(Connection::database()), 1, 1));
        });
    });
    // A row stored by another window (a document, a nomenclature row) can change the execution.
    connect(&ConnectionEvents::instance(), &ConnectionEvents::rowsStored, this,
            [this](const QString&, const QString&, const QObject* source) {
                if (source == m_rows)
                    return;
                m_outOfDate->show();
                m_recalcOnActivation = true;
            });
    resize(760, 560);
    keepWindowSize(this);
}

TBilantFrm::~TBilantFrm() = default;

TBilantFrm* TBilantFrm::instance()
{
    return openWindow().instance();
}

// Stores the forecast being typed. The grid hands its cell's typing to the
// record only while the record is being edited, and a button takes the focus
// from the grid only after its click has run: the record is put in edit here
// so that the typing is stored (an untouched record goes back to browsing).
bool TBilantFrm::storeTyping()
{
    if (!m_rows->isEmpty() && !m_rows->isEditing() && !m_rows->edit())
        return false;
    return m_rows->checkBrowseMode();
}

void TBilantFrm::recalculate()
{
    if (!m_from->acceptText() || !m_to->acceptText())
        return;
    const QDate from = m_from->date();
    const QDate to = m_to->date();
    if (!acceptPeriod(from, to) || !storeTyping())
        return;
    BusyCursor busy(true);
    ProgressWindow progress(this);
    try {
        CalculBilantPerioada(Connection::database(), from, to, m_options.balanceInThousands, progress);
    } catch (...) {
        m_rows->refresh();
        throw;
    }
    m_rows->refresh();
    m_outOfDate->hide();
    m_computedFrom = from;
    m_computedTo = to;
    m_computedInThousands = m_options.balanceInThousands;
}

void TBilantFrm::showDocuments()
{
    if (!storeTyping())
        return;
    if (m_rows->isEmpty()) {
        dialogs().information(QStringLiteral("Bilantul nu are randuri."));
        return;
    }
    if (m_outOfDate->isVisible())
        dialogs().information(outOfDateText);
    TDocumenteFrm::showBreakdown(BalanceRowBreakdown::ofRow(Connection::database(), m_rows->currentRowId(),
                                                            m_computedFrom, m_computedTo,
                                                            m_computedInThousands),
                                 this);
}

void TBilantFrm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !m_recalcOnActivation)
        return;
    // Once per change: a refused period is said once, not at each activation after its message.
    m_recalcOnActivation = false;
    QMetaObject::invokeMethod(
        this, [this] { runGuarded([this] { recalculate(); }); }, Qt::QueuedConnection);
}

void TBilantFrm::validate()
{
    if (!storeTyping())
        return;
    m_options.balanceInThousands = m_thousands->isChecked();
    m_options.writeBalanceInThousands(optionsFile());
    m_validated = true;
    close();
}

void TBilantFrm::print(bool firstLayout, const QString& amountField)
{
    // What is typed in the grid is printed too.
    if (!storeTyping() || !m_from->acceptText() || !m_to->acceptText())
        return;
    const BalanceSheetReport::Period period{DateFormat::toShortText(m_from->date()),
                                            DateFormat::toShortText(m_to->date())};
    ReportFrame::run(this, BalanceSheetReport::defaults, [&]() -> std::unique_ptr<Report> {
        const QSqlDatabase db = Connection::database();
        if (!firstLayout)
            return TRepBilantV2Frm::build(db, period, amountField);
        return TRepBilantFrm::build(db, period, amountField,
                                    [] { return dialogs().question(TRepBilantFrm::separatePageQuestion); });
    });
}

void TBilantFrm::closeEvent(QCloseEvent* event)
{
    // Closed without "&Valideaza": a forecast being typed is dropped.
    if (!m_validated && m_rows->isEditing())
        m_rows->cancel();
    m_rows->close();
    QWidget::closeEvent(event);
}

void showBalanceSheet(ProgramOptions& options, QWidget* owner)
{
    BusyCursor busy(true);
    options.balanceInThousands =
        ProgramOptions::readBalanceInThousands(optionsFile(), options.balanceInThousands);
    // An open window keeps the figures it shows (perhaps of a period); it only follows the option.
    if (TBilantFrm* open = TBilantFrm::instance()) {
        open->thousandsBox()->setChecked(options.balanceInThousands);
        bringToFront(open);
        return;
    }
    {
        ProgressWindow progress(owner);
        CalculBilant(Connection::database(), QDate::currentDate(), options.balanceInThousands, progress);
    }
    busy.release();
    openWindow().show([&] { return new TBilantFrm(options, owner); });
}
