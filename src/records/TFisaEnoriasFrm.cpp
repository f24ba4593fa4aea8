#include "records/TFisaEnoriasFrm.h"

#include "catalogues/CatalogBrowser.h"
#include "catalogues/CodeInUse.h"
#include "contributions/ContributionListLayout.h"
#include "contributions/ContributionSheet.h"
#include "core/BusyCursor.h"
#include "core/DbErrorText.h"
#include "core/ErrorGuard.h"
#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "db/TableIndexes.h"
#include "printing/ReportFrame.h"
#include "records/FamilyKeys.h"
#include "records/FamilyMemberCheck.h"
#include "records/FamilySheetPages.h"
#include "records/PersonalDataCommands.h"
#include "records/RecordReports.h"
#include "widgets/DBNavigator.h"
#include "widgets/FormRows.h"
#include "widgets/SingleInstance.h"
#include "widgets/GridColumnWidths.h"
#include "widgets/TDBGridNormal.h"
#include "widgets/WindowSize.h"

#include <QComboBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

namespace
{

const QString familyCodeField = QStringLiteral("Cod_enorias");
const QString parishionerNameField = QStringLiteral("Nume_prenume");

// The choices of "Ordonare dupa :": the index each one switches to, and the field the search looks in.
struct Order {
    QString caption;
    QString indexFields;
    QString searchField;
};

const QList<Order>& orders()
{
    static const QList<Order> list{
        {QStringLiteral("Cod"), QStringLiteral("Cod_enorias;Nume_prenume;Strada;Nr"), familyCodeField},
        {QStringLiteral("Nume_prenume"), QStringLiteral("Nume_prenume;Strada;Nr;Cod_enorias"), parishionerNameField},
        {QStringLiteral("Strada"), QStringLiteral("Strada;Nr;Nume_prenume;Cod_enorias"),
         QStringLiteral("Strada")},
        {QStringLiteral("Numar"), QStringLiteral("Nr;Strada;Nume_prenume;Cod_enorias"), QStringLiteral("Nr")},
    };
    return list;
}

// Whether the database file holds an index of the table over exactly these fields.
bool indexInFile(const QString& table, const QString& fields)
{
    const QSqlDatabase db = Connection::database();
    const std::optional<IndexDef> index =
        TableIndexes::findByFields(db, table, fields.split(QLatin1Char(';')));
    return index &&
           Sql::scalar(
               db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = :n"),
               {{QStringLiteral(":n"), TableDefinitions::sqlIndexName(table, index->name)}})
                   .toInt() > 0;
}

TDBGridNormal* gridFor(const FamilySheetPage& page, Dataset* table, QWidget* parent)
{
    auto* grid = new TDBGridNormal(parent);
    grid->setObjectName(page.table + QStringLiteral("Grid"));
    grid->setAccessibleName(accessibleNameFor(page.caption));
    bindColumns(grid, table, page.columns);
    return grid;
}

} // namespace

TFisaEnoriasFrm* TFisaEnoriasFrm::open(QWidget* parent)
{
    static SingleInstance<TFisaEnoriasFrm> window;
    if (TFisaEnoriasFrm* shown = window.instance()) {
        bringToFront(shown);
        return shown;
    }
    std::unique_ptr<TFisaEnoriasFrm> made;
    try {
        made = std::make_unique<TFisaEnoriasFrm>(parent);
    } catch (const DbError& error) {
        dialogs().error(DbErrorText::forDatabase(error.text()));
        return nullptr;
    }
    return window.show([&] { return made.release(); });
}

