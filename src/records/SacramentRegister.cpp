#include "records/SacramentRegister.h"

#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "printing/RuledColumns.h"

namespace
{

// Every field a line prints and the family code, each once: two acts alike
// in all of them print once.
QString fieldList(const QSqlDatabase& db, const SacramentRegister& r)
{
    QStringList fields{QStringLiteral("Data"), QStringLiteral("Numar")};
    for (const RecordColumn& c : r.columns())
        if (!c.field.isEmpty() && !fields.contains(c.field))
            fields << c.field;
    fields << QStringLiteral("Cod_enorias");
    for (QString& f : fields)
        f = Sql::name(db, f);
    return fields.join(QStringLiteral(", "));
}

} // namespace

const SacramentRegister& SacramentRegister::baptisms()
{
    static const SacramentRegister r{
        .reportTitle = QStringLiteral("Registru botezuri"),
        .heading = QStringLiteral("REGISTRU PENTRU INSCRIEREA NASCUTILOR SI BOTEZATILOR"),
        .table = QStringLiteral("Botezuri"),
        .noActs = QStringLiteral("Nu este inregistrat nici un botez."),
        .columns = RecordColumns::baptisms,
    };
    return r;
}

const SacramentRegister& SacramentRegister::marriages()
{
    static const SacramentRegister r{
        .reportTitle = QStringLiteral("Registru casatorii"),
        .heading = QStringLiteral("REGISTRU PENTRU INSCRIEREA CASATORITILOR"),
        .table = QStringLiteral("Cununii"),
        .noActs = QStringLiteral("Nu este inregistrata nici o casatorie."),
        .columns = RecordColumns::marriages,
    };
    return r;
}

const SacramentRegister& SacramentRegister::burials()
{
    static const SacramentRegister r{
        .reportTitle = QStringLiteral("Registru inmormantari"),
        .heading = QStringLiteral("REGISTRU PENTRU INSCRIEREA INMORMANTARILOR"),
        .table = QStringLiteral("Inmormantari"),
        .noActs = QStringLiteral("Nu este inregistrata nici o inmormantare."),
        .columns = RecordColumns::burials,
    };
    return r;
}

namespace TRepRegActeFrm
{

QString parishLine(const QSqlDatabase& db)
{
    QSqlQuery parish =
        Sql::exec(db, QStringLiteral("SELECT Parohia, Localitatea FROM Parohia ORDER BY rowid LIMIT 1"));
    const bool found = parish.next();
    return QStringLiteral("de la Sfanta Biserica %1 din localitatea %2 in cursul anului %3")
        .arg(found ? parish.value(0).toString() : QString(), found ? parish.value(1).toString() : QString(),
             QString::number(workingYearOf(db)));
}

std::unique_ptr<Report> build(const QSqlDatabase& db, const SacramentRegister& sacramentRegister)
{
    auto report = std::make_unique<Report>();
    ReportDefinition& d = report->definition;
    d.name = sacramentRegister.reportTitle;
    d.orientation = QPageLayout::Landscape;
    const QString fields = fieldList(db, sacramentRegister);
    QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT DISTINCT %1 FROM %2 ORDER BY %1")
                                        .arg(fields, Sql::name(db, sacramentRegister.table)));
    d.data = report->keep(ReportTable::fromQuery(query));
    report->noRowsMessage = sacramentRegister.noActs;
    const QString parish = parishLine(db);
    auto counter = std::make_shared<RecordColumns::LineCounter>(false);
    d.onStart = [&sacramentRegister, parish, counter](ReportDefinition& d) {
        const double width = d.contentWidth();
        counter->restart();
        d.title = RecordColumns::captionBand(sacramentRegister.columns(), width,
                                             RuledColumns::sized(d.font, 7), 22);
        d.title.add(ReportElement::label({0, 2, width, 8}, sacramentRegister.heading, Qt::AlignCenter)
                        .withFont(RuledColumns::sized(d.font, 14, true)));
        d.title.add(ReportElement::label({0, 11, width, 7}, parish, Qt::AlignCenter)
                        .withFont(RuledColumns::sized(d.font, 11, true)));
        d.detail = RecordColumns::lineBand(sacramentRegister.columns(), width, RuledColumns::sized(d.font, 8),
                                           counter);
    };
    return report;
}

CsvTable csv(const Report& report, const SacramentRegister& sacramentRegister)
{
    CsvTable csv;
    const QList<RecordColumn>& columns = sacramentRegister.columns();
    for (const RecordColumn& c : columns)
        csv.header << c.name;
    const ReportTable& acts = *report.definition.data;
    for (int row = 0; row < acts.rowCount(); ++row) {
        const QString counter = CsvTable::number(row + 1, 0);
        QStringList line;
        for (const RecordColumn& c : columns)
            line << RecordColumns::cellText(c, acts, row, counter);
        csv.rows << line;
    }
    return csv;
}

} // namespace TRepRegActeFrm
