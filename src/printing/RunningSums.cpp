#include "printing/RunningSums.h"

#include "printing/ReportModel.h"

namespace
{

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

void RunningSums::track(const ReportTable* table)
{
    if (table && !find(table))
        m_tables.push_back({table, std::vector<double>(size_t(table->fields.size()), 0.0)});
}

void RunningSums::add(const ReportTable* table, int row)
{
    TableSums* kept = find(table);
    if (!kept || row < 0 || row >= table->rowCount())
        return;
    const QVariantList& values = table->rows[row];
    const size_t count = std::min(kept->sums.size(), size_t(values.size()));
    for (size_t i = 0; i < count; ++i)
        if (isNumber(values[qsizetype(i)]))
            kept->sums[i] += values[qsizetype(i)].toDouble();
}

std::optional<double> RunningSums::value(const ReportTable* table, const QString& field) const
{
    const TableSums* kept = find(table);
    const int index = table ? table->fieldIndex(field) : -1;
    if (!kept || index < 0)
        return std::nullopt;
    return kept->sums[size_t(index)];
}

RunningSums::TableSums* RunningSums::find(const ReportTable* table)
{
    for (TableSums& t : m_tables)
        if (t.table == table)
            return &t;
    return nullptr;
}

const RunningSums::TableSums* RunningSums::find(const ReportTable* table) const
{
    return const_cast<RunningSums*>(this)->find(table);
}
