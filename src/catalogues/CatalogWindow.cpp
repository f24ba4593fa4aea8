#include "catalogues/CatalogWindow.h"

#include "widgets/GridColumnWidths.h"
#include "widgets/WindowSize.h"

#include "catalogues/CatalogBrowser.h"
#include "catalogues/CodeInUse.h"

#include "core/ErrorGuard.h"
#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/TableIndexes.h"
#include "db/TypedNumber.h"
#include "widgets/TDBGridNormal.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

const QString nameOrderIndex = QStringLiteral("Den");

} // namespace

TCatalogFrm::TCatalogFrm(const CatalogDescriptor& descriptor, Mode mode, QWidget* parent)
    : QDialog(parent), m_descriptor(descriptor), m_mode(mode)
{
    setObjectName(descriptor.windowClass);
    const QString caption = mode == Mode::Select ? descriptor.selectCaption : descriptor.catalogueCaption;
    setWindowTitle(caption);
    setAccessibleName(caption);

    m_catalog = new Dataset(descriptor.table, this);
    m_catalog->onNewRecord = [this](Dataset& catalog) {
        if (!m_descriptor.defaultField.isEmpty())
            catalog.setValue(m_descriptor.defaultField, m_descriptor.defaultValue);
        // The grid settles on its column after the new row is made: the key column is chosen then.
        QMetaObject::invokeMethod(
            m_grid, [this] { m_grid->selectField(m_descriptor.keyField); }, Qt::QueuedConnection);
    };
    m_catalog->beforePost = [this](Dataset& catalog) {
        checkComplete(catalog);
        checkKeyUnused(catalog);
    };
    m_catalog->setReadFieldNames(columnFields(descriptor.columns));
    m_catalog->open();
    for (const CatalogColumn& column : descriptor.columns)
        if (m_catalog->field(m_catalog->fieldIndex(column.field)).type == FieldType::Float) {
            m_catalog->setDisplayFormat(column.field, QStringLiteral("#,##0.00"));
            m_catalog->setEditFormat(column.field, QStringLiteral("0.00"));
        }

    buildControls();
    m_browser->setAppliedOrder(0); // the table opens in its key order
    m_browser->showOrder(descriptor.openingOrder);

    if (mode == Mode::Catalogue) {
        setUpCatalogueMode();
    } else {
        m_grid->setRowSelect(rowSelect());
        m_grid->setToolTip(descriptor.selectHint);
        m_grid->setStatusTip(descriptor.selectHint);
        m_editButton->setVisible(descriptor.editToggleInSelectMode);
        setEditing(false);
        // An empty list opens ready for its first row (a whole-row grid still takes no typing).
        if (m_catalog->isEmpty())
            setEditing(true);
    }

    connect(&DatabaseLocation::instance(), &DatabaseLocation::yearSwitched, this,
            [this] { runGuarded([this] { reopen(); }); });
}

TCatalogFrm::~TCatalogFrm() = default;

QComboBox* TCatalogFrm::orderList() const
{
    return m_browser->orderList();
}

QLineEdit* TCatalogFrm::searchEdit() const
{
    return m_browser->searchEdit();
}