TFisaEnoriasFrm::TFisaEnoriasFrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFisaEnoriasFrm"));
    setWindowTitle(QStringLiteral("Date referitoare la enoriasi"));
    setWindowModality(Qt::ApplicationModal);

    FamilyKeys::widenFamilyKeys(Connection::database());
    m_tables << new Dataset(FamilySheetPages::parishioners().table, this);
    for (const FamilySheetPage& page : FamilySheetPages::records())
        m_tables << new Dataset(page.table, this);
    openTables();

    m_pages = new QTabWidget(this);
    m_pages->addTab(buildCatalogPage(), FamilySheetPages::parishioners().caption);
    for (int page = Members; page <= Activities; ++page)
        m_pages->addTab(buildRecordPage(Page(page)), FamilySheetPages::records().at(page - Members).caption);
    m_pages->setCurrentIndex(Catalog);

    m_validateButton = new QPushButton(QStringLiteral("&Valideaza"), this);
    m_validateButton->setObjectName(QStringLiteral("ValideazaBtn"));
    m_validateButton->setToolTip(QStringLiteral("Validare date introduse"));
    m_validateButton->setAutoDefault(false);
    m_printButton = new QPushButton(QStringLiteral("&Listeaza!"), this);
    m_printButton->setObjectName(QStringLiteral("ListeazaBtn"));
    m_printButton->setToolTip(QStringLiteral("Printeaza "));
    m_printButton->setAutoDefault(false);
    buildPrintMenu();
    m_personalDataButton = new QPushButton(PersonalDataCommands::exportCaption, this);
    m_personalDataButton->setObjectName(QStringLiteral("DatePersonaleBtn"));
    m_personalDataButton->setToolTip(QStringLiteral("Salveaza tot ce este inregistrat despre familia curenta"));
    m_personalDataButton->setAutoDefault(false);
    m_anonymiseButton = new QPushButton(PersonalDataCommands::anonymiseCaption, this);
    m_anonymiseButton->setObjectName(QStringLiteral("AnonimizareBtn"));
    m_anonymiseButton->setToolTip(QStringLiteral("Inlocuieste numele, adresa si observatiile familiei curente cu un cod"));
    m_anonymiseButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_personalDataButton);
    buttons->addWidget(m_anonymiseButton);
    buttons->addStretch();
    buttons->addWidget(m_printButton);
    buttons->addWidget(m_validateButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    sizeWindow();

    connect(m_validateButton, &QPushButton::clicked, this, &TFisaEnoriasFrm::validate);
    connect(m_personalDataButton, &QPushButton::clicked, this, [this] { runGuarded([this] { exportPersonalData(); }); });
    connect(m_anonymiseButton, &QPushButton::clicked, this, [this] { runGuarded([this] { anonymise(); }); });
    connect(m_printButton, &QPushButton::clicked, this,
            [this] { m_printMenu->popup(m_printButton->mapToGlobal(QPoint(0, m_printButton->height()))); });
    Dataset* parishioners = m_tables.at(Catalog);
    connect(parishioners, &Dataset::currentRowChanged, this, &TFisaEnoriasFrm::showHeaders);
    connect(parishioners, &Dataset::rowsReset, this, &TFisaEnoriasFrm::showHeaders);
    connect(parishioners, &Dataset::rowDataChanged, this, &TFisaEnoriasFrm::showHeaders);
    showHeaders();
}

TFisaEnoriasFrm::~TFisaEnoriasFrm() = default;

TDBNavigator* TFisaEnoriasFrm::navigator() const
{
    return m_browser->navigator();
}

QComboBox* TFisaEnoriasFrm::orderList() const
{
    return m_browser->orderList();
}

QLineEdit* TFisaEnoriasFrm::searchEdit() const
{
    return m_browser->searchEdit();
}

void TFisaEnoriasFrm::sizeWindow()
{
    // Every page's grid shows its names and explanations whole, as far as the
    // screen allows; the pages share the room around their grids.
    resize(900, 520);
    int widest = 0;
    for (TDBGridNormal* grid : std::as_const(m_grids)) {
        widest = std::max(widest, sizeColumnsToContents(grid));
        grid->horizontalHeader()->setStretchLastSection(true);
    }
    widenForGrids(this, {m_grids.first()}, {widest});
    keepWindowSize(this);
}

