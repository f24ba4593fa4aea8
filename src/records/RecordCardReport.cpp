#include "records/RecordCardReport.h"

#include "db/Sql.h"
#include "printing/RuledColumns.h"
#include "records/RecordColumns.h"

#include <array>

namespace
{

struct Section {
    QString title;
    QString table;
    QString order; // the rows of a parishioner in the order of the table's key
    const QList<RecordColumn>& (*columns)();
};

const std::array<Section, 5>& sections()
{
    static const std::array<Section, 5> all{{
        {QStringLiteral("Persoanele apartinatoare familiei"), QStringLiteral("MembriiFam"),
         QStringLiteral("Cod_enorias, Numele, Data_nasterii"), RecordColumns::members},
        {QStringLiteral("Botezuri"), QStringLiteral("Botezuri"), QStringLiteral("Cod_enorias, rowid"),
         RecordColumns::baptisms},
        {QStringLiteral("Casatorii"), QStringLiteral("Cununii"), QStringLiteral("Cod_enorias, rowid"),
         RecordColumns::marriages},
        {QStringLiteral("Inmormantari"), QStringLiteral("Inmormantari"),
         QStringLiteral("Cod_enorias, Numar, Data"), RecordColumns::burials},
        {QStringLiteral("Alte activitati"), QStringLiteral("Activitati"),
         QStringLiteral("Cod_enorias, rowid"), RecordColumns::activities},
    }};
    return all;
}

const QString cardCodeField = QStringLiteral("Cod_enorias");

QString codeFilter(const QString& code)
{
    return code.isEmpty() ? QString() : QStringLiteral(" WHERE Cod_enorias = :Cod");
}

ReportTable readTable(const QSqlDatabase& db, const QString& statement, const QString& code)
{
    QSqlQuery query = code.isEmpty() ? Sql::exec(db, statement)
                                     : Sql::exec(db, statement, {{QStringLiteral(":Cod"), code}});
    return ReportTable::fromQuery(query);
}

QString printedName(const ReportTable& parishioners, int row, const TRepFisaEnoriasFrm::Options& options)
{
    const QString name = parishioners
                             .value(row, options.compoundNames ? QStringLiteral("Nume_compus")
                                                               : QStringLiteral("Nume_prenume"))
                             .toString();
    return options.kind == TRepFisaEnoriasFrm::Kind::FamilySheet ? QStringLiteral("Familia ") + name : name;
}

// Today's date, the heading, the name and the parishioner's line.
ReportBand parishionerBand(const ReportDefinition& d, const QString& heading, const QString& locality,
                           const TRepFisaEnoriasFrm::Options& options)
{
    const double width = d.contentWidth();
    const QFont bold = RuledColumns::sized(d.font, d.font.pointSize(), true);
    ReportBand band;
    band.height = 30;
    band.newPage = true;
    ReportElement date;
    date.kind = ReportElement::Kind::Date;
    date.rect = QRectF(0, 0, width, 5);
    date.alignment = Qt::AlignRight | Qt::AlignVCenter;
    band.add(date);
    band.add(ReportElement::label({0, 6, width, 7}, heading, Qt::AlignCenter)
                 .withFont(RuledColumns::sized(d.font, 14, true)));
    ReportElement name =
        ReportElement::label({0, 13, width, 7}, {}, Qt::AlignCenter).withFont(RuledColumns::sized(d.font, 12, true));
    name.onPrint = [options](const ReportContext& context, const QString&) {
        return printedName(*context.report().data, context.row(), options);
    };
    band.add(name);
    const auto pair = [&](int quarter, const QString& label, const QString& field) {
        ReportElement e =
            ReportElement::label({width / 4 * quarter, 22, width / 4, 6}, label, Qt::AlignCenter)
                .withFont(bold);
        if (!field.isEmpty())
            e.onPrint = [field](const ReportContext& context, const QString& text) {
                return text + QLatin1Char(' ') + context.value(field).toString();
            };
        band.add(e);
    };
    pair(0, QStringLiteral("Localitatea : ") + locality, {});
    pair(1, QStringLiteral("Strada:"), QStringLiteral("Strada"));
    pair(2, QStringLiteral("Numarul :"), QStringLiteral("Nr"));
    pair(3, QStringLiteral("Tipul contributiei :"), QStringLiteral("Tip_contributie"));
    return band;
}

} // namespace

