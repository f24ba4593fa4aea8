#include "insight/SearchWindow.h"

#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"
#include "core/UserError.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DateFormat.h"
#include "db/DbError.h"
#include "db/FieldFormat.h"
#include "db/TypedNumber.h"
#include "db/WorkingYear.h"
#include "insight/FoundDocumentOpener.h"
#include "insight/FoundDocumentsCsv.h"
#include "insight/FoundDocumentsModel.h"
#include "registers/BalanceRowBreakdown.h"
#include "registers/BreakdownWindow.h"
#include "widgets/FormRows.h"
#include "widgets/WindowSize.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace
{

struct KindChoice {
    const char* caption;
    QSet<DocumentKind> kinds;
};

const QList<KindChoice>& kindChoices()
{
    static const QList<KindChoice> choices = {
        {"Toate", {}},
        {"Incasari", {DocumentKind::Income}},
        {"Plati", {DocumentKind::Payment}},
        {"Depuneri", {DocumentKind::Deposit}},
        {"Ridicari", {DocumentKind::Withdrawal}},
        {"Ordonantari salarii", {DocumentKind::SalaryOrder}},
    };
    return choices;
}

// An empty box asks nothing; a box that is not a date says so.
bool readSearchDate(const QLineEdit* box, const QString& caption, std::optional<QDate>& date,
                    QString* problem)
{
    const QString text = box->text().trimmed();
    if (text.isEmpty())
        return true;
    const QDate d = DateFormat::fromShortText(text);
    if (!d.isValid()) {
        *problem = QStringLiteral("%1 \"%2\" nu este o data (%3).")
                       .arg(caption, text, DateFormat::shortFormat().toUpper());
        return false;
    }
    date = d;
    return true;
}

bool readSearchAmount(const QLineEdit* box, const QString& caption, std::optional<double>& amount,
                      QString* problem)
{
    const QString text = box->text().trimmed();
    if (text.isEmpty())
        return true;
    const std::optional<double> value = TypedNumber::read(text);
    if (!value) {
        *problem = QStringLiteral("%1 \"%2\" nu este o suma.").arg(caption, text);
        return false;
    }
    amount = value;
    return true;
}

QLineEdit* searchBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setClearButtonEnabled(true);
    return box;
}

} // namespace

