#include "catalogues/CatalogColumns.h"

#include "db/DatasetModel.h"
#include "widgets/TDBGridNormal.h"

QStringList columnFields(const QList<CatalogColumn>& columns)
{
    QStringList fields;
    for (const CatalogColumn& column : columns)
        fields << column.field;
    return fields;
}

void bindColumns(TDBGridNormal* grid, Dataset* table, const QList<CatalogColumn>& columns)
{
    grid->bind(table, columnFields(columns));
    for (const CatalogColumn& column : columns) {
        if (!column.caption.isEmpty())
            grid->datasetModel()->setColumnTitle(column.field, column.caption);
        if (!column.pickList.isEmpty())
            grid->setColumnPickList(column.field, column.pickList);
    }
}
