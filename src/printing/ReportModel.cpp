#include "printing/ReportModel.h"

#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "printing/RunningSums.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

int ReportTable::fieldIndex(const QString& field) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant ReportTable::value(int row, const QString& field) const
{
    const int index = fieldIndex(field);
    if (row < 0 || row >= rows.size() || index < 0)
        return {};
    return rows[row].value(index);
}

ReportTable ReportTable::fromQuery(QSqlQuery& query, const QStringList& dateFields)
{
    ReportTable table;
    const QSqlRecord record = query.record();
    const QStringList declared = Sql::declaredColumnTypes(query);
    QList<bool> isDate;
    for (int i = 0; i < record.count(); ++i) {
        table.fields << record.fieldName(i);
        isDate << (dateFields.contains(record.fieldName(i), Qt::CaseInsensitive) ||
                   TableDefinitions::fieldFromDeclaredType(record.fieldName(i), declared.value(i), false,
                                                           false)
                           .type == FieldType::Date);
    }
    // Dates are stored as 'YYYY-MM-DD' texts; one that is not a date is kept as it is.
    const auto readDate = [](const QVariant& stored) -> QVariant {
        const QDate date = QDate::fromString(stored.toString(), Qt::ISODate);
        return date.isValid() ? QVariant(date) : stored;
    };
    while (query.next()) {
        QVariantList row;
        row.reserve(table.fields.size());
        for (int i = 0; i < table.fields.size(); ++i) {
            const QVariant value = query.value(i);
            row << (isDate[i] && !value.isNull() ? readDate(value) : value);
        }
        table.rows << row;
    }
    return table;
}

ReportElement ReportElement::label(const QRectF& rect, const QString& text, int alignment)
{
    ReportElement e;
    e.kind = Kind::Label;
    e.rect = rect;
    e.text = text;
    e.alignment = alignment;
    return e;
}

ReportElement ReportElement::data(const QRectF& rect, const QString& field, const QString& format,
                                  int alignment)
{
    ReportElement e;
    e.kind = Kind::Field;
    e.rect = rect;
    e.field = field;
    e.format = format;
    e.alignment = alignment;
    return e;
}

ReportElement ReportElement::sum(const QRectF& rect, const QString& field, const QString& format)
{
    ReportElement e;
    e.kind = Kind::Sum;
    e.rect = rect;
    e.field = field;
    e.format = format;
    e.alignment = Qt::AlignRight | Qt::AlignVCenter;
    return e;
}

ReportElement ReportElement::pageNumber(const QRectF& rect, const QString& prefix, int alignment)
{
    ReportElement e;
    e.kind = Kind::PageNumber;
    e.rect = rect;
    e.text = prefix;
    e.alignment = alignment;
    return e;
}

QSizeF ReportDefinition::paperSize() const
{
    const QSizeF size = paper.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

double ReportDefinition::contentWidth() const
{
    return paperSize().width() - margins.left() - margins.right();
}

QVariant ReportContext::value(const QString& field) const
{
    if (m_subTable && m_subRow >= 0 && m_subTable->fieldIndex(field) >= 0)
        return m_subTable->value(m_subRow, field);
    return m_table ? m_table->value(m_row, field) : QVariant();
}

double ReportContext::sum(const QString& field) const
{
    const auto from = [&](const ReportTable* table) {
        return m_sums ? m_sums->value(table, field) : std::nullopt;
    };
    std::optional<double> result = m_subTable && m_subRow >= 0 ? from(m_subTable) : std::nullopt;
    if (!result)
        result = from(m_table);
    for (qsizetype i = 0; !result && m_report && i < m_report->subDetails.size(); ++i)
        result = from(m_report->subDetails[i].table);
    if (!result)
        throw std::invalid_argument(
            QStringLiteral("Raportul nu are campul %1 pentru suma").arg(field).toStdString());
    return *result;
}

int ReportContext::pageCount() const
{
    m_askedForPageCount = true;
    return m_pageCount;
}

bool ReportContext::isLastPage() const
{
    if (m_inPageFooter)
        return m_closingReport;
    m_askedForPageCount = true;
    return m_pageCount > 0 && m_page == m_pageCount;
}
