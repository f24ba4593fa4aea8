#include "records/PersonalDataExport.h"

#include "core/OutputFile.h"
#include "core/Utilities.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "journal/PersonalFields.h"
#include "printing/ParishHeading.h"
#include "printing/RuledColumns.h"
#include "records/FamilyData.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QSqlRecord>

namespace
{

QJsonValue jsonValue(const FieldDef* field, const QVariant& value)
{
    if (value.isNull())
        return QJsonValue::Null;
    switch (field ? field->type : FieldType::String) {
    case FieldType::Date: {
        const QDate date = value.toDate();
        return date.isValid() ? QJsonValue(date.toString(Qt::ISODate)) : QJsonValue(value.toString());
    }
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
        return QJsonValue(value.toLongLong());
    case FieldType::Float:
        return QJsonValue(value.toDouble());
    case FieldType::String:
        break;
    }
    return QJsonValue(value.toString());
}

QJsonArray rowsOf(const QSqlDatabase& db, const QString& table, const QString& condition,
                  const QVariantList& values)
{
    const TableDef* definition = TableDefinitions::find(table);
    QJsonArray rows;
    if (!definition || !Sql::tableExists(db, table))
        return rows;
    QStringList fields;
    for (const FieldDef& f : definition->fields)
        fields << Sql::quoted(f.name);
    QSqlQuery query =
        Sql::execPositional(db,
                            QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY rowid")
                                .arg(fields.join(QStringLiteral(", ")), Sql::quoted(table), condition),
                            values);
    while (query.next()) {
        QJsonObject row;
        for (int i = 0; i < definition->fields.size(); ++i) {
            const FieldDef& f = definition->fields[i];
            row.insert(f.name, jsonValue(&f, query.value(i)));
        }
        rows.append(row);
    }
    return rows;
}

// The tables in the order they are exported and printed, with their captions.
struct ExportedTable {
    QString table;
    QString caption;
};

const QList<ExportedTable>& exportedTables()
{
    static const QList<ExportedTable> list{
        {QStringLiteral("Enoriasi"), QStringLiteral("Date de catalog")},
        {QStringLiteral("MembriiFam"), QStringLiteral("Membrul familiei")},
        {QStringLiteral("Botezuri"), QStringLiteral("Botez")},
        {QStringLiteral("Cununii"), QStringLiteral("Cununie")},
        {QStringLiteral("Inmormantari"), QStringLiteral("Inmormantare")},
        {QStringLiteral("Activitati"), QStringLiteral("Alta activitate")},
        {QStringLiteral("Venituri"), QStringLiteral("Chitanta")},
    };
    return list;
}

QJsonObject collectFamily(const QSqlDatabase& db, const FamilyData& family)
{
    QJsonObject all;
    all.insert(QStringLiteral("cod"), family.code);
    all.insert(QStringLiteral("exportat"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    for (const ExportedTable& s : exportedTables()) {
        if (s.table != PersonalFields::receiptsTable) {
            all.insert(s.table, rowsOf(db, s.table, QStringLiteral("trim(Cod_enorias) = ?"), {family.code}));
            continue;
        }
        QJsonArray receipts;
        for (const FamilyData::Receipt& r : family.receipts) {
            const QJsonArray one = rowsOf(db, s.table, QStringLiteral("rowid = ?"), {r.rowid});
            for (const QJsonValue& row : one)
                receipts.append(row);
        }
        all.insert(s.table, receipts);
    }
    return all;
}

QString shown(const QJsonValue& value)
{
    if (value.isDouble()) {
        const double number = value.toDouble();
        return number == qint64(number)
                   ? QString::number(qint64(number))
                   : QString::number(number, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
    }
    if (value.isString()) {
        const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
        return date.isValid() && value.toString().size() == 10 ? date.toString(QStringLiteral("dd.MM.yyyy"))
                                                               : value.toString();
    }
    return {};
}

// Section (the record's caption and number), field, value: one printed line each.
ReportTable linesOf(const QJsonObject& all)
{
    ReportTable lines;
    lines.fields = {QStringLiteral("Sectiune"), QStringLiteral("Camp"), QStringLiteral("Valoare")};
    for (const ExportedTable& s : exportedTables()) {
        const QJsonArray rows = all.value(s.table).toArray();
        for (int i = 0; i < rows.size(); ++i) {
            const QString section =
                rows.size() == 1
                    ? s.caption
                    : QStringLiteral("%1 (%2 din %3)").arg(s.caption).arg(i + 1).arg(rows.size());
            const QJsonObject row = rows[i].toObject();
            for (const FieldDef& f : TableDefinitions::find(s.table)->fields) {
                const QString value = shown(row.value(f.name));
                if (!value.isEmpty())
                    lines.rows.append(
                        {section, QString(f.name).replace(QLatin1Char('_'), QLatin1Char(' ')), value});
            }
        }
    }
    return lines;
}

void saveWhole(const QString& filePath, const QByteArray& content)
{
    OutputFile file(filePath);
    if (!file.open() || file.device()->write(content) != content.size() || !file.commit())
        throw IoError(
            QStringLiteral("Fisierul %1 nu a putut fi scris: %2").arg(filePath, file.errorString()));
}

} // namespace

namespace PersonalDataExport
{

QJsonObject collect(const QSqlDatabase& db, const QString& code)
{
    return collectFamily(db, FamilyData::read(db, code));
}

std::unique_ptr<Report> report(const QSqlDatabase& db, const QString& code)
{
    const FamilyData family = FamilyData::read(db, code);
    auto report = std::make_unique<Report>();
    ReportDefinition& def = report->definition;
    def.name = QStringLiteral("Date personale");
    def.data = report->keep(linesOf(collectFamily(db, family)));
    const QString parish = ParishHeading::read(db).parish;
    const QString heading =
        QStringLiteral("Datele personale ale familiei %1 (cod %2)").arg(family.name, family.code);
    def.onStart = [parish, heading](ReportDefinition& d) {
        const double width = d.contentWidth();
        const QFont bold = RuledColumns::sized(d.font, d.font.pointSize(), true);
        d.title = {};
        d.title.height = 24;
        d.title.add(ReportElement::label({0, 0, width, 6}, parish).withFont(bold));
        ReportElement date;
        date.kind = ReportElement::Kind::Date;
        date.rect = QRectF(0, 0, width, 6);
        date.alignment = Qt::AlignRight | Qt::AlignVCenter;
        d.title.add(date);
        d.title.add(ReportElement::label({0, 8, width, 8}, heading, Qt::AlignCenter)
                        .withFont(RuledColumns::sized(d.font, 13, true)));
        d.title.add(ReportElement::label(
            {0, 16, width, 6}, QStringLiteral("Tot ce este inregistrat in program despre aceasta familie"),
            Qt::AlignCenter));
        ReportGroup section;
        section.field = QStringLiteral("Sectiune");
        section.header.height = 9;
        ReportElement caption = ReportElement::data({0, 3, width, 6}, QStringLiteral("Sectiune"));
        caption.font = bold;
        section.header.add(caption);
        d.groups = {section};
        d.detail = {};
        d.detail.height = 5;
        d.detail.add(ReportElement::data({4, 0, 50, 5}, QStringLiteral("Camp")));
        ReportElement value = ReportElement::data({56, 0, width - 56, 5}, QStringLiteral("Valoare"));
        value.wrap = true;
        d.detail.add(value);
        d.pageFooter = {};
        d.pageFooter.height = 6;
        d.pageFooter.add(ReportElement::pageNumber({width - 40, 1, 40, 5}, QStringLiteral("Pag. ")));
    };
    return report;
}

void writeJson(const QSqlDatabase& db, const QString& code, const QString& filePath)
{
    saveWhole(filePath, QJsonDocument(collect(db, code)).toJson(QJsonDocument::Indented));
}

void writePdf(const QSqlDatabase& db, const QString& code, const QString& filePath)
{
    const std::unique_ptr<Report> built = report(db, code);
    ReportFrame::applyDefaults({10, QPageLayout::Portrait});
    ReportFrame::writePdf(*built, filePath);
}

} // namespace PersonalDataExport