void TFisaEnoriasFrm::openTables()
{
    Dataset* parishioners = m_tables.at(Catalog);
    parishioners->onNewRecord = [](Dataset& row) {
        row.setValue(QStringLiteral("Tip_contributie"), QStringLiteral("Intreaga"));
    };
    // Every record links to its family by the code alone.
    parishioners->beforePost = [](Dataset& row) { refuseCodeInUse(row, familyCodeField, parishionerNameField); };
    parishioners->open();
    parishioners->setIndexFieldNames(orders().first().indexFields);

    // A record belongs to a stored parishioner: one being typed is stored first.
    const auto parishionerFirst = [parishioners](Dataset&) {
        if (parishioners->isEmpty() && !parishioners->isEditing()) {
            dialogs().warning(QStringLiteral("Adaugati intai enoriasul, apoi datele familiei lui."));
            throw SilentAbort();
        }
        if (parishioners->isEditing() && !parishioners->post())
            throw SilentAbort();
    };
    for (int page = Members; page <= Activities; ++page) {
        Dataset* records = m_tables.at(page);
        records->setMaster(parishioners, familyCodeField, familyCodeField);
        records->setStoredBeforeMasterMoves(true);
        records->beforeInsert = parishionerFirst;
        records->beforeEdit = parishionerFirst;
        records->open();
    }
    m_tables.at(Members)->beforePost = [](Dataset& member) { checkFamilyMember(member); };
}

QWidget* TFisaEnoriasFrm::buildCatalogPage()
{
    auto* page = new QWidget(this);
    QStringList captions;
    for (const Order& order : orders())
        captions << order.caption;
    m_browser = new CatalogBrowser({.orderCaption = QStringLiteral("Ordonare dupa :"),
                                    .orderListName = QStringLiteral("OrdonareComboBox"),
                                    .orders = captions,
                                    .searchCaption = QStringLiteral("Cautare :"),
                                    .searchName = QStringLiteral("CautareEdit"),
                                    .navigatorButtons = TDBNavigator::First | TDBNavigator::Prior |
                                                        TDBNavigator::Next | TDBNavigator::Last |
                                                        TDBNavigator::Insert | TDBNavigator::Refresh},
                                   m_tables.at(Catalog), [this](int item) { return applyOrder(item); },
                                   [this](const QString& text) { search(text); }, page);
    m_grids << gridFor(FamilySheetPages::parishioners(), m_tables.at(Catalog), page);
    m_browser->setGrid(m_grids.last());
    return page;
}

