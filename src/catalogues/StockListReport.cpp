#include "catalogues/StockListReport.h"

#include "db/DateFormat.h"
#include "db/Sql.h"
#include "printing/ParishHeading.h"
#include "printing/RuledColumns.h"

#include <QSqlQuery>

namespace StockListReport
{
namespace
{

const QString amountFormat = QStringLiteral("#,##0.00");
const QString quantityFormat = QStringLiteral("0.00");

struct Column {
    QString heading;
    QString field; // of the report's table
    double width;  // mm on a 190 mm wide table
    int alignment;
    QString format;
};

const QList<Column>& printedColumns()
{
    constexpr int left = Qt::AlignLeft | Qt::AlignVCenter;
    constexpr int right = Qt::AlignRight | Qt::AlignVCenter;
    static const QList<Column> list{
        {QStringLiteral("Nr crt"), QStringLiteral("NrCrt"), 12, right, {}},
        {QStringLiteral("Denumire"), QStringLiteral("DenDesc"), 94, left, {}},
        {QStringLiteral("Cantitate"), QStringLiteral("Cantitate"), 20, right, quantityFormat},
        {QStringLiteral("U.M."), QStringLiteral("UM"), 14, Qt::AlignCenter, {}},
        {QStringLiteral("Pret"), QStringLiteral("Pret"), 24, right, amountFormat},
        {QStringLiteral("Valoare"), QStringLiteral("Valoare"), 26, right, amountFormat},
    };
    return list;
}

QList<double> edges()
{
    QList<double> x{0};
    for (const Column& c : printedColumns())
        x.append(x.last() + c.width);
    return x;
}

constexpr double lineHeight = 5;
constexpr double captionHeight = 7;
constexpr double padding = RuledColumns::textPadding;

QFont font(int points, bool bold = false)
{
    QFont f(QStringLiteral("Arial"), points);
    f.setBold(bold);
    return f;
}

QRectF inside(const QList<double>& x, int column, double top, double height)
{
    return RuledColumns::cell(x, column, column, top, height, padding);
}

// An item is held on the date when it had entered by then and not yet left.
ReportTable readItems(const QSqlDatabase& db, const QDate& date)
{
    QSqlQuery query = Sql::exec(
        db,
        QStringLiteral("SELECT ID, Denumire, Descriere, Cantitate, UM, Pret, DataIn, DataOut "
                       "FROM Stoc "
                       "WHERE (NULLIF(CAST(DataIn AS TEXT), '') IS NULL OR DataIn <= :Data) "
                       "AND (NULLIF(CAST(DataOut AS TEXT), '') IS NULL OR DataOut > :Data) "
                       "ORDER BY Denumire COLLATE RO, Descriere COLLATE RO, Cantitate, UM COLLATE RO, Pret, "
                       "DataIn, DataOut, ID"),
        {{QStringLiteral(":Data"), date.toString(Qt::ISODate)}});
    ReportTable table;
    table.fields = {QStringLiteral("NrCrt"), QStringLiteral("DenDesc"), QStringLiteral("Cantitate"),
                    QStringLiteral("UM"),    QStringLiteral("Pret"),    QStringLiteral("Valoare")};
    while (query.next()) {
        const double quantity = query.value(3).toDouble();
        const double price = query.value(5).toDouble();
        table.rows.append({table.rowCount() + 1,
                           shownName(query.value(1).toString(), query.value(2).toString()), quantity,
                           query.value(4).toString(), price, price * quantity});
    }
    return table;
}

// The parish's lines at the left, the title across the page, the boxed
// column headings: on every page.
ReportBand pageHeader(const ParishHeading& parish, const QDate& date, const QList<double>& x)
{
    ReportBand band;
    const double width = x.last();
    band.add(ReportElement::label(QRectF(0, 0, width, lineHeight), parish.parish).withFont(font(10, true)));
    band.add(ReportElement::label(QRectF(0, lineHeight, 24, lineHeight), QStringLiteral("Protopopiatul:"))
                 .withFont(font(8, true)));
    band.add(ReportElement::label(QRectF(25, lineHeight, width - 25, lineHeight), parish.deanery));
    band.add(ReportElement::label(QRectF(0, 2 * lineHeight, 24, lineHeight), QStringLiteral("Adresa:"))
                 .withFont(font(8, true)));
    band.add(ReportElement::label(QRectF(25, 2 * lineHeight, width - 25, lineHeight), parish.address));

    const double titleTop = 3 * lineHeight + 3;
    band.add(
        ReportElement::label(QRectF(0, titleTop, width, lineHeight + 2),
                             QStringLiteral("Situatia stocurilor la data ") + DateFormat::toShortText(date),
                             Qt::AlignCenter)
            .withFont(font(11, true)));

    const double captionsTop = titleTop + lineHeight + 5;
    for (int i = 0; i < printedColumns().size(); ++i) {
        band.add(RuledColumns::box(x, i, i, captionsTop, captionHeight));
        band.add(ReportElement::label(inside(x, i, captionsTop, captionHeight), printedColumns()[i].heading,
                                      Qt::AlignCenter)
                     .withFont(font(8, true)));
    }
    band.height = captionsTop + captionHeight;
    return band;
}

ReportBand detail(const QList<double>& x)
{
    ReportBand band = RuledColumns::ruledLine(x, lineHeight);
    for (int i = 0; i < printedColumns().size(); ++i) {
        const Column& c = printedColumns()[i];
        ReportElement field =
            ReportElement::data(inside(x, i, 0, lineHeight), c.field, c.format, c.alignment);
        field.wrap = c.field == QStringLiteral("DenDesc"); // a long name and description take more lines
        band.add(field);
    }
    return band;
}

ReportBand summary(const QList<double>& x)
{
    const int value = int(printedColumns().size()) - 1;
    ReportBand band;
    band.add(ReportElement::label(QRectF(0, 1, x[value] - 2, lineHeight + 1),
                                  QStringLiteral("Total general:"), Qt::AlignRight | Qt::AlignVCenter)
                 .withFont(font(9, true)));
    band.add(RuledColumns::box(x, value, value, 1, lineHeight + 1));
    band.add(ReportElement::sum(inside(x, value, 1, lineHeight + 1), QStringLiteral("Valoare"), amountFormat)
                 .withFont(font(9, true)));
    band.add(RuledColumns::programLine(QRectF(0, lineHeight + 4, x.last(), lineHeight), font(8)));
    band.height = 2 * lineHeight + 4;
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
    ReportElement printed;
    printed.kind = ReportElement::Kind::Date;
    printed.rect = QRectF(0, 1, 60, lineHeight);
    band.add(printed);
    band.add(ReportElement::pageNumber(QRectF(x.last() - 40, 1, 40, lineHeight), QStringLiteral("Pag. ")));
    return band;
}

} // namespace

QString shownName(const QString& name, const QString& description)
{
    return description.trimmed().isEmpty() ? name : name + QStringLiteral(" - ") + description;
}

std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& date)
{
    auto report = std::make_unique<Report>();
    ReportDefinition& def = report->definition;
    def.name = QStringLiteral("Raport lista stocurilor");
    def.data = report->keep(readItems(db, date));
    report->noRowsMessage =
        QStringLiteral("Nu exista stocuri la data de %1.").arg(DateFormat::toShortText(date));
    const QList<double> x = edges();
    def.pageHeader = pageHeader(ParishHeading::read(db), date, x);
    def.detail = detail(x);
    def.summary = summary(x);
    def.pageFooter = pageFooter(x);
    return report;
}

CsvTable csv(const Report& report)
{
    CsvTable table;
    for (const Column& c : printedColumns())
        table.header << c.heading;
    const ReportTable& items = *report.definition.data;
    for (int row = 0; row < items.rowCount(); ++row) {
        const auto number = [&](const QString& field) {
            return CsvTable::number(items.value(row, field).toDouble());
        };
        table.rows.append({items.value(row, QStringLiteral("NrCrt")).toString(),
                           items.value(row, QStringLiteral("DenDesc")).toString(),
                           number(QStringLiteral("Cantitate")),
                           items.value(row, QStringLiteral("UM")).toString(), number(QStringLiteral("Pret")),
                           number(QStringLiteral("Valoare"))});
    }
    return table;
}

} // namespace StockListReport
