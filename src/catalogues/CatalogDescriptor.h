#pragma once

#include "catalogues/CatalogColumns.h"

#include <QList>
#include <QString>
#include <QStringList>

// Everything in which the four catalogue windows differ. The window itself
// (TCatalogFrm) is one class driven by one of these constants.
struct CatalogDescriptor {
    QString windowClass; // the window's object name
    QString table;
    // Tells the rows apart: a second row with a code already used is refused
    // by its own message, before the store would refuse it by its key.
    QString keyField;
    bool numericKey = false; // the search reads the typed text as a number in the key order
    QString nameField;
    QStringList orderItems; // item 0: by key, item 1: by name
    int openingOrder = 0;   // the order list's item when the window opens
    bool orderAppliedOnShow = false;
    QString selectCaption; // empty: no select mode
    QString catalogueCaption;
    bool minMaxButtonsInCatalogueMode = false; // otherwise minimise only
    bool editToggleInSelectMode = false;
    bool rowSelectInSelectMode = false; // whole-row selection rules out editing
    QString selectHint;
    // A row is stored only when each of these fields holds a value.
    QStringList requiredFields;
    QString incompleteMessage;
    QString defaultField; // set to defaultValue on a new record, when not empty
    QString defaultValue;
    QList<CatalogColumn> columns;
};

namespace Catalogs
{

// "Introduceti atat codul, cat si denumirea": the rule of the numbered catalogues.
extern const QString incompleteCodeAndName;

const CatalogDescriptor& parishioners();
const CatalogDescriptor& incomeTypes();
const CatalogDescriptor& expenseTypes();
const CatalogDescriptor& balanceSheetRows();

} // namespace Catalogs
