#include "catalogues/CatalogBrowser.h"

#include "catalogues/NameSearch.h"
#include "core/ErrorGuard.h"
#include "db/Dataset.h"
#include "widgets/FormRows.h"
#include "widgets/TDBGridNormal.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CatalogBrowser::CatalogBrowser(const Setup& setup, Dataset* table, ApplyOrder apply, Search find,
                               QWidget* parent)
    : QObject(parent), m_table(table), m_applyOrder(std::move(apply)), m_searchText(std::move(find))
{
    m_orderList = new QComboBox(parent);
    m_orderList->setObjectName(setup.orderListName);
    m_orderList->addItems(setup.orders);
    m_search = new QLineEdit(parent);
    m_search->setObjectName(setup.searchName);
    if (setup.navigatorButtons) {
        m_navigator = new TDBNavigator(parent);
        m_navigator->bind(table);
        m_navigator->setButtons(*setup.navigatorButtons);
        m_navigator->setHints(TDBNavigator::Hints::Records);
    }

    m_top = new QHBoxLayout;
    if (m_navigator)
        m_top->addWidget(m_navigator);
    m_top->addWidget(makeCaptionLabel(setup.orderCaption, m_orderList, parent));
    m_top->addWidget(m_orderList);
    m_top->addWidget(makeCaptionLabel(setup.searchCaption, m_search, parent));
    m_top->addWidget(m_search, 1);
    m_layout = new QVBoxLayout(parent);
    m_layout->addLayout(m_top);

    connect(m_orderList, &QComboBox::currentIndexChanged, this,
            [this](int item) { runGuarded([&] { applyOrder(item); }); });
    connect(m_search, &QLineEdit::textChanged, this,
            [this](const QString& text) { runGuarded([&] { search(text); }); });
}

void CatalogBrowser::setGrid(TDBGridNormal* grid)
{
    m_layout->addWidget(grid, 1);
}

void CatalogBrowser::showOrder(int item)
{
    const QSignalBlocker quiet(m_orderList);
    m_orderList->setCurrentIndex(item);
}

void CatalogBrowser::applyOrder(int item)
{
    bool applied = false;
    try {
        applied = m_applyOrder(item);
    } catch (...) {
        showOrder(m_appliedOrder);
        throw;
    }
    if (applied)
        m_appliedOrder = item;
    showOrder(m_appliedOrder);
}

void CatalogBrowser::search(const QString& text)
{
    if (text.isEmpty() || !m_table->isActive() || m_table->isEmpty())
        return;
    m_searchText(text);
}

bool CatalogBrowser::goToRowStartingWith(const QString& field, const QString& text)
{
    // With or without its diacritics.
    const int column = m_table->fieldIndex(field);
    const int row = findNameStartingWith(
        m_table->recordCount(), [&](int r) { return m_table->rowValue(r, column).toString(); }, text);
    if (row < 0)
        return false;
    m_table->setRecNo(row + 1);
    return true;
}
