#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Dataset;
class TDBGridNormal;

// One column of a catalogue's grid (the catalogues, the family sheet's
// pages): the field, its caption (the field's name when empty) and the
// values its cell offers (other text is accepted too; none when empty).
struct CatalogColumn {
    QString field;
    QString caption;
    QStringList pickList;
};

// The columns' fields, in their order.
QStringList columnFields(const QList<CatalogColumn>& columns);

// Binds the grid to these columns of the table, with their captions and pick lists.
void bindColumns(TDBGridNormal* grid, Dataset* table, const QList<CatalogColumn>& columns);
