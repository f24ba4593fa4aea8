#include "registers/RepRegCasaUnt.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"
#include "db/Sql.h"
#include "printing/ParishHeading.h"
#include "printing/RuledColumns.h"

#include <array>

const BookAccount& BookAccount::cash()
{
    static const BookAccount account{QStringLiteral("REGISTRU DE CASA"), QStringLiteral("IncasariC"),
                                     QStringLiteral("RidicariC"),        QStringLiteral("PlatiC"),
                                     QStringLiteral("DepuneriC"),        QStringLiteral("SoldC")};
    return account;
}

const BookAccount& BookAccount::bank()
{
    static const BookAccount account{QStringLiteral("REGISTRU DE BANCA"), QStringLiteral("IncasariB"),
                                     QStringLiteral("RidicariB"),         QStringLiteral("PlatiB"),
                                     QStringLiteral("DepuneriB"),         QStringLiteral("SoldB")};
    return account;
}

namespace
{

using RuledColumns::amountFormat;
using RuledColumns::cell;
using RuledColumns::ruledBand;
using RuledColumns::sized;
using RuledColumns::text;

const QString cashDateField = QStringLiteral("Data");

// The printed columns: number, kind, document number, explanation, then the
// four amounts. Widths in mm on a page 200 mm wide, scaled to the page in use;
// the kind's column holds "FACTURA" and "FISCALA" each on a line of its own.
constexpr std::array<double, 8> cashBookWidths{10, 16, 16, 70, 22, 22, 22, 22};
constexpr int cashExplanationColumn = 3;
constexpr int firstAmountColumn = 4;
const QStringList captions{"Nr crt",   "Tip doc.", "Nr. doc.", "Explicatii",
                           "Incasari", "Ridicari", "Plati",    "Depuneri"};

QStringList amountFields(const BookAccount& account)
{
    return {account.receipts, account.withdrawals, account.payments, account.deposits};
}

bool inPeriod(const QVariant& date, const QDate& from)
{
    return date.toDate() >= from;
}

// What the report keeps while it is laid out: the row number of the next
// printed row, restarted by each layout.
struct Numbering {
    int next = 1;
};

// A day's opening or closing line: its label and balance left of the amount
// columns, the running sums under them.
ReportBand balanceLine(const QList<double>& edges, double top, ReportBand band, const QString& label,
                       const std::function<QString(const ReportContext&)>& balance,
                       const BookAccount& account)
{
    constexpr double height = 5;
    band.add(ReportElement::label(cell(edges, 0, cashExplanationColumn, top, height), label));
    ReportElement balanceText =
        ReportElement::label(cell(edges, cashExplanationColumn, cashExplanationColumn, top, height), {},
                             Qt::AlignRight | Qt::AlignVCenter);
    balanceText.onPrint = [balance](const ReportContext& ctx, const QString&) { return balance(ctx); };
    band.add(balanceText);
    const QStringList fields = amountFields(account);
    for (int i = 0; i < fields.size(); ++i)
        band.add(ReportElement::sum(cell(edges, firstAmountColumn + i, firstAmountColumn + i, top, height),
                                    fields[i], amountFormat));
    return band;
}

// The rules between the amount columns, and between them and the rest.
QList<double> amountRules(const QList<double>& edges)
{
    return edges.mid(firstAmountColumn, edges.size() - firstAmountColumn - 1);
}

// Before the day's first row: its date, the column captions, and the balance
// of the row before (0.00 before the first row of the work table) with the
// sums of every row before the day.
ReportBand dayHeader(const QList<double>& edges, const QFont& font, const BookAccount& account,
                     const ReportTable* table)
{
    constexpr double dateHeight = 6, captionHeight = 5;
    ReportBand band;
    band.height = dateHeight + captionHeight + 5;
    band.add(ReportElement::data({0, 0, edges.last(), dateHeight}, cashDateField, {}, Qt::AlignCenter)
                 .withFont(sized(font, 10, true)));
    for (int i = 0; i < captions.size(); ++i) {
        band.add(RuledColumns::box(edges, i, i, dateHeight, captionHeight));
        band.add(text(cell(edges, i, i, dateHeight, captionHeight), captions[i], Qt::AlignCenter, font));
    }
    band.add(RuledColumns::box(edges, 0, int(captions.size()) - 1, dateHeight + captionHeight, 5));
    for (double x : amountRules(edges)) {
        ReportElement rule;
        rule.kind = ReportElement::Kind::Line;
        rule.rect = QRectF(x, dateHeight + captionHeight, 0, 5);
        band.add(rule);
    }
    const QString balanceField = account.balance;
    return balanceLine(
        edges, dateHeight + captionHeight, band, TRepRegCasaFrm::openingLine,
        [table, balanceField](const ReportContext& ctx) {
            const double previous =
                ctx.row() > 0 ? table->value(ctx.row() - 1, balanceField).toDouble() : 0.0;
            return FieldFormat::formatNumber(previous, amountFormat);
        },
        account);
}

// After the day's last row: its balance and the sums up to it.
ReportBand dayFooter(const QList<double>& edges, const BookAccount& account)
{
    const QString balanceField = account.balance;
    return balanceLine(
        edges, 0, ruledBand(edges, 5, amountRules(edges)), TRepRegCasaFrm::closingLine,
        [balanceField](const ReportContext& ctx) {
            return FieldFormat::formatNumber(ctx.value(balanceField).toDouble(), amountFormat);
        },
        account);
}

ReportBand detail(const QList<double>& edges, const BookAccount& account,
                  const std::shared_ptr<Numbering>& numbering)
{
    constexpr double height = 4.5;
    ReportBand band = RuledColumns::ruledLine(edges, height);
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    ReportElement number = ReportElement::label(cell(edges, 0, 0, 0, height), {}, right);
    number.onPrint = [numbering](const ReportContext&, const QString&) {
        return QString::number(numbering->next++);
    };
    band.add(number);
    // A long kind ("FACTURA FISCALA") wraps in its narrow column, readable and whole.
    ReportElement kind = ReportElement::data(cell(edges, 1, 1, 0, height), QStringLiteral("Fel"));
    kind.wrap = true;
    band.add(kind);
    band.add(ReportElement::data(cell(edges, 2, 2, 0, height), QStringLiteral("Nr_doc"), {}, right));
    ReportElement explanation = ReportElement::data(
        cell(edges, cashExplanationColumn, cashExplanationColumn, 0, height), QStringLiteral("Explicatii"));
    explanation.wrap = true;
    band.add(explanation);
    const QStringList fields = amountFields(account);
    for (int i = 0; i < fields.size(); ++i)
        band.add(ReportElement::data(cell(edges, firstAmountColumn + i, firstAmountColumn + i, 0, height),
                                     fields[i], amountFormat, right));
    return band;
}

ReportBand title(double width, const QFont& font, const ParishHeading& parish, const QString& heading)
{
    ReportBand band;
    const QFont small = sized(font, 8);
    double y = 0;
    for (const QString& line : {parish.archdiocese, parish.deanery, parish.parish}) {
        band.add(text({0, y, width, 4}, line, Qt::AlignLeft | Qt::AlignVCenter, small));
        y += 4;
    }
    band.add(text({0, y + 2, width, 7}, heading, Qt::AlignCenter, sized(font, 12, true)));
    band.height = y + 11;
    return band;
}

ReportBand summary(double width, const QFont& font, const ParishHeading& parish)
{
    ReportBand band;
    band.add(RuledColumns::programLine({0, 1, width, 4}, font));
    const QStringList signatures{"Conducatorul unitatii,", "Consilier economic,",
                                 "Compartiment financiar-contabil,,", "Intocmit,"};
    const QStringList names{parish.priest, parish.churchwarden, {}, {}};
    const double column = width / signatures.size();
    for (int i = 0; i < signatures.size(); ++i) {
        band.add(text({i * column, 8, column, 4}, signatures[i], Qt::AlignCenter, font));
        if (!names[i].isEmpty())
            band.add(text({i * column, 13, column, 4}, names[i], Qt::AlignCenter, font));
    }
    band.height = 20;
    return band;
}

void placeBands(ReportDefinition& def, const BookAccount& account, const QDate& from,
                const ParishHeading& parish, const std::shared_ptr<Numbering>& numbering)
{
    numbering->next = 1;
    const double width = def.contentWidth();
    const QList<double> edges = RuledColumns::edges(cashBookWidths, width);
    const auto printedDay = [from](const ReportContext& ctx) { return inPeriod(ctx.value(cashDateField), from); };

    def.title = title(width, def.font, parish, account.heading);
    def.groups.clear();
    ReportGroup day;
    day.field = cashDateField;
    day.header = dayHeader(edges, def.font, account, def.data);
    day.header.beforePrint = printedDay;
    day.footer = dayFooter(edges, account);
    day.footer.beforePrint = printedDay;
    def.groups << day;
    def.detail = detail(edges, account, numbering);
    def.detail.beforePrint = printedDay;
    def.summary = summary(width, def.font, parish);
    def.pageFooter = ReportBand();
    def.pageFooter.height = 6;
    def.pageFooter.add(
        ReportElement::pageNumber({0, 1, width, 5}, QStringLiteral("Pag.%1 din %2"), Qt::AlignCenter));
}

} // namespace