void TCatalogFrm::buildControls()
{
    m_browser = new CatalogBrowser({.orderCaption = QStringLiteral("Or&dine de afisare:"),
                                    .orderListName = QStringLiteral("IndexComboBox"),
                                    .orders = m_descriptor.orderItems,
                                    .searchCaption = QStringLiteral("&Cauta:"),
                                    .searchName = QStringLiteral("SearchEdit")},
                                   m_catalog, [this](int item) { return applyOrder(item); },
                                   [this](const QString& text) { search(text); }, this);
    m_editButton = new QPushButton(QStringLiteral("&Editeaza"), this);
    m_editButton->setObjectName(QStringLiteral("EditBtn"));
    m_editButton->setCheckable(true);
    m_editButton->setAutoDefault(false);
    m_editButton->setAccessibleName(QStringLiteral("Editeaza"));

    m_grid = new TDBGridNormal(this);
    m_grid->setObjectName(QStringLiteral("CatGrid"));
    m_grid->setAccessibleName(windowTitle());
    bindColumns(m_grid, m_catalog, m_descriptor.columns);
    m_grid->installEventFilter(this);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("ButtonOK"));
    m_okButton->setToolTip(QStringLiteral("Preia articolul curent in document"));
    m_okButton->setStatusTip(m_okButton->toolTip());
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("&Renunta"), this);
    m_cancelButton->setObjectName(QStringLiteral("ButtonCancel"));
    m_cancelButton->setAutoDefault(false);
    m_cancelButton->setAccessibleName(QStringLiteral("Renunta"));

    m_browser->topRow()->addWidget(m_editButton);
    m_browser->setGrid(m_grid);
    m_bottomRow = new QHBoxLayout;
    m_bottomRow->addStretch();
    m_bottomRow->addWidget(m_okButton);
    m_bottomRow->addWidget(m_cancelButton);
    QVBoxLayout* layout = m_browser->layout();
    layout->addLayout(m_bottomRow);

    // Wide enough for every column and the longest text of its rows, as far as the screen allows (then
    // as the user last left it); the last column takes what is left.
    const QMargins margins = layout->contentsMargins();
    const int columnsWidth = sizeColumnsToContents(m_grid) + margins.left() + margins.right();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : columnsWidth;
    resize(std::clamp(columnsWidth, 640, std::max(640, screenWidth)), 420);
    keepWindowSize(this);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    // The columns come back at their default width when the table is opened
    // again (on another year): they are sized again then.
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionCountChanged, this, [this](int before, int now) {
        if (before == 0 && now > 0)
            sizeColumnsToContents(m_grid);
    });

    connect(m_editButton, &QPushButton::clicked, this, [this] { setEditing(!m_editing); });
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_mode == Mode::Select && m_okButton->isEnabled())
            accept();
    });
}

bool TCatalogFrm::rowSelect() const
{
    return m_mode == Mode::Select && m_descriptor.rowSelectInSelectMode;
}

void TCatalogFrm::setUpCatalogueMode()
{
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, m_descriptor.minMaxButtonsInCatalogueMode);
    m_okButton->hide();
    m_cancelButton->hide();
    m_editButton->hide();
    m_grid->setRowSelect(false);
    m_grid->setToolTip(QString());
    m_grid->setStatusTip(QString());
    setEditing(true);
}

bool TCatalogFrm::setEditing(bool on)
{
    if (!on && m_catalog->isActive()) {
        // The row being edited is stored first; a refused row keeps editing on.
        const bool stored = runGuarded([this] {
            if (!m_catalog->checkBrowseMode())
                throw SilentAbort();
        });
        if (!stored) {
            m_editButton->setChecked(true);
            return false;
        }
    }
    m_editing = on;
    m_grid->setEditingAllowed(on && !rowSelect());
    m_okButton->setEnabled(!on);
    m_editButton->setChecked(on);
    m_grid->setFocus();
    return true;
}

void TCatalogFrm::startAt(const QVariant& code)
{
    // The code is looked up in the key order; the order list keeps its item,
    // which the window applies when it is shown.
    m_catalog->setIndexName(QString());
    m_browser->setAppliedOrder(0);
    const bool given = !code.isNull() && !code.toString().isEmpty();
    if (!given || !m_catalog->findKey({code}))
        m_catalog->first();
}

QPushButton* TCatalogFrm::addRowCommand(const QString& caption, const QString& objectName,
                                        const std::function<bool(const QString& key)>& run)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    m_bottomRow->insertWidget(m_bottomRow->count() - 3, button);
    connect(button, &QPushButton::clicked, this, [this, run] {
        runGuarded([this, run] {
            if (m_catalog->isActive() && !m_catalog->checkBrowseMode())
                throw SilentAbort();
            const QString key = currentKey().toString().trimmed();
            if (key.isEmpty()) {
                dialogs().warning(QStringLiteral("Alegeti intai un rand din lista."));
                return;
            }
            if (run(key))
                m_catalog->refresh();
        });
    });
    return button;
}

