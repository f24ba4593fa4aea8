#include "journal/JournalReport.h"

#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/DateFormat.h"
#include "journal/JournalStore.h"
#include "journal/PersonalFields.h"
#include "journal/StoredRows.h"
#include "printing/ParishHeading.h"
#include "printing/ReportCatalog.h"
#include "printing/RuledColumns.h"

#include <QDateTime>

namespace JournalReport
{
namespace
{

struct Column {
    QString heading;
    QString field;
    double width; // mm on a 277 mm wide table
};

const QList<Column>& columns()
{
    static const QList<Column> list{
        {QStringLiteral("Momentul"), QStringLiteral("Moment"), 30},
        {QStringLiteral("Utilizator"), QStringLiteral("Utilizator"), 30},
        {QStringLiteral("Tabela"), QStringLiteral("Tabela"), 22},
        {QStringLiteral("Nr. doc."), QStringLiteral("Numar"), 18},
        {QStringLiteral("Data doc."), QStringLiteral("DataDoc"), 18},
        {QStringLiteral("Actiunea"), QStringLiteral("Actiune"), 24},
        {QStringLiteral("Ce s-a schimbat"), QStringLiteral("Schimbari"), 135},
    };
    return list;
}

QList<double> edges()
{
    QList<double> x{0};
    for (const Column& c : columns())
        x.append(x.last() + c.width);
    return x;
}

constexpr double lineHeight = 4.5;
constexpr double captionHeight = 6;

QFont font(int points, bool bold = false)
{
    QFont f(QStringLiteral("Arial"), points);
    f.setBold(bold);
    return f;
}

const QString changesField = QStringLiteral("Schimbari");
// The same text with the personal values hidden, kept beside it for the CSV.
const QString changesWithoutPersonalField = QStringLiteral("SchimbariCsv");

QString shownValue(const QString& table, const JournalValue& v, bool hidePersonal)
{
    if (v.isBlanked())
        return QStringLiteral("(sters la cerere)");
    if (hidePersonal && v.value != QLatin1String("n") && PersonalFields::isHiddenInCsv(table, v.field))
        return PersonalFields::hiddenText;
    return StoredRows::display(table, v.field, v.value);
}

QString localMoment(const QString& moment)
{
    const QDateTime utc = QDateTime::fromString(moment, Qt::ISODateWithMs);
    return utc.isValid() ? utc.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) : moment;
}

ReportTable readEntries(const QSqlDatabase& db, const QDate& from, const QDate& to, const QString& table)
{
    ReportTable rows;
    for (const Column& c : columns())
        rows.fields << c.field;
    rows.fields << changesWithoutPersonalField;
    // The moments are kept in UTC; the period is the user's local days.
    const QString start = QDateTime(from, QTime(0, 0)).toUTC().toString(Qt::ISODateWithMs);
    const QString end = QDateTime(to.addDays(1), QTime(0, 0)).toUTC().toString(Qt::ISODateWithMs);
    // The baselines are the verification's, not a change anyone made.
    QString condition = QStringLiteral("Moment >= ? AND Moment < ? AND Actiune <> ?");
    QVariantList values{start, end, JournalAction::baseline};
    if (!table.isEmpty()) {
        condition += QStringLiteral(" AND Tabela = ?");
        values << table;
    }
    JournalStore::readAll(
        db,
        [&](const JournalEntry& e) {
            const QDate date = QDate::fromString(e.keyDate, Qt::ISODate);
            rows.rows.append({localMoment(e.moment), e.user + QLatin1Char('@') + e.host, e.table, e.key,
                              date.isValid() ? QVariant(date) : QVariant(QString()), e.action, changesText(e),
                              changesText(e, true)});
        },
        condition, values);
    return rows;
}

ReportBand pageHeader(const ParishHeading& parish, const QDate& from, const QDate& to, const QString& table,
                      const QList<double>& x)
{
    ReportBand band;
    const double width = x.last();
    band.add(ReportElement::label(QRectF(0, 0, width, lineHeight), parish.parish).withFont(font(9, true)));
    QString title = QStringLiteral("Jurnalul modificarilor ") + RuledColumns::periodText(from, to);
    if (!table.isEmpty())
        title += QStringLiteral(" - tabela ") + table;
    band.add(ReportElement::label(QRectF(0, lineHeight + 2, width, lineHeight + 2), title, Qt::AlignCenter)
                 .withFont(font(11, true)));
    const double captionsTop = 2 * lineHeight + 6;
    for (int i = 0; i < columns().size(); ++i) {
        band.add(RuledColumns::box(x, i, i, captionsTop, captionHeight));
        band.add(ReportElement::label(RuledColumns::cell(x, i, i, captionsTop, captionHeight, RuledColumns::textPadding),
                                      columns()[i].heading, Qt::AlignCenter)
                     .withFont(font(8, true)));
    }
    band.height = captionsTop + captionHeight;
    return band;
}

ReportBand detail(const QList<double>& x)
{
    ReportBand band = RuledColumns::ruledLine(x, lineHeight);
    for (int i = 0; i < columns().size(); ++i) {
        ReportElement field = ReportElement::data(
            RuledColumns::cell(x, i, i, 0, lineHeight, RuledColumns::textPadding), columns()[i].field);
        field.wrap = true;
        band.add(field);
    }
    return band;
}

ReportBand pageFooter(const QList<double>& x)
{
    ReportBand band;
    band.height = lineHeight + 1;
    ReportElement line;
    line.kind = ReportElement::Kind::Line;
    line.rect = QRectF(0, 0.5, x.last(), 0);
    band.add(line);
    band.add(ReportElement::pageNumber(QRectF(x.last() - 40, 1, 40, lineHeight), QStringLiteral("Pag. ")));
    return band;
}

} // namespace