namespace TRepFisaEnoriasFrm
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const Options& options)
{
    auto report = std::make_unique<Report>();
    ReportDefinition& d = report->definition;
    d.name = reportTitle;
    d.orientation = QPageLayout::Landscape;
    d.data = report->keep(
        readTable(db,
                  QStringLiteral("SELECT DISTINCT Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie, "
                                 "Nume_prenume || ' (' || Cod_enorias || ')' AS Nume_compus FROM Enoriasi") +
                      codeFilter(options.code) +
                      QStringLiteral(" ORDER BY Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie"),
                  options.code));
    report->noRowsMessage = options.code.isEmpty()
                                ? QStringLiteral("Nu este inregistrat nici un enorias.")
                                : QStringLiteral("Nu exista enoriasul cu codul %1.").arg(options.code);
    const QString locality =
        Sql::scalar(db, QStringLiteral("SELECT Localitatea FROM Parohia ORDER BY rowid LIMIT 1")).toString();

    // A family sheet lists the members only.
    const int sectionCount = options.kind == Kind::FamilySheet ? 1 : int(sections().size());
    std::vector<std::shared_ptr<RecordColumns::LineCounter>> counters;
    for (int i = 0; i < sectionCount; ++i) {
        const Section& s = sections()[i];
        ReportSubDetail sub;
        sub.table =
            report->keep(readTable(db,
                                   QStringLiteral("SELECT * FROM %1").arg(Sql::quoted(s.table)) +
                                       codeFilter(options.code) + QStringLiteral(" ORDER BY ") + s.order,
                                   options.code));
        sub.masterField = cardCodeField;
        sub.detailField = cardCodeField;
        d.subDetails.append(sub);
        counters.push_back(std::make_shared<RecordColumns::LineCounter>(true));
    }

    const QString heading = options.kind == Kind::FamilySheet ? familySheetHeading : recordCardHeading;
    d.onStart = [options, heading, locality, counters](ReportDefinition& d) {
        const double width = d.contentWidth();
        const QFont captionFont = RuledColumns::sized(d.font, 7);
        const QFont lineFont = RuledColumns::sized(d.font, 8);
        d.detail = parishionerBand(d, heading, locality, options);
        for (int i = 0; i < int(counters.size()); ++i) {
            const Section& s = sections()[i];
            counters[i]->restart();
            ReportSubDetail& sub = d.subDetails[i];
            sub.header = RecordColumns::captionBand(s.columns(), width, captionFont, 9);
            sub.header.add(ReportElement::label({0, 2, width, 6}, s.title, Qt::AlignCenter)
                               .withFont(RuledColumns::sized(d.font, d.font.pointSize(), true)));
            // The members stay under the heading; each event section may start a page of its own.
            sub.header.newPage = options.separatePages && i > 0;
            sub.detail = RecordColumns::lineBand(s.columns(), width, lineFont, counters[i]);
        }
    };
    return report;
}

CsvTable membersCsv(const Report& report, const Options& options)
{
    CsvTable csv;
    const QList<RecordColumn>& columns = RecordColumns::members();
    csv.header << QStringLiteral("Cod enorias") << QStringLiteral("Familia");
    for (const RecordColumn& c : columns)
        csv.header << c.name;
    const ReportDefinition& d = report.definition;
    const ReportTable& parishioners = *d.data;
    const ReportTable& members = *d.subDetails.first().table;
    for (int p = 0; p < parishioners.rowCount(); ++p) {
        const QVariant code = parishioners.value(p, cardCodeField);
        int count = 0;
        for (int m = 0; m < members.rowCount(); ++m) {
            if (members.value(m, cardCodeField) != code)
                continue;
            QStringList row{code.toString(), printedName(parishioners, p, options)};
            const QString counter = CsvTable::number(++count, 0);
            for (const RecordColumn& c : columns)
                row << RecordColumns::cellText(c, members, m, counter);
            csv.rows << row;
        }
    }
    return csv;
}

} // namespace TRepFisaEnoriasFrm
