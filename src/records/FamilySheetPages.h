#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What the pages of the family sheet window show: the parishioners' list and
// the five tables of records kept under each parishioner.
struct FamilySheetColumn {
    QString field;
    QString caption;      // empty: the field name is the caption
    QStringList pickList; // values offered; other text is accepted too
};

struct FamilySheetPage {
    QString caption; // the page tab, with its accelerator
    QString table;
    QList<FamilySheetColumn> columns;

    QStringList fields() const;
};

namespace FamilySheetPages
{

const FamilySheetPage& parishioners();
// Family members, baptisms, marriages, burials, other events, in the order of their tabs.
const QList<FamilySheetPage>& records();

} // namespace FamilySheetPages
