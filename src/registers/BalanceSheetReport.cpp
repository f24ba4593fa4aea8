#include "registers/BalanceSheetReport.h"

#include "db/Sql.h"

#include <QSqlQuery>

namespace BalanceSheetReport
{

std::unique_ptr<Report> read(const QSqlDatabase& db, const QString& amountField)
{
    // The amount field is one of two names, never the user's text.
    const QString amount = amountField == forecastField ? forecastField : executionField;
    QSqlQuery rows = Sql::exec(db, QStringLiteral("SELECT Nr_rand, Denumire, Cont, %1 AS Suma FROM Bilant "
                                                  "ORDER BY Nr_rand, rowid")
                                       .arg(amount));
    QSqlQuery parish =
        Sql::exec(db, QStringLiteral("SELECT Arhiepiscopia, Protopopiatul, Parohia, Localitatea, "
                                     "Judet, Preot, Epitrop FROM Parohia LIMIT 1"));
    auto report = std::make_unique<Report>();
    ReportDefinition& def = report->definition;
    def.name = caption;
    def.paper = QPageSize(QPageSize::A4);
    def.orientation = QPageLayout::Portrait;
    def.font = QFont(QStringLiteral("Arial"), defaults.fontSize);
    def.data = report->keep(ReportTable::fromQuery(rows));
    report->keep(ReportTable::fromQuery(parish));
    return report;
}

QString parishValue(const Report& report, const QString& field)
{
    const ReportTable& parish = report.tables.at(1);
    return parish.rowCount() > 0 ? parish.value(0, field).toString() : QString();
}

ReportBand cover(const ReportDefinition& def, const Report& report, const Period& period)
{
    const double width = def.contentWidth();
    const QFont label = sized(def.font, 12);
    const QFont data = sized(def.font, 10);
    const QFont note = sized(def.font, 8);
    const QFont large = sized(def.font, 14);
    constexpr double labelWidth = 45;
    ReportBand band;
    const auto line = [&](double top, const QString& caption, const QString& field, double from, double to) {
        band.add(ReportElement::label({from, top, labelWidth, 6}, caption).withFont(label));
        band.add(ReportElement::label({from + labelWidth, top, to - from - labelWidth, 6},
                                      parishValue(report, field), Qt::AlignCenter)
                     .withFont(data));
    };
    const auto visa = [&](double top) {
        band.add(ReportElement::label({0, top, labelWidth, 4}, QStringLiteral("(loc pentru viza),"))
                     .withFont(note));
    };
    line(10, QStringLiteral("ARHIEPISCOPIA"), QStringLiteral("Arhiepiscopia"), 0, width);
    visa(16);
    line(26, QStringLiteral("PROTOPOPIATUL"), QStringLiteral("Protopopiatul"), 0, width);
    visa(32);
    line(42, QStringLiteral("PAROHIA"), QStringLiteral("Parohia"), 0, width);
    line(54, QStringLiteral("LOCALITATEA"), QStringLiteral("Localitatea"), 0, width * 0.55);
    line(54, QStringLiteral("JUDETUL"), QStringLiteral("Judet"), width * 0.55, width);

    band.add(ReportElement::label({0, 95, width, 10}, QStringLiteral("BUGET DE VENITURI SI CHELTUIELI"),
                                  Qt::AlignCenter)
                 .withFont(sized(def.font, 16)));
    const double half = width / 2;
    band.add(ReportElement::label({0, 110, half * 0.55, 8}, QStringLiteral("LA PAROHIE DE LA :"),
                                  Qt::AlignRight | Qt::AlignVCenter)
                 .withFont(large));
    band.add(ReportElement::label({half * 0.55 + 2, 110, half * 0.45, 8}, period.from).withFont(large));
    band.add(ReportElement::label({half, 110, half * 0.4, 8}, QStringLiteral("PANA LA :"),
                                  Qt::AlignRight | Qt::AlignVCenter)
                 .withFont(large));
    band.add(ReportElement::label({half * 1.4 + 2, 110, half * 0.6 - 2, 8}, period.to).withFont(large));
    band.add(ReportElement::label({20, 135, width - 20, 8},
                                  QStringLiteral("PREVEDERI   ............................"))
                 .withFont(large));
    band.add(ReportElement::label({20, 150, width - 20, 8},
                                  QStringLiteral("EXECUTIE      ............................"))
                 .withFont(large));

    // The whole first page, above the page footer.
    double footer = 0;
    for (const ReportBand* b = &def.pageFooter; b && b->enabled && !b->isEmpty(); b = b->child.get())
        footer += b->height;
    band.height = def.paperSize().height() - def.margins.top() - def.margins.bottom() - footer;
    return band;
}

ReportBand pageFooter(const ReportDefinition& def)
{
    const double width = def.contentWidth();
    ReportBand band;
    band.height = 6;
    band.add(ReportElement::pageNumber({0, 1, width / 2, 5}, QStringLiteral("Pagina  "),
                                       Qt::AlignLeft | Qt::AlignVCenter));
    ReportElement today;
    today.kind = ReportElement::Kind::Date;
    today.rect = QRectF(width / 2, 1, width / 2, 5);
    today.alignment = Qt::AlignRight | Qt::AlignVCenter;
    band.add(today);
    return band;
}

CsvTable csv(const Report& report, const QString& amountField)
{
    CsvTable out;
    out.header = QStringList{QStringLiteral("Nr rand"), QStringLiteral("Denumire"), QStringLiteral("Cont"),
                             amountField == forecastField ? forecastField : executionField};
    const ReportTable& rows = report.tables.front();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QVariant amount = rows.value(row, QStringLiteral("Suma"));
        out.rows << QStringList{rows.value(row, QStringLiteral("Nr_rand")).toString(),
                                rows.value(row, QStringLiteral("Denumire")).toString(),
                                rows.value(row, QStringLiteral("Cont")).toString(),
                                amount.isNull() ? QString() : CsvTable::number(amount.toDouble())};
    }
    return out;
}

} // namespace BalanceSheetReport
