#include "insight/FoundDocumentsModel.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"

void FoundDocumentsModel::setDocuments(QList<FoundDocument> documents)
{
    beginResetModel();
    m_documents = std::move(documents);
    endResetModel();
}

double FoundDocumentsModel::total() const
{
    double sum = 0;
    for (const FoundDocument& d : m_documents)
        sum += d.amount;
    return sum;
}

int FoundDocumentsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_documents.size());
}

int FoundDocumentsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString FoundDocumentsModel::cellText(const FoundDocument& d, int column)
{
    switch (column) {
    case Year:
        return QString::number(d.year);
    case Kind:
        return kindWord(d.kind);
    case Number:
        return FieldFormat::formatNumber(d.number, QStringLiteral("0"));
    case Date:
        return DateFormat::toShortText(d.date);
    case Type:
        return d.typeCode ? QStringLiteral("%1 %2").arg(*d.typeCode).arg(d.typeName).trimmed() : d.typeName;
    case Name:
        return d.name;
    case Explanation:
        return d.explanation;
    case Amount:
        return FieldFormat::formatNumber(d.amount, QStringLiteral("#,##0.00"));
    }
    return {};
}

QVariant FoundDocumentsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_documents.size())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(m_documents[index.row()], index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == Amount || index.column() == Number))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant FoundDocumentsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const captions[] = {"Anul",  "Felul",  "Numar",      "Data",
                                           "Tipul", "Numele", "Explicatia", "Suma"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(captions[section]) : QVariant();
}
