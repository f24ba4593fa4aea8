#include "operations/TPangarInFrm.h"

#include "db/Dataset.h"
#include "widgets/BoundControl.h"
#include "widgets/FormRows.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TDBGridNormal.h"
#include "widgets/dbdate.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace
{

DocumentWindowSetup candleIntakeSetup()
{
    return {
        .objectName = QStringLiteral("TPangarInFrm"),
        .caption = QStringLiteral("Registru intrari lumanari"),
        .table = QStringLiteral("DocIn"),
        .tableWord = QStringLiteral("Pangar"),
        .opensOnNewDocument = false,
    };
}

} // namespace

TPangarInFrm::TPangarInFrm(QWidget* parent) : DocumentWindow(candleIntakeSetup(), parent)
{
    auto* group = new QGroupBox(QStringLiteral("Document"), this);
    auto* form = new QFormLayout(group);
    m_number = bound<TDBEditNormal>(group, document(), QStringLiteral("Numar"));
    m_date = bound<TDBDateEdit>(group, document(), QStringLiteral("Data"));
    m_supplier = bound<TDBComboNormal>(group, document(), QStringLiteral("Furnizor"));
    addChoiceList(m_supplier, QStringLiteral("Furnizori"), QStringLiteral("Denumire"));
    m_explanation = bound<TDBEditNormal>(group, document(), QStringLiteral("Explicatie"));
    // Its item comes before it is bound: a first item added to an empty list
    // would show in place of the field's value.
    m_kind = new TDBComboNormal(group);
    m_kind->setObjectName(QStringLiteral("Tip"));
    m_kind->addItem(QStringLiteral("O.P."));
    m_kind->bind(document(), QStringLiteral("Tip"));
    addLabeledRow(form, QStringLiteral("Numar :"), m_number);
    addLabeledRow(form, QStringLiteral("Data :"), m_date);
    addLabeledRow(form, QStringLiteral("Furnizor:"), m_supplier);
    addLabeledRow(form, QStringLiteral("Explicatie:"), m_explanation);
    addLabeledRow(form, QStringLiteral("Tip :"), m_kind);
    formArea()->addWidget(group);

    auto* items = new Dataset(QStringLiteral("ItemIn"), this);
    addLines(items, QStringLiteral("Cod"), QStringLiteral("Cod"));
    m_grid = new TDBGridNormal(this);
    m_grid->setObjectName(QStringLiteral("Articole"));
    m_grid->setAccessibleName(QStringLiteral("Articole"));
    m_grid->bind(items);
    m_grid->setColumnReadOnly(QStringLiteral("Cod"));
    m_grid->setColumnReadOnly(QStringLiteral("Cod_secundar"));
    formArea()->addWidget(m_grid, 1);
    // A negative value is a reversal: stored only when the user says so.
    askAboutAmounts(items, {QStringLiteral("Valoare"), {}});

    finishSetup({m_number, m_date, m_supplier, m_explanation, m_kind}, {m_grid});
}