QWidget* TFisaEnoriasFrm::buildRecordPage(Page which)
{
    auto* page = new QWidget(this);
    auto* header = new QLabel(page);
    header->setObjectName(QStringLiteral("HeaderLabel"));
    m_headers << header;
    m_grids << gridFor(FamilySheetPages::records().at(which - Members), m_tables.at(which), page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(header);
    layout->addWidget(m_grids.last(), 1);
    return page;
}

void TFisaEnoriasFrm::showHeaders()
{
    const Dataset* parishioners = m_tables.at(Catalog);
    const bool any = parishioners->isActive() && !parishioners->isEmpty();
    const auto field = [&](const char* name) {
        return any ? parishioners->asString(QString::fromLatin1(name)) : QString();
    };
    const QString text = QStringLiteral("Enorias : %1     Strada : %2     Nr : %3")
                             .arg(field("Nume_prenume"), field("Strada"), field("Nr"));
    for (QLabel* header : m_headers)
        header->setText(text);
}

bool TFisaEnoriasFrm::applyOrder(int item)
{
    const BusyCursor busy(true);
    const QString fields = orders().at(item).indexFields;
    // Only an index the file holds gives an order; without it the list stays as it is.
    const bool known = indexInFile(m_tables.at(Catalog)->tableName(), fields);
    return known && m_tables.at(Catalog)->setIndexFieldNames(fields);
}

void TFisaEnoriasFrm::search(const QString& text)
{
    // The first row of the order whose field starts with the text.
    m_browser->goToRowStartingWith(orders().at(m_browser->appliedOrder()).searchField, text);
}

void TFisaEnoriasFrm::buildPrintMenu()
{
    m_printMenu = new QMenu(this);
    m_printMenu->setObjectName(QStringLiteral("ListeazaMenu"));
    const auto forCurrent = [this](void (*print)(QWidget*, const QString&)) {
        return [this, print] {
            const QString code = currentCode();
            if (!code.isEmpty())
                print(this, code);
        };
    };
    connect(m_printMenu->addAction(QStringLiteral("Fisa de evidenta")), &QAction::triggered, this,
            [run = forCurrent(printRecordCard)] { runGuarded(run); });
    connect(m_printMenu->addAction(QStringLiteral("Toate fisele de evidenta")), &QAction::triggered, this,
            [this] { runGuarded([this] { printRecordCard(this, QString()); }); });
    m_printMenu->addSeparator();
    connect(m_printMenu->addAction(QStringLiteral("Foaia familiala")), &QAction::triggered, this,
            [run = forCurrent(printFamilySheet)] { runGuarded(run); });
    connect(m_printMenu->addAction(QStringLiteral("Toate foile familiale")), &QAction::triggered, this,
            [this] { runGuarded([this] { printFamilySheet(this, QString()); }); });
    m_printMenu->addSeparator();
    connect(m_printMenu->addAction(QStringLiteral("Situatia contributiei")), &QAction::triggered, this,
            [this] {
                runGuarded([this] {
                    const QString code = currentCode();
                    if (code.isEmpty())
                        return;
                    ReportFrame::run(this, {8, QPageLayout::Portrait}, [&] {
                        return ContributionSheet::build(Connection::database(), code,
                                                        ContributionListLayout::compoundNamesOption());
                    });
                });
            });
}

QString TFisaEnoriasFrm::currentCode() const
{
    const Dataset* parishioners = m_tables.at(Catalog);
    const QString code = parishioners->isEmpty() ? QString() : parishioners->asString(familyCodeField).trimmed();
    if (code.isEmpty())
        dialogs().warning(QStringLiteral("Alegeti intai un enorias din lista."));
    return code;
}

void TFisaEnoriasFrm::validate()
{
    // The parishioner first, so that the records typed under a new one find it stored.
    for (const Page page : {Catalog, Members, Marriages, Baptisms, Burials, Activities}) {
        Dataset* table = m_tables.at(page);
        const bool stored = runGuarded([table] {
            if (table->isActive() && !table->checkBrowseMode())
                throw SilentAbort();
        });
        if (!stored) {
            // Storing the parishioner stores his records first: a refused
            // record is shown on its own page.
            Page shown = page;
            for (int records = Members; page == Catalog && records <= Activities; ++records)
                if (m_tables.at(records)->isEditing()) {
                    shown = Page(records);
                    break;
                }
            m_pages->setCurrentIndex(shown);
            m_grids.at(shown)->setFocus();
            return;
        }
    }
    accept();
}

bool TFisaEnoriasFrm::storeEdits()
{
    for (Dataset* table : std::as_const(m_tables))
        if (table->isActive() && !table->checkBrowseMode())
            return false;
    return true;
}

void TFisaEnoriasFrm::exportPersonalData()
{
    if (!storeEdits())
        return;
    if (const QString code = currentCode(); !code.isEmpty())
        PersonalDataCommands::exportData(code);
}

void TFisaEnoriasFrm::anonymise()
{
    if (!storeEdits())
        return;
    const QString code = currentCode();
    if (code.isEmpty() || !PersonalDataCommands::anonymise(code))
        return;
    for (Dataset* table : std::as_const(m_tables))
        table->refresh();
}

void TFisaEnoriasFrm::discardEdits()
{
    // The records before their parishioner: cancelling a new parishioner re-reads his records.
    for (int page = Activities; page >= Catalog; --page) {
        Dataset* table = m_tables.at(page);
        if (table->isActive() && table->isEditing())
            runGuarded([table] { table->cancel(); });
    }
}

void TFisaEnoriasFrm::done(int result)
{
    // Closed without "&Valideaza": what is still being edited is dropped.
    if (result != Accepted)
        discardEdits();
    QDialog::done(result);
}

void TFisaEnoriasFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        m_browser->searchEdit()->setFocus();
}

void TFisaEnoriasFrm::keyPressEvent(QKeyEvent* event)
{
    // Escape undoes typing in the grids; a window without a cancel button does not close on it.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
