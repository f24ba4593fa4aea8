#include "registers/RepRegPartiziUnt.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"
#include "db/Sql.h"
#include "printing/ParishHeading.h"
#include "printing/RuledColumns.h"

#include <array>

const LedgerKind& LedgerKind::incomes()
{
    static const LedgerKind kind{
        .source = Source::Incomes,
        .caption = QStringLiteral("Registru partizi venituri"),
        .title = QStringLiteral("Registru partizi venituri"),
        .typeLabel = QStringLiteral("Natura venitului"),
        .explanationHeading = QStringLiteral("EXPLICATIA VENITURILOR"),
        .explanationNote = QStringLiteral("(contributie,donatii,disc, lumanari, etc.)"),
    };
    return kind;
}

const LedgerKind& LedgerKind::expenses()
{
    static const LedgerKind kind{
        .source = Source::ExpenseRegister,
        .caption = QStringLiteral("Raport registru partizi cheltuieli"),
        .title = QStringLiteral("Registru partizi cheltuieli"),
        .typeLabel = QStringLiteral("Natura cheltuielii"),
        .explanationHeading = QStringLiteral("EXPLICATIA CHELTUIELILOR"),
    };
    return kind;
}

namespace
{

using RuledColumns::cell;
using RuledColumns::sized;
using RuledColumns::text;

// The ledger's rows, whatever their source, read under these names.
const QString ledgerDateField = QStringLiteral("Data");
const QString numberField = QStringLiteral("Nr");
const QString explanationField = QStringLiteral("Explicatie");
const QString amountField = QStringLiteral("Valoarea");

const QString numberCaption = QStringLiteral("Nr. actului");
const QString amountCaption = QStringLiteral("SUMA");
const QString totalCaption = QStringLiteral("TOTAL CUMULAT");

// The general number format: shortest form, no thousands separator.
QString general(double value)
{
    return FieldFormat::formatNumber(value, {});
}

// Every row of the period, in date order; each income line and each
// register row is its own row, even when two are alike.
QSqlQuery readRows(const QSqlDatabase& db, const LedgerKind& kind, int code, const QDate& from,
                   const QDate& to)
{
    const Sql::Binding start{QStringLiteral(":From"), from.toString(Qt::ISODate)};
    const Sql::Binding stop{QStringLiteral(":To"), to.toString(Qt::ISODate)};
    if (kind.source == LedgerKind::Source::Incomes)
        return Sql::exec(
            db,
            QStringLiteral("SELECT Data, Nr_act AS Nr, Explicatie, Valoarea, Den_venit "
                           "FROM Venituri WHERE (Cod_venit = :Cod) AND (Data BETWEEN :From AND :To) "
                           "ORDER BY Data, Nr_act, Cod_venit, Fel, Den_venit, Explicatie, Valoarea, "
                           "rowid"),
            {{QStringLiteral(":Cod"), code}, start, stop});
    return Sql::exec(db,
                     QStringLiteral("SELECT Data, Nr_doc AS Nr, Explicatii AS Explicatie, PlatiC AS Valoarea "
                                    "FROM Registru WHERE Data BETWEEN :From AND :To "
                                    "ORDER BY Data, Nr_doc, Fel, Explicatii, PlatiC, Id"),
                     {start, stop});
}

QString catalogueName(const QSqlDatabase& db, const QString& table, const QString& codeField, int code)
{
    return Sql::scalar(db, QStringLiteral("SELECT Denumire FROM %1 WHERE %2 = :Cod").arg(table, codeField),
                       {{QStringLiteral(":Cod"), code}})
        .toString();
}

QString typeName(const QSqlDatabase& db, const LedgerKind& kind, int code, const ReportTable& rows)
{
    if (kind.source == LedgerKind::Source::ExpenseRegister)
        return catalogueName(db, QStringLiteral("Tip_cheltuieli"), QStringLiteral("Cod_cheltuiala"), code);
    const QString named =
        rows.rowCount() > 0 ? rows.value(0, QStringLiteral("Den_venit")).toString() : QString();
    // A ledger without rows still says which type it is.
    return named.isEmpty()
               ? catalogueName(db, QStringLiteral("Tip_venituri"), QStringLiteral("Cod_venit"), code)
               : named;
}

// Columns: the date under "Ziua", "Luna" and "Anul", the number, the
// explanation, the amount and the total. Widths in mm on a page 200 mm wide.
constexpr std::array<double, 7> ledgerWidths{8, 8, 12, 20, 92, 28, 32};
constexpr int numberColumn = 3, ledgerExplanationColumn = 4, amountColumn = 5, totalColumn = 6;

ReportBand title(double width, const QFont& font, const LedgerKind& kind, const ParishHeading& parish,
                 const QString& period, const QString& type)
{
    ReportBand band;
    band.add(RuledColumns::today({width - 50, 0, 50, 6}).withFont(sized(font, 12)));
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    band.add(text({0, 7, 25, 5}, QStringLiteral("Protopopiatul"), left, font));
    band.add(text({25, 7, width - 25, 5}, parish.deanery, left, font));
    band.add(text({0, 12, 25, 5}, QStringLiteral("Parohia"), left, font));
    band.add(text({25, 12, width - 25, 5}, parish.parish, left, font));
    band.add(text({0, 19, width, 11}, kind.title, Qt::AlignCenter, sized(font, 22, true)));
    band.add(text({0, 31, width, 6}, period, Qt::AlignCenter, sized(font, 11, true)));
    const QFont typeFont = sized(font, 10, true);
    band.add(text({0, 38, 40, 6}, kind.typeLabel, left, typeFont));
    band.add(text({40, 38, width - 40, 6}, type, left, typeFont));
    band.height = 46;
    return band;
}

ReportBand columnHeader(const QList<double>& edges, const QFont& font, const LedgerKind& kind)
{
    constexpr double upper = 6, lower = 6, numbers = 4;
    ReportBand band;
    band.height = upper + lower + numbers;
    band.add(RuledColumns::box(edges, 0, 2, 0, upper));
    band.add(text(cell(edges, 0, 2, 0, upper), ledgerDateField, Qt::AlignCenter, font));
    const QStringList dateParts{"Ziua", "Luna", "Anul"};
    for (int i = 0; i < dateParts.size(); ++i) {
        band.add(RuledColumns::box(edges, i, i, upper, lower));
        band.add(text(cell(edges, i, i, upper, lower), dateParts[i], Qt::AlignCenter, font));
    }
    const auto wholeHeight = [&](int column, const QString& caption) {
        band.add(RuledColumns::box(edges, column, column, 0, upper + lower));
        ReportElement e = text(cell(edges, column, column, 0, upper + lower), caption, Qt::AlignCenter, font);
        e.wrap = true;
        band.add(e);
    };
    wholeHeight(numberColumn, numberCaption);
    if (kind.explanationNote.isEmpty())
        wholeHeight(ledgerExplanationColumn, kind.explanationHeading);
    else {
        band.add(RuledColumns::box(edges, ledgerExplanationColumn, ledgerExplanationColumn, 0, upper + lower));
        band.add(text(cell(edges, ledgerExplanationColumn, ledgerExplanationColumn, 0, upper), kind.explanationHeading,
                      Qt::AlignCenter, font));
        band.add(text(cell(edges, ledgerExplanationColumn, ledgerExplanationColumn, upper, lower), kind.explanationNote,
                      Qt::AlignCenter, font));
    }
    wholeHeight(amountColumn, amountCaption);
    wholeHeight(totalColumn, QStringLiteral("   ") + totalCaption);
    const QList<std::pair<int, int>> numbered{{0, 2},
                                              {numberColumn, numberColumn},
                                              {ledgerExplanationColumn, ledgerExplanationColumn},
                                              {amountColumn, amountColumn},
                                              {totalColumn, totalColumn}};
    for (int n = 0; n < numbered.size(); ++n) {
        const auto [first, last] = numbered[n];
        band.add(RuledColumns::box(edges, first, last, upper + lower, numbers));
        band.add(text(cell(edges, first, last, upper + lower, numbers), QString::number(n + 1),
                      Qt::AlignCenter, sized(font, 7)));
    }
    return band;
}

ReportBand detail(const QList<double>& edges, const QFont& font)
{
    constexpr double height = 5.5;
    const QFont large = sized(font, 10);
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    ReportBand band = RuledColumns::ruledBand(
        edges, height,
        {edges[numberColumn], edges[ledgerExplanationColumn], edges[amountColumn], edges[totalColumn]});
    band.add(
        ReportElement::data(cell(edges, 0, 2, 0, height), ledgerDateField, {}, Qt::AlignCenter).withFont(large));
    band.add(ReportElement::data(cell(edges, numberColumn, numberColumn, 0, height), numberField, {}, right)
                 .withFont(large));
    ReportElement explanation =
        ReportElement::data(cell(edges, ledgerExplanationColumn, ledgerExplanationColumn, 0, height), explanationField);
    explanation.font = large;
    explanation.wrap = true;
    band.add(explanation);
    band.add(ReportElement::data(cell(edges, amountColumn, amountColumn, 0, height), amountField, {}, right)
                 .withFont(large));
    // Every row prints, so the running sum is the total of the rows printed so far.
    ReportElement total = ReportElement::label(cell(edges, totalColumn, totalColumn, 0, height), {}, right);
    total.font = large;
    total.onPrint = [](const ReportContext& ctx, const QString&) { return general(ctx.sum(amountField)); };
    band.add(total);
    return band;
}

void placeBands(ReportDefinition& def, const LedgerKind& kind, const ParishHeading& parish,
                const QString& period, const QString& type)
{
    const double width = def.contentWidth();
    const QList<double> edges = RuledColumns::edges(ledgerWidths, width);
    def.title = title(width, def.font, kind, parish, period, type);
    def.columnHeader = columnHeader(edges, def.font, kind);
    def.detail = detail(edges, def.font);
    def.summary = ReportBand();
    def.summary.height = 6;
    def.summary.add(RuledColumns::programLine({0, 1, width, 5}, def.font));
    def.pageFooter = ReportBand();
    def.pageFooter.height = 6;
    def.pageFooter.add(ReportElement::pageNumber({0, 1, width, 5}, QStringLiteral("Pagina  ")));
}

} // namespace

