#pragma once

#include "catalogues/CatalogColumns.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What the pages of the family sheet window show: the parishioners' list and
// the five tables of records kept under each parishioner.
struct FamilySheetPage {
    QString caption; // the page tab, with its accelerator
    QString table;
    QList<CatalogColumn> columns;
};

namespace FamilySheetPages
{

const FamilySheetPage& parishioners();
// Family members, baptisms, marriages, burials, other events, in the order of their tabs.
const QList<FamilySheetPage>& records();

} // namespace FamilySheetPages
