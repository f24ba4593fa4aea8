#pragma once

#include "db/Dataset.h"
#include "widgets/DBNavigator.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QVBoxLayout;
class TDBGridNormal;

// The browsing part of a catalogue: over the grid, a row with the record
// navigator (when the window has one), the order list and the search box,
// each with its caption; the grid under it takes the rest of the height.
// The catalogue window (TCatalogFrm) and the family sheet's first page are
// built on it.
//
// - Choosing an order runs the window's applyOrder; the list then shows the
//   order in force: the chosen one when it was applied, else the one before
//   (also when applying it threw, the error going on to the caller).
// - Typing in the search box runs the window's search, unless the box is
//   empty or the table holds no row.
// - Both run guarded: a failure is told to the user, never lost.
class CatalogBrowser : public QObject
{
    Q_OBJECT
public:
    struct Setup {
        QString orderCaption; // "Or&dine de afisare:"
        QString orderListName;
        QStringList orders;
        QString searchCaption; // "&Cauta:"
        QString searchName;
        // The navigator's buttons, named in the lists' wording; none without.
        std::optional<TDBNavigator::Buttons> navigatorButtons = std::nullopt;
    };
    // Puts the table in the order of the list's item; true when it is now in force.
    using ApplyOrder = std::function<bool(int item)>;
    // Moves to the row the typed text leads to.
    using Search = std::function<void(const QString& text)>;

    // Makes the controls in `parent` (order list, search box, then the
    // navigator) and lays them out as `parent`'s layout.
    CatalogBrowser(const Setup& setup, Dataset* table, ApplyOrder apply, Search find, QWidget* parent);

    QComboBox* orderList() const { return m_orderList; }
    QLineEdit* searchEdit() const { return m_search; }
    TDBNavigator* navigator() const { return m_navigator; } // null without one
    // The row over the grid, for the window's own controls at its end.
    QHBoxLayout* topRow() const { return m_top; }
    // `parent`'s layout: the top row, the grid, then whatever the window adds.
    QVBoxLayout* layout() const { return m_layout; }
    // Places the grid under the top row.
    void setGrid(TDBGridNormal* grid);

    // The order in force: an item of the list.
    int appliedOrder() const { return m_appliedOrder; }
    // Records the order the table is in, without applying it or showing it.
    void setAppliedOrder(int item) { m_appliedOrder = item; }
    // Shows `item` in the order list without applying it.
    void showOrder(int item);
    // Applies the order of `item` through the window, then shows the order in force.
    void applyOrder(int item);

    // Goes to the first row, in the table's order, whose `field` starts with
    // `text` (findNameStartingWith); false when none does.
    bool goToRowStartingWith(const QString& field, const QString& text);

private:
    void search(const QString& text);

    Dataset* m_table;
    ApplyOrder m_applyOrder;
    Search m_searchText;
    QComboBox* m_orderList = nullptr;
    QLineEdit* m_search = nullptr;
    TDBNavigator* m_navigator = nullptr;
    QHBoxLayout* m_top = nullptr;
    QVBoxLayout* m_layout = nullptr;
    int m_appliedOrder = 0;
};