namespace TRepRegCasaFrm
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const BookAccount& account, const QDate& from,
                              const QDate& to)
{
    const QStringList fields = amountFields(account);
    Sql::exec(db,
              QStringLiteral("DELETE FROM Registru WHERE (Data > :Stop) OR ((%1 = 0.0) AND (%2 = 0.0) AND "
                             "(%3 = 0.0) AND (%4 = 0.0))")
                  .arg(fields[0], fields[1], fields[2], fields[3]),
              {{QStringLiteral(":Stop"), to.toString(Qt::ISODate)}});
    // Within a day the rows keep the order the computation gave them, which
    // is the order of their balances.
    QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT Data, Fel, Nr_doc, Explicatii, %1, %2, %3, %4, %5 "
                                                   "FROM Registru ORDER BY Data, Id")
                                        .arg(fields[0], fields[1], fields[2], fields[3], account.balance));

    auto report = std::make_unique<Report>();
    report->noRowsMessage = noRows;
    ReportDefinition& def = report->definition;
    def.name = caption;
    def.orientation = QPageLayout::Portrait;
    def.font = QFont(QStringLiteral("Arial"), 8);
    def.data = report->keep(ReportTable::fromQuery(query, {cashDateField}));
    const ParishHeading parish = ParishHeading::read(db);
    def.onStart = [account, from, parish, numbering = std::make_shared<Numbering>()](ReportDefinition& d) {
        placeBands(d, account, from, parish, numbering);
    };
    return report;
}

