#include "operations/ReceiptLayout.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"
#include "printing/BreakableText.h"
#include "printing/DocumentBands.h"
#include "printing/SumaInLitere.h"

namespace ReceiptLayout
{

namespace
{

using DocumentBands::documentFont;
using DocumentBands::followedBy;
using DocumentBands::wrapped;

constexpr double lineHeight = 7; // a row of the table of lines
constexpr double padding = 1.5;  // between a cell's rules and its text

// The columns of the table of lines across the width between the margins:
// the code and the amount keep their width, the type's name and the
// explanation share the rest.
struct Columns {
    double code = 14, type, explanation, amount = 32;
    explicit Columns(double width)
    {
        type = (width - code - amount) * 0.45;
        explanation = width - code - amount - type;
    }
    double typeLeft() const { return code; }
    double explanationLeft() const { return code + type; }
    double amountLeft() const { return code + type + explanation; }
    QList<double> rules() const { return {typeLeft(), explanationLeft(), amountLeft()}; }
};

QFont boldOf(QFont font)
{
    font.setBold(true);
    return font;
}

// The text of a cell, inset from its rules.
QRectF cell(double left, double width, double top = 0, double height = lineHeight)
{
    return {left + padding, top, width - 2 * padding, height};
}

ReportBand ruledRow(const Columns& columns, double width)
{
    ReportBand band;
    band.height = lineHeight;
    band.ruled = true;
    band.ruleWidth = width;
    band.rules = columns.rules();
    return band;
}

void addHeading(ReportDefinition& r, const ParishHeading& parish, const QString& payer)
{
    const double width = r.contentWidth();
    ReportBand& t = r.title;
    t = ReportBand();
    t.height = 24;
    const QList<std::pair<QString, QString>> lines{{QStringLiteral("Arhiepiscopia :"), parish.archdiocese},
                                                   {QStringLiteral("Protopopiatul :"), parish.deanery},
                                                   {QStringLiteral("Parohia :"), parish.parish}};
    double y = 0;
    for (const auto& [caption, value] : lines) {
        t.add(ReportElement::label({0, y, 35, 6}, caption));
        t.add(ReportElement::label({35, y, width - 35, 6}, value));
        y += 6;
    }
    // Last in its band: a long address pushes the title down.
    t.add(ReportElement::label({0, y, 35, 6}, QStringLiteral("Adresa :")));
    t.add(wrapped(ReportElement::label({35, y, width - 35, 6}, parish.address), r.font));

    ReportBand& title = followedBy(t, 34);
    title.add(ReportElement::label({0, 6, width, 14}, QStringLiteral("CHITANTA"), Qt::AlignCenter)
                  .withFont(documentFont(24, true)));
    ReportElement numberAndDate =
        ReportElement::label({0, 22, width, 8}, QString(), Qt::AlignCenter).withFont(documentFont(14));
    numberAndDate.onPrint = [](const ReportContext& c, const QString&) {
        return QStringLiteral("Nr. %1 din data %2")
            .arg(FieldFormat::formatNumber(c.value(QStringLiteral("Nr_act")).toDouble(), QString()),
                 DateFormat::toShortText(c.value(QStringLiteral("Data")).toDate()));
    };
    title.add(numberAndDate);

    ReportBand& from = followedBy(title, 12);
    from.add(ReportElement::label({0, 2, 35, 6}, QStringLiteral("Am primit de la :")));
    from.add(wrapped(ReportElement::label({35, 2, width - 35, 6}, payer), r.font));
}

void addLines(ReportDefinition& r, const Columns& columns)
{
    const double width = r.contentWidth();
    const QFont bold = boldOf(r.font);
    r.columnHeader = ruledRow(columns, width);
    r.columnHeader.add(
        ReportElement::label(cell(0, columns.code), QStringLiteral("Cod"), Qt::AlignCenter).withFont(bold));
    r.columnHeader.add(
        ReportElement::label(cell(columns.typeLeft(), columns.type), QStringLiteral("Tip venit"))
            .withFont(bold));
    r.columnHeader.add(ReportElement::label(cell(columns.explanationLeft(), columns.explanation),
                                            QStringLiteral("Explicatie"))
                           .withFont(bold));
    r.columnHeader.add(ReportElement::label(cell(columns.amountLeft(), columns.amount),
                                            QStringLiteral("Suma (lei)"), Qt::AlignRight | Qt::AlignVCenter)
                           .withFont(bold));

    // The names and explanations wrap from one millimetre below the row's top.
    r.detail = ruledRow(columns, width);
    r.detail.add(
        ReportElement::data(cell(0, columns.code), QStringLiteral("Cod_venit"), {}, Qt::AlignCenter));
    r.detail.add(wrapped(ReportElement::data(cell(columns.typeLeft(), columns.type, 1, lineHeight - 2),
                                             QStringLiteral("Den_venit")),
                         r.font));
    r.detail.add(
        wrapped(ReportElement::data(cell(columns.explanationLeft(), columns.explanation, 1, lineHeight - 2),
                                    QStringLiteral("Explicatie")),
                r.font));
    r.detail.add(ReportElement::data(cell(columns.amountLeft(), columns.amount), QStringLiteral("Valoarea"),
                                     QStringLiteral("#,##0.00"), Qt::AlignRight | Qt::AlignVCenter));
}

// The total of several lines, the amount in figures and in words, the
// signature and the credit line.
void addClosing(ReportDefinition& r, const Columns& columns, bool severalLines)
{
    const double width = r.contentWidth();
    const QString amount = QStringLiteral("Valoarea");
    ReportBand* last = &r.summary;
    r.summary = ReportBand();
    const QFont bold = boldOf(r.font);
    if (severalLines) {
        r.summary = ruledRow(columns, width);
        r.summary.rules = {columns.amountLeft()};
        r.summary.add(ReportElement::label(cell(0, columns.amountLeft()), QStringLiteral("Total"),
                                           Qt::AlignRight | Qt::AlignVCenter)
                          .withFont(bold));
        r.summary.add(ReportElement::sum(cell(columns.amountLeft(), columns.amount), amount).withFont(bold));
        last = &followedBy(r.summary, 0);
    }
    ReportBand& total = *last;
    total.height = 22;
    total.add(ReportElement::label({0, 6, 32, 7}, QStringLiteral("Suma incasata :")));
    ReportElement figures = ReportElement::sum({32, 6, 30, 7}, amount).withFont(bold);
    figures.alignment = Qt::AlignRight | Qt::AlignVCenter;
    total.add(figures);
    total.add(ReportElement::label({64, 6, 30, 7}, QStringLiteral("lei, adica")));
    ReportElement words = ReportElement::label({0, 14, width, 7}, QString());
    words.wrap = true;
    words.onPrint = [font = r.font, width, amount](const ReportContext& c, const QString&) {
        return breakableText(SumaInLitere(false, c.sum(amount)), font, width);
    };
    total.add(words);

    ReportBand& signature = followedBy(total, 36);
    signature.add(ReportElement::label({width - 75, 8, 65, 6}, QStringLiteral("Casier,")));
    ReportElement line;
    line.kind = ReportElement::Kind::Line;
    line.rect = {width - 75, 24, 65, 0};
    signature.add(line);
    signature.add(ReportElement::label({0, 30, width, 5}, QStringLiteral("Lumivaret, produs Morvalen"),
                                       Qt::AlignRight | Qt::AlignVCenter)
                      .withFont(documentFont(8)));
}

} // namespace

QString payerOf(const ReportTable& lines)
{
    for (int row = 0; row < lines.rowCount(); ++row) {
        const QString name = lines.value(row, QStringLiteral("Den_enorias")).toString().trimmed();
        const QString code = lines.value(row, QStringLiteral("Cod_enorias")).toString().trimmed();
        if (code.isEmpty() && name.isEmpty())
            continue;
        if (code.isEmpty())
            return name;
        const QString codeText = QStringLiteral("cod ") + code;
        return name.isEmpty() ? codeText : name + QStringLiteral(" (") + codeText + QLatin1Char(')');
    }
    for (int row = 0; row < lines.rowCount(); ++row) {
        const QString explanation = lines.value(row, QStringLiteral("Explicatie")).toString().trimmed();
        if (!explanation.isEmpty())
            return explanation;
    }
    return {};
}

std::unique_ptr<Report> build(const ParishHeading& parish, ReportTable lines)
{
    const QString payer = payerOf(lines);
    const bool severalLines = lines.rowCount() > 1;
    auto report = std::make_unique<Report>();
    ReportDefinition& r = report->definition;
    r.name = QStringLiteral("Chitanta");
    r.data = report->keep(std::move(lines));
    // Laid out when the report runs, on the paper, orientation and margins chosen in the print setup.
    r.onStart = [parish, payer, severalLines](ReportDefinition& definition) {
        const Columns columns(definition.contentWidth());
        addHeading(definition, parish, payer);
        addLines(definition, columns);
        addClosing(definition, columns, severalLines);
    };
    return report;
}

} // namespace ReceiptLayout
