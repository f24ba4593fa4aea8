#include "printing/ReportModel.h"

#include "db/Dataset.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>

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

ReportTable ReportTable::fromQuery(QSqlQuery& query)
{
    ReportTable table;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        table.fields << record.fieldName(i);
    // Dates come back from the store as 'YYYY-MM-DD' texts.
    const auto read = [](const QVariant& v) -> QVariant {
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString();
            if (s.size() == 10 && s[4] == QLatin1Char('-') && s[7] == QLatin1Char('-')) {
                const QDate d = QDate::fromString(s, Qt::ISODate);
                if (d.isValid())
                    return d;
            }
        }
        return v;
    };
    while (query.next()) {
        QVariantList row;
        row.reserve(table.fields.size());
        for (int i = 0; i < table.fields.size(); ++i)
            row << read(query.value(i));
        table.rows << row;
    }
    return table;
}

ReportTable ReportTable::fromDataset(const Dataset& dataset)
{
    ReportTable table;
    for (int i = 0; i < dataset.fieldCount(); ++i)
        table.fields << dataset.field(i).name;
    for (int row = 0; row < dataset.recordCount(); ++row) {
        QVariantList values;
        for (int i = 0; i < dataset.fieldCount(); ++i)
            values << dataset.rowValue(row, i);
        table.rows << values;
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
    return m_sums ? m_sums->value(field) : 0.0;
}