CsvTable csv(const Report& report, const BookAccount& account, const QDate& from)
{
    CsvTable out;
    out.header << cashDateField << captions.mid(0, firstAmountColumn) << QStringLiteral("Sold")
               << captions.mid(firstAmountColumn);
    const ReportTable& table = report.tables.front();
    const QStringList fields = amountFields(account);
    std::array<double, 4> sums{};
    double balance = 0; // after the last row read
    int number = 1;
    const auto balanceLine = [&](const QString& date, const QString& label) {
        QStringList line{date, {}, {}, {}, label, CsvTable::number(balance)};
        for (double sum : sums)
            line << CsvTable::number(sum);
        out.rows << line;
    };
    for (int row = 0; row < table.rowCount(); ++row) {
        const QVariant date = table.value(row, cashDateField);
        const bool printed = inPeriod(date, from);
        const QString dateText = DateFormat::toShortText(date.toDate());
        const bool firstOfDay = row == 0 || table.value(row - 1, cashDateField) != date;
        const bool lastOfDay = row == table.rowCount() - 1 || table.value(row + 1, cashDateField) != date;
        if (printed && firstOfDay)
            balanceLine(dateText, openingLine);
        QStringList line{dateText};
        if (printed)
            line << QString::number(number++) << table.value(row, QStringLiteral("Fel")).toString()
                 << CsvTable::number(table.value(row, QStringLiteral("Nr_doc")).toDouble(), -1)
                 << table.value(row, QStringLiteral("Explicatii")).toString() << QString();
        for (int i = 0; i < fields.size(); ++i) {
            const double amount = table.value(row, fields[i]).toDouble();
            sums[std::size_t(i)] += amount;
            line << CsvTable::number(amount);
        }
        balance = table.value(row, account.balance).toDouble();
        if (printed)
            out.rows << line;
        if (printed && lastOfDay)
            balanceLine(dateText, closingLine);
    }
    return out;
}

} // namespace TRepRegCasaFrm
