#include "catalogues/CatalogDescriptor.h"

QStringList CatalogDescriptor::columnFields() const
{
    QStringList fields;
    for (const CatalogColumn& column : columns)
        fields << column.field;
    return fields;
}

namespace Catalogs
{

const QString incompleteCodeAndName =
    QStringLiteral("Informatie incompleta, introduceti atat codul, cat si denumirea!");

namespace
{

// The pattern shared by the three catalogues with a numeric key.
CatalogDescriptor numbered(const QString& table, const QString& keyField, const QString& keyCaption,
                           const QString& explanationField)
{
    CatalogDescriptor d;
    d.table = table;
    d.keyField = keyField;
    d.numericKey = true;
    d.nameField = QStringLiteral("Denumire");
    d.orderItems = {QStringLiteral("dupa Cod"), QStringLiteral("dupa Denumire")};
    d.openingOrder = 0;
    d.minMaxButtonsInCatalogueMode = true;
    d.rowSelectInSelectMode = true;
    d.requiredFields = {keyField, d.nameField};
    d.incompleteMessage = incompleteCodeAndName;
    d.columns = {{keyField, keyCaption}, {d.nameField, QString()}};
    if (!explanationField.isEmpty())
        d.columns.append({explanationField, QString()});
    return d;
}

} // namespace

const CatalogDescriptor& parishioners()
{
    static const CatalogDescriptor d = [] {
        CatalogDescriptor d;
        d.windowClass = QStringLiteral("TEnoriasiFrm");
        d.table = QStringLiteral("Enoriasi");
        d.keyField = QStringLiteral("Cod_enorias");
        d.nameField = QStringLiteral("Nume_prenume");
        d.orderItems = {QStringLiteral("dupa Cod"), QStringLiteral("dupa Denumire")};
        d.openingOrder = 1;
        d.orderAppliedOnShow = true;
        d.selectCaption = QStringLiteral("Selectie de enoriasi");
        d.catalogueCaption = QStringLiteral("Catalog enoriasi");
        d.editToggleInSelectMode = true;
        d.selectHint = QStringLiteral("Selectati clientul si apasati butonul OK sau Enter");
        d.requiredFields = {d.keyField, d.nameField, QStringLiteral("Tip_contributie")};
        d.incompleteMessage = QStringLiteral(
            "Informatie incompleta, introduceti atat codul, numele enoriasului cat si tipul contributiei!");
        d.defaultField = QStringLiteral("Tip_contributie");
        d.defaultValue = QStringLiteral("Intreaga");
        d.columns = {{d.keyField, QStringLiteral("Cod enorias")},
                     {d.nameField, QStringLiteral("Nume si prenume")},
                     {QStringLiteral("Strada"), QString()},
                     {QStringLiteral("Nr"), QStringLiteral("Numar")},
                     {QStringLiteral("Tip_contributie"), QStringLiteral("Tip contributie")},
                     {QStringLiteral("Restanta"), QString()}};
        d.pickListField = QStringLiteral("Tip_contributie");
        d.pickList = {QStringLiteral("Intreaga"), QStringLiteral("Jumatate")};
        return d;
    }();
    return d;
}

const CatalogDescriptor& incomeTypes()
{
    static const CatalogDescriptor d = [] {
        CatalogDescriptor d = numbered(QStringLiteral("Tip_venituri"), QStringLiteral("Cod_venit"),
                                       QStringLiteral("Cod venit"), QStringLiteral("Explicatie_venit"));
        d.windowClass = QStringLiteral("TTipVenitFrm");
        d.selectCaption = QStringLiteral("Selectie tip venit");
        d.catalogueCaption = QStringLiteral("Catalog tipuri de venit");
        d.selectHint = QStringLiteral("Selectati tipul de venit si apasati butonul OK sau Enter");
        return d;
    }();
    return d;
}

const CatalogDescriptor& expenseTypes()
{
    static const CatalogDescriptor d = [] {
        CatalogDescriptor d =
            numbered(QStringLiteral("Tip_cheltuieli"), QStringLiteral("Cod_cheltuiala"),
                     QStringLiteral("Cod cheltuiala"), QStringLiteral("Explicatie_cheltuiala"));
        d.windowClass = QStringLiteral("TTipCheltuialaFrm");
        d.selectCaption = QStringLiteral("Selectie tip cheltuiala");
        d.catalogueCaption = QStringLiteral("Catalog tipuri de Cheltuiala");
        d.selectHint = QStringLiteral("Selectati clientul si apasati butonul OK sau Enter");
        return d;
    }();
    return d;
}

const CatalogDescriptor& balanceSheetRows()
{
    static const CatalogDescriptor d = [] {
        CatalogDescriptor d = numbered(QStringLiteral("Bilant"), QStringLiteral("Nr_rand"),
                                       QStringLiteral("Nr rand"), QString());
        d.windowClass = QStringLiteral("TNomenclatorBilantFrm");
        d.orderItems = {QStringLiteral("dupa Nr rand"), QStringLiteral("dupa Denumire")};
        d.catalogueCaption = QStringLiteral("Nomenclator bilant");
        d.columns.append({QStringLiteral("Formula"), QString()});
        d.columns.append({QStringLiteral("Cont"), QString()});
        return d;
    }();
    return d;
}

} // namespace Catalogs
