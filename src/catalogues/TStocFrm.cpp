#include "catalogues/TStocFrm.h"

#include "widgets/GridColumnWidths.h"
#include "widgets/WindowSize.h"

#include "catalogues/RowNumberDelegate.h"
#include "core/DbErrorText.h"
#include "core/ErrorGuard.h"
#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "db/DbError.h"
#include "widgets/DBNavigator.h"
#include "widgets/SingleInstance.h"
#include "widgets/TDBGridNormal.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace
{

const QString tableName = QStringLiteral("Stoc");
const QString numberField = QStringLiteral("NrCrt");
const QString nameField = QStringLiteral("Denumire");

// The grid's columns in their order, with their captions and the characters
// each is made wide enough for. The row identity is not shown.
struct StockColumn {
    QString field;
    QString caption;
    int characters;
};

const QList<StockColumn>& columns()
{
    static const QList<StockColumn> list{
        {numberField, QStringLiteral("NrCrt"), 5},
        {QStringLiteral("Denumire"), QStringLiteral("Denumire"), 26},
        {QStringLiteral("Descriere"), QStringLiteral("Descriere"), 22},
        {QStringLiteral("Cantitate"), QStringLiteral("Cantitate"), 10},
        {QStringLiteral("UM"), QStringLiteral("U.M."), 6},
        {QStringLiteral("Pret"), QStringLiteral("Pret"), 12},
        {QStringLiteral("DataIn"), QStringLiteral("Data intrarii"), 10},
        {QStringLiteral("DataOut"), QStringLiteral("Data iesirii"), 10},
    };
    return list;
}

QString captionOf(const QString& field)
{
    for (const StockColumn& column : columns())
        if (column.field == field)
            return column.caption;
    return field;
}

// A row is not stored without these.
const QStringList requiredFields{QStringLiteral("Denumire"), QStringLiteral("Cantitate"),
                                 QStringLiteral("Pret")};

} // namespace

TStocFrm* TStocFrm::open(QWidget* parent, PrintCommand printList)
{
    static SingleInstance<TStocFrm> window;
    if (TStocFrm* shown = window.instance()) {
        bringToFront(shown);
        return shown;
    }
    std::unique_ptr<TStocFrm> made;
    try {
        made = std::make_unique<TStocFrm>(std::move(printList), parent);
    } catch (const DbError& error) {
        dialogs().error(DbErrorText::forTable(QStringLiteral("stocuri"), error.text()));
        return nullptr;
    }
    return window.show([&] { return made.release(); });
}