QString changesText(const JournalEntry& e, bool hidePersonal)
{
    if (e.action == JournalAction::baseline)
        return QStringLiteral("Baza de comparatie: %1 randuri").arg(e.rowDigest.size() / 40);
    if (!e.note.isEmpty())
        return e.note;
    QStringList parts;
    for (int i = 0; i < e.values.size(); ++i) {
        const JournalValue& v = e.values[i];
        const bool pairWithNext = !v.after && i + 1 < e.values.size() && e.values[i + 1].after &&
                                  e.values[i + 1].field == v.field;
        if (pairWithNext) {
            parts << QStringLiteral("%1: %2 -> %3")
                         .arg(v.field, shownValue(e.table, v, hidePersonal),
                              shownValue(e.table, e.values[i + 1], hidePersonal));
            ++i;
        } else {
            parts << QStringLiteral("%1: %2").arg(v.field, shownValue(e.table, v, hidePersonal));
        }
    }
    return parts.join(QStringLiteral("; "));
}

std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& from, const QDate& to, const QString& table)
{
    auto report = std::make_unique<Report>();
    ReportDefinition& def = report->definition;
    def.name = QStringLiteral("Jurnalul modificarilor");
    def.data = report->keep(readEntries(db, from, to, table));
    report->noRowsMessage = QStringLiteral("Nu exista modificari in aceasta perioada.");
    const QList<double> x = edges();
    def.pageHeader = pageHeader(ParishHeading::read(db), from, to, table, x);
    def.detail = detail(x);
    def.pageFooter = pageFooter(x);
    return report;
}

CsvTable csv(const Report& report, bool withPersonalData)
{
    CsvTable table;
    for (const Column& c : columns())
        table.header << c.heading;
    const ReportTable& rows = *report.definition.data;
    for (int row = 0; row < rows.rowCount(); ++row) {
        QStringList cells;
        for (const Column& c : columns()) {
            const bool hidden = !withPersonalData && c.field == changesField;
            const QVariant value = rows.value(row, hidden ? changesWithoutPersonalField : c.field);
            cells << (value.typeId() == QMetaType::QDate ? DateFormat::toShortText(value.toDate()) : value.toString());
        }
        table.rows.append(cells);
    }
    return table;
}

} // namespace JournalReport

void registerJournalReports(ReportCatalog& catalog)
{
    ReportEntry entry;
    entry.name = QStringLiteral("jurnal");
    entry.caption = QStringLiteral("Jurnalul modificarilor");
    entry.command = QStringLiteral("RapJurnal");
    entry.asksPeriod = true;
    // Without a table, every table's entries.
    entry.code = ReportCodeQuestion{
        .table = JournalStore::entriesTable,
        .field = QStringLiteral("Tabela"),
        .pick = [](QWidget*) -> std::optional<QString> {
            const auto table = dialogs().inputText(QStringLiteral("Jurnalul modificarilor"),
                                                   QStringLiteral("Tabela (de exemplu Venituri); lasati gol pentru "
                                                                  "toate tabelele:"),
                                                   QString());
            return table ? std::optional<QString>(table->trimmed()) : std::nullopt;
        },
        .optional = true,
    };
    entry.questions << ReportYesNoQuestion{
        JournalReport::personalDataKey,
        QStringLiteral("Includeti in fisierul CSV si datele personale (numele si adresele enoriasilor)?"), false};
    entry.defaults = {.fontSize = 8, .orientation = QPageLayout::Landscape};
    entry.build = [](const ReportAnswers& answers) {
        return JournalReport::build(Connection::database(), answers.from, answers.to, answers.code);
    };
    entry.csv = [](const Report& report, const ReportAnswers& answers) {
        return JournalReport::csv(report, answers.yes(JournalReport::personalDataKey));
    };
    catalog.add(std::move(entry));
}