QVariant TCatalogFrm::currentKey() const
{
    if (!m_catalog->isActive() || m_catalog->isEmpty() || m_catalog->currentRow() < 0)
        return QVariant();
    return m_catalog->value(m_descriptor.keyField);
}

void TCatalogFrm::ensureNameIndex()
{
    const QSqlDatabase db = Connection::database();
    const std::optional<IndexDef> existing = TableIndexes::find(db, m_descriptor.table, nameOrderIndex);
    const bool fits = existing && existing->caseInsensitive && existing->fields.size() == 1 &&
                      existing->fields.first().compare(m_descriptor.nameField, Qt::CaseInsensitive) == 0;
    if (fits)
        return;
    TableIndexes::drop(db, m_descriptor.table, nameOrderIndex);
    TableIndexes::add(db, m_descriptor.table,
                      IndexDef{nameOrderIndex, {m_descriptor.nameField}, false, true});
}

bool TCatalogFrm::applyOrder(int item)
{
    if (item == 1)
        ensureNameIndex();
    return m_catalog->setIndexName(item == 1 ? nameOrderIndex : QString());
}

void TCatalogFrm::search(const QString& text)
{
    if (m_browser->appliedOrder() == 1) {
        // By name: a name that starts with the text, else the nearest.
        if (!m_browser->goToRowStartingWith(m_descriptor.nameField, text))
            m_catalog->findNearest({text});
        return;
    }
    if (!m_descriptor.numericKey) {
        m_catalog->findNearest({text});
        return;
    }
    const std::optional<double> number = TypedNumber::read(text);
    if (!number) {
        dialogs().error(QStringLiteral("'%1' nu este un numar valid!").arg(text));
        return;
    }
    // The first key at or above the number; keys are small whole numbers.
    const double key = std::ceil(*number);
    if (key > std::numeric_limits<qint16>::max()) {
        m_catalog->last();
        return;
    }
    m_catalog->findNearest({int(std::max<double>(key, std::numeric_limits<qint16>::min()))});
}

void TCatalogFrm::checkComplete(Dataset& catalog) const
{
    for (const QString& field : m_descriptor.requiredFields)
        if (catalog.isNull(field) || catalog.asString(field).trimmed().isEmpty()) {
            dialogs().warning(m_descriptor.incompleteMessage);
            throw SilentAbort();
        }
}

void TCatalogFrm::checkKeyUnused(const Dataset& catalog) const
{
    refuseCodeInUse(catalog, m_descriptor.keyField, m_descriptor.nameField);
}

void TCatalogFrm::reopen()
{
    // The connection closed the table with the old year's database.
    if (m_browser->appliedOrder() == 1)
        ensureNameIndex();
    m_catalog->open();
    if (m_mode == Mode::Select && m_catalog->isEmpty() && !m_editing)
        setEditing(true);
}

void TCatalogFrm::discardEdits()
{
    if (m_catalog->isActive() && m_catalog->isEditing())
        runGuarded([this] { m_catalog->cancel(); });
}

void TCatalogFrm::done(int result)
{
    // Closing discards a row still being edited; a choice is read from a stored row.
    discardEdits();
    QDialog::done(result);
}

void TCatalogFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // restored from the task bar: nothing to redo
    if (m_descriptor.orderAppliedOnShow)
        runGuarded([this] { m_browser->applyOrder(m_browser->orderList()->currentIndex()); });
    m_browser->searchEdit()->setFocus();
}

void TCatalogFrm::closeEvent(QCloseEvent* event)
{
    discardEdits();
    QDialog::closeEvent(event);
}

void TCatalogFrm::keyPressEvent(QKeyEvent* event)
{
    // Escape belongs to "&Renunta", which only a picker has.
    if (m_mode == Mode::Catalogue && event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TCatalogFrm::eventFilter(QObject* watched, QEvent* event)
{
    // A picker's grid that is only browsed leaves Enter and Escape to the
    // window: they choose the current row or give up.
    if (watched != m_grid || event->type() != QEvent::KeyPress || m_mode != Mode::Select ||
        m_grid->editingAllowed() || m_catalog->isEditing())
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_okButton->isEnabled())
            accept();
        return true;
    default:
        return false;
    }
}