namespace TRepRegPartiziFrm
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const LedgerKind& kind, int code, const QDate& from,
                              const QDate& to)
{
    QSqlQuery query = readRows(db, kind, code, from, to);
    ReportTable rows = ReportTable::fromQuery(query, {ledgerDateField});
    const QString type = typeName(db, kind, code, rows);
    const ParishHeading parish = ParishHeading::read(db);
    const QString period = RuledColumns::periodText(from, to);

    auto report = std::make_unique<Report>();
    ReportDefinition& def = report->definition;
    def.name = kind.caption;
    def.orientation = QPageLayout::Portrait;
    def.font = QFont(QStringLiteral("Arial"), 8);
    def.printIfEmpty = true;
    def.data = report->keep(std::move(rows));
    def.onStart = [kind, parish, period, type](ReportDefinition& d) {
        placeBands(d, kind, parish, period, type);
    };
    return report;
}

CsvTable csv(const Report& report, const LedgerKind& kind)
{
    CsvTable out;
    out.header << ledgerDateField << numberCaption << kind.explanationHeading << amountCaption << totalCaption;
    const ReportTable& rows = report.tables.front();
    double total = 0;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const double amount = rows.value(row, amountField).toDouble();
        total += amount;
        out.rows << QStringList{
            DateFormat::toShortText(rows.value(row, ledgerDateField).toDate()),
            rows.value(row, numberField).isNull() ? QString()
                                                  : general(rows.value(row, numberField).toDouble()),
            rows.value(row, explanationField).toString(), general(amount), general(total)};
    }
    return out;
}

} // namespace TRepRegPartiziFrm