TStocFrm::TStocFrm(PrintCommand printList, QWidget* parent) : QDialog(parent), m_print(std::move(printList))
{
    setObjectName(QStringLiteral("TStocFrm"));
    setWindowTitle(QStringLiteral("Stocuri"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::ApplicationModal);
    openStock();
    buildControls();
}

TStocFrm::~TStocFrm() = default;

void TStocFrm::openStock()
{
    m_stock = new Dataset(tableName, this);
    m_stock->addCalculatedField(numberField, FieldType::Integer);
    m_stock->setDisplayFormat(QStringLiteral("Pret"), QStringLiteral("#,##0.00"));
    m_stock->setEditFormat(QStringLiteral("Pret"), QStringLiteral("0.00"));
    m_stock->beforePost = [this](Dataset& row) { checkComplete(row); };
    m_stock->onNewRecord = [this](Dataset&) {
        // The grid settles on its column after the new row is made: the name is typed first.
        QMetaObject::invokeMethod(
            m_grid, [grid = m_grid] { grid->selectField(nameField); }, Qt::QueuedConnection);
    };
    m_stock->open();
    m_stock->setIndexName(QStringLiteral("Den"));
    m_stock->first();
}

void TStocFrm::buildControls()
{
    m_heading = new QLabel(QStringLiteral("LISTA STOCURILOR LA PAROHIE"), this);
    m_heading->setObjectName(QStringLiteral("HeadingLabel"));
    m_heading->setAlignment(Qt::AlignCenter);
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    m_heading->setFont(headingFont);

    m_navigator = new TDBNavigator(this);
    m_navigator->setObjectName(QStringLiteral("DBNavigator"));
    m_navigator->bind(m_stock);
    m_navigator->setButtons(TDBNavigator::First | TDBNavigator::Prior | TDBNavigator::Next |
                            TDBNavigator::Last | TDBNavigator::Insert | TDBNavigator::Delete |
                            TDBNavigator::Refresh);
    m_navigator->setHints(TDBNavigator::Hints::Records);
    for (QToolButton* button : m_navigator->shownButtons())
        button->setAutoRaise(true); // a flat bar of buttons

    m_grid = new TDBGridNormal(this);
    m_grid->setObjectName(QStringLiteral("StocGrid"));
    m_grid->setAccessibleName(windowTitle());
    QStringList fields;
    for (const StockColumn& column : columns())
        fields << column.field;
    m_grid->bind(m_stock, fields);
    for (const StockColumn& column : columns())
        m_grid->datasetModel()->setColumnTitle(column.field, column.caption);
    m_grid->setItemDelegateForColumn(0, new RowNumberDelegate(m_grid));

    m_printButton = new QPushButton(QStringLiteral("&Listeaza!"), this);
    m_printButton->setObjectName(QStringLiteral("ListeazaBtn"));
    m_printButton->setToolTip(QStringLiteral("Printeaza "));
    m_printButton->setStatusTip(m_printButton->toolTip());
    m_printButton->setAccessibleName(QStringLiteral("Listeaza"));
    m_printButton->setAutoDefault(false);
    m_validateButton = new QPushButton(QStringLiteral("&Valideaza"), this);
    m_validateButton->setObjectName(QStringLiteral("ValideazaBtn"));
    m_validateButton->setToolTip(QStringLiteral("Validare date introduse"));
    m_validateButton->setStatusTip(m_validateButton->toolTip());
    m_validateButton->setAccessibleName(QStringLiteral("Valideaza"));
    m_validateButton->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(m_navigator);
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_printButton);
    buttons->addWidget(m_validateButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    const QMargins margins = layout->contentsMargins();
    const int width =
        sizeColumnsToCharacters(m_grid, [](int column) { return columns()[column].characters; }) +
        margins.left() + margins.right();
    const QScreen* screen = this->screen();
    const int screenWidth = screen ? screen->availableGeometry().width() : width;
    resize(std::clamp(width, 640, std::max(640, screenWidth)), 460);
    keepWindowSize(this);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    connect(m_validateButton, &QPushButton::clicked, this, &TStocFrm::validate);
    connect(m_printButton, &QPushButton::clicked, this, &TStocFrm::printList);
}

void TStocFrm::checkComplete(Dataset& row)
{
    for (const QString& field : requiredFields) {
        if (!row.isNull(field) && !row.asString(field).trimmed().isEmpty())
            continue;
        dialogs().warning(QStringLiteral("Campul \"%1\" trebuie completat!").arg(captionOf(field)));
        // The caret goes to the missing cell once the refused operation has returned.
        QMetaObject::invokeMethod(
            m_grid, [grid = m_grid, field] { grid->selectField(field); }, Qt::QueuedConnection);
        throw SilentAbort();
    }
}

bool TStocFrm::storePendingRow()
{
    const bool stored = runGuarded([this] {
        if (m_stock->isActive() && !m_stock->checkBrowseMode())
            throw SilentAbort();
    });
    if (!stored)
        m_grid->setFocus();
    return stored;
}

void TStocFrm::validate()
{
    if (storePendingRow())
        accept();
}

void TStocFrm::printList()
{
    // The list is read from the table: the row being typed goes there first.
    if (storePendingRow() && m_print)
        runGuarded([this] { m_print(this); });
}

void TStocFrm::discardEdits()
{
    if (m_stock->isActive() && m_stock->isEditing())
        runGuarded([this] { m_stock->cancel(); });
}

void TStocFrm::done(int result)
{
    // Closed any other way than with "&Valideaza": the row being edited is dropped.
    if (result != Accepted)
        discardEdits();
    QDialog::done(result);
}

void TStocFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    m_grid->setFocus();
    m_grid->selectField(nameField); // the numbers take no typing
}

void TStocFrm::keyPressEvent(QKeyEvent* event)
{
    // Escape undoes typing in the grid; the window has no cancel button to close on it.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
