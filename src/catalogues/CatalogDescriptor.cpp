#include "catalogues/CatalogDescriptor.h"

namespace Catalogs
{

const QString incompleteCodeAndName =
    QStringLiteral("Informatie incompleta, introduceti atat codul, cat si denumirea!");

namespace
{

// What tells apart the three catalogues with a numeric key, a name
// "Denumire" and, after those, columns of their own.
struct NumberedCatalogue {
    QString windowClass;
    QString table;
    QString keyField;
    QString keyCaption;
    QString keyOrderItem = QStringLiteral("dupa Cod");
    QString selectCaption;
    QString catalogueCaption;
    QString selectHint;
    QList<CatalogColumn> moreColumns;
};

// The pattern shared by the three catalogues with a numeric key.
CatalogDescriptor numbered(const NumberedCatalogue& c)
{
    const QString nameField = QStringLiteral("Denumire");
    return {
        .windowClass = c.windowClass,
        .table = c.table,
        .keyField = c.keyField,
        .numericKey = true,
        .nameField = nameField,
        .orderItems = {c.keyOrderItem, QStringLiteral("dupa Denumire")},
        .openingOrder = 0,
        .selectCaption = c.selectCaption,
        .catalogueCaption = c.catalogueCaption,
        .minMaxButtonsInCatalogueMode = true,
        .rowSelectInSelectMode = true,
        .selectHint = c.selectHint,
        .requiredFields = {c.keyField, nameField},
        .incompleteMessage = incompleteCodeAndName,
        .columns = QList<CatalogColumn>{{c.keyField, c.keyCaption}, {nameField, QString()}} + c.moreColumns,
    };
}

} // namespace

const CatalogDescriptor& parishioners()
{
    const QString keyField = QStringLiteral("Cod_enorias");
    const QString nameField = QStringLiteral("Nume_prenume");
    const QString contributionField = QStringLiteral("Tip_contributie");
    static const CatalogDescriptor d{
        .windowClass = QStringLiteral("TEnoriasiFrm"),
        .table = QStringLiteral("Enoriasi"),
        .keyField = keyField,
        .nameField = nameField,
        .orderItems = {QStringLiteral("dupa Cod"), QStringLiteral("dupa Denumire")},
        .openingOrder = 1,
        .orderAppliedOnShow = true,
        .selectCaption = QStringLiteral("Selectie de enoriasi"),
        .catalogueCaption = QStringLiteral("Catalog enoriasi"),
        .editToggleInSelectMode = true,
        .selectHint = QStringLiteral("Selectati clientul si apasati butonul OK sau Enter"),
        .requiredFields = {keyField, nameField, contributionField},
        .incompleteMessage = QStringLiteral(
            "Informatie incompleta, introduceti atat codul, numele enoriasului cat si tipul contributiei!"),
        .defaultField = contributionField,
        .defaultValue = QStringLiteral("Intreaga"),
        .columns = {{keyField, QStringLiteral("Cod enorias")},
                    {nameField, QStringLiteral("Nume si prenume")},
                    {QStringLiteral("Strada"), QString()},
                    {QStringLiteral("Nr"), QStringLiteral("Numar")},
                    {contributionField,
                     QStringLiteral("Tip contributie"),
                     {QStringLiteral("Intreaga"), QStringLiteral("Jumatate")}},
                    {QStringLiteral("Restanta"), QString()}},
    };
    return d;
}

const CatalogDescriptor& incomeTypes()
{
    static const CatalogDescriptor d = numbered({
        .windowClass = QStringLiteral("TTipVenitFrm"),
        .table = QStringLiteral("Tip_venituri"),
        .keyField = QStringLiteral("Cod_venit"),
        .keyCaption = QStringLiteral("Cod venit"),
        .selectCaption = QStringLiteral("Selectie tip venit"),
        .catalogueCaption = QStringLiteral("Catalog tipuri de venit"),
        .selectHint = QStringLiteral("Selectati tipul de venit si apasati butonul OK sau Enter"),
        .moreColumns = {{QStringLiteral("Explicatie_venit"), QString()}},
    });
    return d;
}

const CatalogDescriptor& expenseTypes()
{
    static const CatalogDescriptor d = numbered({
        .windowClass = QStringLiteral("TTipCheltuialaFrm"),
        .table = QStringLiteral("Tip_cheltuieli"),
        .keyField = QStringLiteral("Cod_cheltuiala"),
        .keyCaption = QStringLiteral("Cod cheltuiala"),
        .selectCaption = QStringLiteral("Selectie tip cheltuiala"),
        .catalogueCaption = QStringLiteral("Catalog tipuri de Cheltuiala"),
        .selectHint = QStringLiteral("Selectati clientul si apasati butonul OK sau Enter"),
        .moreColumns = {{QStringLiteral("Explicatie_cheltuiala"), QString()}},
    });
    return d;
}

const CatalogDescriptor& balanceSheetRows()
{
    static const CatalogDescriptor d = numbered({
        .windowClass = QStringLiteral("TNomenclatorBilantFrm"),
        .table = QStringLiteral("Bilant"),
        .keyField = QStringLiteral("Nr_rand"),
        .keyCaption = QStringLiteral("Nr rand"),
        .keyOrderItem = QStringLiteral("dupa Nr rand"),
        .catalogueCaption = QStringLiteral("Nomenclator bilant"),
        .moreColumns = {{QStringLiteral("Formula"), QString()}, {QStringLiteral("Cont"), QString()}},
    });
    return d;
}

} // namespace Catalogs
