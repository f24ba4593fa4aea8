#include "contributions/ContributionListLayout.h"

#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "db/FieldFormat.h"
#include "printing/ParishHeading.h"

namespace ContributionListLayout
{
namespace
{

constexpr double lineHeight = 5;
constexpr double captionRow = 6;
constexpr double padding = 0.8;

QFont boldFont()
{
    QFont font(QStringLiteral("Arial"), 9);
    font.setBold(true);
    return font;
}

ReportElement boxed(double left, double right, double top, double height)
{
    ReportElement box;
    box.kind = ReportElement::Kind::Box;
    box.rect = QRectF(left, top, right - left, height);
    return box;
}

QRectF inside(double left, double right, double top, double height)
{
    return QRectF(left + padding, top, right - left - 2 * padding, height);
}

ReportBand titleBand(const QList<TitleLine>& lines)
{
    ReportBand band;
    ReportElement today;
    today.kind = ReportElement::Kind::Date;
    today.rect = QRectF(150, 0, 40, lineHeight);
    today.alignment = Qt::AlignRight | Qt::AlignVCenter;
    band.add(today);
    double top = 0;
    for (const TitleLine& line : lines) {
        if (line.style == TitleLine::Style::Labelled) {
            band.add(ReportElement::label(QRectF(0, top, 79, lineHeight), line.text,
                                          Qt::AlignRight | Qt::AlignVCenter)
                         .withFont(boldFont()));
            band.add(ReportElement::label(QRectF(81, top, 109, lineHeight), line.value).withFont(boldFont()));
        } else if (line.style == TitleLine::Style::Heading) {
            top += 2;
            band.add(ReportElement::label(QRectF(0, top, 190, lineHeight + 1), line.text, Qt::AlignCenter)
                         .withFont(boldFont()));
        } else {
            band.add(ReportElement::label(QRectF(0, top, 140, lineHeight), line.text));
        }
        top += lineHeight + (line.style == TitleLine::Style::Plain ? 0 : 1);
    }
    band.height = top + 3;
    return band;
}

ReportBand captionBand(const QList<Column>& columns, const QList<double>& x, const QString& underText,
                       int underColumn)
{
    const bool twoRows =
        !underText.isEmpty() ||
        std::any_of(columns.begin(), columns.end(), [](const Column& c) { return !c.group.isEmpty(); });
    const double height = twoRows ? 2 * captionRow : captionRow;
    ReportBand band;
    band.height = height;
    for (int i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        const double left = x[i], right = x[i + 1];
        if (c.group.isEmpty() && !(i == underColumn && !underText.isEmpty())) {
            band.add(boxed(left, right, 0, height));
            band.add(ReportElement::label(inside(left, right, 0, height), c.heading, Qt::AlignCenter));
            continue;
        }
        if (c.group.isEmpty()) { // the caption with a line beneath it
            band.add(boxed(left, right, 0, height));
            band.add(ReportElement::label(inside(left, right, 0, captionRow), c.heading, Qt::AlignCenter));
            band.add(ReportElement::label(inside(left, right, captionRow, captionRow), underText,
                                          Qt::AlignCenter));
            continue;
        }
        // The group's caption once, over the run of its columns.
        if (i == 0 || columns[i - 1].group != c.group) {
            int last = i;
            while (last + 1 < columns.size() && columns[last + 1].group == c.group)
                ++last;
            band.add(boxed(left, x[last + 1], 0, captionRow));
            band.add(
                ReportElement::label(inside(left, x[last + 1], 0, captionRow), c.group, Qt::AlignCenter));
        }
        band.add(boxed(left, right, captionRow, captionRow));
        band.add(
            ReportElement::label(inside(left, right, captionRow, captionRow), c.heading, Qt::AlignCenter));
    }
    return band;
}

ReportBand detailBand(const QList<Column>& columns, const QList<double>& x)
{
    ReportBand band;
    band.height = lineHeight;
    band.ruled = true;
    band.ruleWidth = x.last();
    for (int i = 0; i < columns.size(); ++i) {
        if (i > 0)
            band.rules.append(x[i]);
        band.add(ReportElement::data(inside(x[i], x[i + 1], 0, lineHeight), columns[i].field, {},
                                     columns[i].alignment));
    }
    return band;
}

} // namespace

QList<double> edges(const QList<Column>& columns)
{
    QList<double> x{0};
    for (const Column& c : columns)
        x.append(x.last() + c.width);
    return x;
}

std::unique_ptr<Report> build(const QString& name, const QList<TitleLine>& title,
                              const QList<Column>& columns, ReportTable data, const QString& underText,
                              int underColumn)
{
    auto report = std::make_unique<Report>();
    ReportDefinition& def = report->definition;
    def.name = name;
    def.data = report->keep(std::move(data));
    const QList<double> x = edges(columns);
    def.title = titleBand(title);
    def.columnHeader = captionBand(columns, x, underText, underColumn);
    def.detail = detailBand(columns, x);
    def.pageFooter.height = lineHeight;
    def.pageFooter.add(
        ReportElement::pageNumber(QRectF(0, 1, x.last(), lineHeight - 1), QStringLiteral("Pagina  ")));
    def.summary.height = lineHeight + 2;
    def.summary.add(ReportElement::label(QRectF(0, 2, x.last(), lineHeight),
                                         QStringLiteral("Lumivaret, produs Morvalen")));
    return report;
}

QList<TitleLine> parishLines(const QSqlDatabase& db)
{
    const ParishHeading parish = ParishHeading::read(db);
    return {{QStringLiteral("Arhiepiscopia : ") + parish.archdiocese},
            {QStringLiteral("Protopopiatul : ") + parish.deanery},
            {QStringLiteral("Parohia : ") + parish.parish}};
}

QString amountText(std::optional<double> amount)
{
    return amount ? FieldFormat::formatNumber(*amount, QString()) : QString();
}

QString shownName(const QString& name, const QString& code, bool compoundNames)
{
    return compoundNames ? name + QStringLiteral(" (") + code + QLatin1Char(')') : name;
}

bool compoundNamesOption()
{
    return ProgramOptions::read(programFolder() + ProgramOptions::fileName).compoundNames;
}

QStringList csvHeader(const QList<Column>& columns)
{
    QStringList header;
    for (const Column& c : columns)
        header << (c.group.isEmpty() ? c.heading : c.group + QStringLiteral(" / ") + c.heading);
    return header;
}

} // namespace ContributionListLayout