TCautareFrm::TCautareFrm(QWidget* owner) : QWidget(owner, Qt::Window), m_owner(owner)
{
    setObjectName(QStringLiteral("TCautareFrm"));
    setWindowTitle(QStringLiteral("Cautare documente"));
    setAccessibleName(windowTitle());

    m_text = searchBox(this, QStringLiteral("Text"));
    m_text->setPlaceholderText(QStringLiteral("nume, explicatie, beneficiar, tip"));
    m_from = searchBox(this, QStringLiteral("DeLaData"));
    m_to = searchBox(this, QStringLiteral("PanaLaData"));
    m_minAmount = searchBox(this, QStringLiteral("SumaMinima"));
    m_maxAmount = searchBox(this, QStringLiteral("SumaMaxima"));
    m_account = new QComboBox(this);
    m_account->setObjectName(QStringLiteral("Cont"));
    m_account->addItems({QStringLiteral("Ambele"), QStringLiteral("Casa"), QStringLiteral("Banca")});
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("Felul"));
    for (const KindChoice& choice : kindChoices())
        m_kind->addItem(QString::fromLatin1(choice.caption));
    m_typeCode = searchBox(this, QStringLiteral("CodTip"));
    m_closedYears = new QCheckBox(QStringLiteral("Si anii &inchisi"), this);
    m_closedYears->setObjectName(QStringLiteral("AniiInchisi"));

    auto* form = new QFormLayout;
    addLabeledRow(form, QStringLiteral("&Cauta:"), m_text);
    auto* period = new QHBoxLayout;
    period->addWidget(makeCaptionLabel(QStringLiteral("&De la data:"), m_from, this));
    period->addWidget(m_from);
    period->addWidget(makeCaptionLabel(QStringLiteral("&Pana la data:"), m_to, this));
    period->addWidget(m_to);
    form->addRow(period);
    auto* amounts = new QHBoxLayout;
    amounts->addWidget(makeCaptionLabel(QStringLiteral("&Suma de la:"), m_minAmount, this));
    amounts->addWidget(m_minAmount);
    amounts->addWidget(makeCaptionLabel(QStringLiteral("p&ana la:"), m_maxAmount, this));
    amounts->addWidget(m_maxAmount);
    form->addRow(amounts);
    auto* filters = new QHBoxLayout;
    filters->addWidget(makeCaptionLabel(QStringLiteral("C&ont:"), m_account, this));
    filters->addWidget(m_account);
    filters->addWidget(makeCaptionLabel(QStringLiteral("&Felul:"), m_kind, this));
    filters->addWidget(m_kind);
    filters->addWidget(makeCaptionLabel(QStringLiteral("Cod &tip:"), m_typeCode, this));
    filters->addWidget(m_typeCode);
    filters->addWidget(m_closedYears);
    form->addRow(filters);

    m_model = new FoundDocumentsModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("Rezultate"));
    m_grid->setAccessibleName(QStringLiteral("Documente gasite"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->horizontalHeader()->setSectionResizeMode(FoundDocumentsModel::Explanation, QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(FoundDocumentsModel::Name,
                                                     QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setSectionResizeMode(FoundDocumentsModel::Type,
                                                     QHeaderView::ResizeToContents);
    m_grid->setColumnHidden(FoundDocumentsModel::Year, true);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Rezumat"));
    m_csv = new QPushButton(QStringLiteral("Salveaza CS&V"), this);
    m_csv->setObjectName(QStringLiteral("SalveazaCsv"));
    m_open = new QPushButton(QStringLiteral("D&eschide"), this);
    m_open->setObjectName(QStringLiteral("Deschide"));
    m_typeDocuments = new QPushButton(QStringLiteral("Documentele tip&ului"), this);
    m_typeDocuments->setObjectName(QStringLiteral("DocumenteleTipului"));
    auto* close = new QPushButton(QStringLiteral("Inc&hide"), this);
    close->setObjectName(QStringLiteral("Inchide"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_summary, 1);
    buttons->addWidget(m_typeDocuments);
    buttons->addWidget(m_open);
    buttons->addWidget(m_csv);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(900, 560);
    keepWindowSize(this);

    // Every change shows the first documents at once; the whole ordered list,
    // its count and total follow as soon as the typing pauses.
    m_wholeSearch = new QTimer(this);
    m_wholeSearch->setSingleShot(true);
    m_wholeSearch->setInterval(150);
    connect(m_wholeSearch, &QTimer::timeout, this, [this] { runGuarded([this] { search(true); }); });
    for (QLineEdit* box : {m_text, m_from, m_to, m_minAmount, m_maxAmount, m_typeCode})
        connect(box, &QLineEdit::textChanged, this, &TCautareFrm::changed);
    connect(m_account, &QComboBox::currentIndexChanged, this, &TCautareFrm::changed);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &TCautareFrm::changed);
    connect(m_closedYears, &QCheckBox::toggled, this, [this](bool on) {
        m_grid->setColumnHidden(FoundDocumentsModel::Year, !on);
        changed();
    });
    // Enter in a box goes to the documents found; Enter there opens one.
    for (QLineEdit* box : {m_text, m_from, m_to, m_minAmount, m_maxAmount, m_typeCode})
        connect(box, &QLineEdit::returnPressed, this, [this] {
            searchNow();
            if (m_model->rowCount() > 0) {
                m_grid->setFocus();
                m_grid->selectRow(0);
            }
        });
    connect(m_grid, &QTableView::activated, this, [this] { runGuarded([this] { openCurrent(); }); });
    connect(m_open, &QPushButton::clicked, this, [this] { runGuarded([this] { openCurrent(); }); });
    connect(m_csv, &QPushButton::clicked, this, [this] { runGuarded([this] { saveCsv(); }); });
    connect(m_typeDocuments, &QPushButton::clicked, this,
            [this] { runGuarded([this] { showTypeDocuments(); }); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Another year open, a restore or a year-end closing: the years' files are opened afresh.
    connect(&DatabaseLocation::instance(), &DatabaseLocation::yearSwitched, this, [this] {
        m_years.close();
        changed();
    });
    runGuarded([this] { search(true); });
}

TCautareFrm::~TCautareFrm() = default;

std::optional<SearchCriteria> TCautareFrm::criteria(QString* problem) const
{
    SearchCriteria c;
    c.text = m_text->text();
    if (!readSearchDate(m_from, QStringLiteral("Data de inceput"), c.from, problem) ||
        !readSearchDate(m_to, QStringLiteral("Data de sfarsit"), c.to, problem) ||
        !readSearchAmount(m_minAmount, QStringLiteral("Suma minima"), c.minAmount, problem) ||
        !readSearchAmount(m_maxAmount, QStringLiteral("Suma maxima"), c.maxAmount, problem))
        return std::nullopt;
    // A single amount is looked for exactly.
    if (c.minAmount && !c.maxAmount && m_maxAmount->text().trimmed().isEmpty())
        c.maxAmount = c.minAmount;
    if (c.from && c.to && *c.from > *c.to) {
        *problem = QStringLiteral("Data de inceput este dupa data de sfarsit.");
        return std::nullopt;
    }
    if (!m_typeCode->text().trimmed().isEmpty()) {
        bool ok = false;
        const int code = m_typeCode->text().trimmed().toInt(&ok);
        if (!ok) {
            *problem = QStringLiteral("Codul tipului \"%1\" nu este un numar intreg.")
                           .arg(m_typeCode->text().trimmed());
            return std::nullopt;
        }
        c.typeCode = code;
    }
    if (m_account->currentIndex() > 0)
        c.account = m_account->currentText();
    c.kinds = kindChoices().value(m_kind->currentIndex()).kinds;
    return c;
}

void TCautareFrm::changed()
{
    runGuarded([this] { search(false); });
    m_wholeSearch->start();
}

void TCautareFrm::searchNow()
{
    m_wholeSearch->stop();
    runGuarded([this] { search(true); });
}

void TCautareFrm::search(bool whole)
{
    QString problem;
    std::optional<SearchCriteria> c = criteria(&problem);
    if (!c) {
        m_wholeSearch->stop();
        m_model->setDocuments({});
        m_summary->setStyleSheet(QStringLiteral("color: darkred"));
        m_summary->setText(problem);
        m_csv->setEnabled(false);
        m_open->setEnabled(false);
        return;
    }
    if (!whole)
        c->limit = firstResults;
    m_model->setDocuments(m_years.search(*c, m_closedYears->isChecked()));
    showSummary(whole);
}

void TCautareFrm::showSummary(bool whole)
{
    m_summary->setStyleSheet(QString());
    const int count = m_model->rowCount();
    m_open->setEnabled(count > 0);
    m_csv->setEnabled(whole && count > 0);
    if (!whole) {
        m_summary->setText(QStringLiteral("Se cauta... (primele %1 documente)").arg(count));
        return;
    }
    if (count == 0) {
        m_summary->setText(QStringLiteral("Nu s-a gasit niciun document."));
        return;
    }
    m_summary->setText(QStringLiteral("%1 %2, total %3 lei")
                           .arg(count)
                           .arg(count == 1 ? QStringLiteral("document") : QStringLiteral("documente"),
                                FieldFormat::formatNumber(m_model->total(), QStringLiteral("#,##0.00"))));
}

void TCautareFrm::openCurrent()
{
    const QModelIndex index = m_grid->currentIndex();
    if (!index.isValid()) {
        dialogs().information(QStringLiteral("Alegeti intai un document din lista."));
        return;
    }
    const FoundDocument document = m_model->documents().value(index.row());
    openFoundDocument(document, m_owner);
}

void TCautareFrm::saveCsv()
{
    if (m_wholeSearch->isActive())
        searchNow();
    const QString file = dialogs().saveFileName(QStringLiteral("Salveaza documentele gasite"),
                                                QStringLiteral("Fisiere CSV (*.csv)"), QString());
    if (file.isEmpty())
        return;
    foundDocumentsCsv(m_model->documents()).write(file);
    dialogs().information(QStringLiteral("Lista a fost salvata in %1.").arg(QDir::toNativeSeparators(file)));
}

void TCautareFrm::showTypeDocuments()
{
    QString problem;
    const std::optional<SearchCriteria> c = criteria(&problem);
    if (!c) {
        dialogs().warning(problem);
        return;
    }
    const bool income = c->kinds == QSet<DocumentKind>{DocumentKind::Income};
    const bool expense = c->kinds == QSet<DocumentKind>{DocumentKind::Payment} ||
                         c->kinds == QSet<DocumentKind>{DocumentKind::SalaryOrder};
    if (!c->typeCode || (!income && !expense)) {
        dialogs().warning(
            QStringLiteral("Scrieti codul tipului si alegeti felul: Incasari pentru un venit, Plati "
                           "sau Ordonantari salarii pentru o cheltuiala."));
        return;
    }
    const QSqlDatabase db = Connection::database();
    const int year = workingYearOf(db);
    TDocumenteFrm::showBreakdown(BalanceRowBreakdown::ofType(db, *c->typeCode, income,
                                                             c->from.value_or(QDate(year, 1, 1)),
                                                             c->to.value_or(QDate(year, 12, 31))),
                                 this);
}
