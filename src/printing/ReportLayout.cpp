#include "printing/ReportLayout.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"

#include <QFontMetricsF>
#include <QImage>

namespace
{

// Texts are measured on a fine device so that millimetre sizes come out
// the same on every output.
constexpr int measureDpi = 1200;

const QPaintDevice& measureDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(qRound(measureDpi / 0.0254));
        image.setDotsPerMeterY(qRound(measureDpi / 0.0254));
        return image;
    }();
    return device;
}

double pxToMm(double px)
{
    return px * 25.4 / measureDpi;
}
double mmToPx(double mm)
{
    return mm * measureDpi / 25.4;
}

QString formatValue(const QVariant& value, const QString& format)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldFormat::formatNumber(value.toDouble(), format);
    case QMetaType::QDate:
        return DateFormat::toShortText(value.toDate());
    case QMetaType::QDateTime:
        return DateFormat::toShortText(value.toDateTime().date());
    case QMetaType::Int:
    case QMetaType::LongLong:
        return format.isEmpty() ? value.toString() : FieldFormat::formatNumber(value.toDouble(), format);
    default:
        return value.toString();
    }
}

} // namespace

double ReportLayout::textHeight(const QString& text, const QFont& font, double width)
{
    const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(&measureDevice()));
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, mmToPx(width), 1e9),
                                               Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return pxToMm(bounds.height());
}

PageModel ReportLayout::run(ReportDefinition& report)
{
    ReportLayout first(report, 0);
    PageModel model = first.pass();
    if (!first.usesPageCount())
        return model;
    // A preparation pass counted the pages; the second one prints "Pag. 3 din 7".
    ReportLayout second(report, int(model.pages.size()));
    return second.pass();
}

ReportLayout::ReportLayout(ReportDefinition& report, int pageCount) : m_report(report)
{
    m_context.m_report = &report;
    m_context.m_table = report.data;
    m_context.m_pageCount = pageCount;
    m_context.m_sums = &m_sums;
    m_model.paper = report.paper;
    m_model.orientation = report.orientation;
}

bool ReportLayout::usesPageCount() const
{
    const auto bandUses = [](const ReportBand& band) {
        for (const ReportElement& e : band.elements)
            if (e.kind == ReportElement::Kind::PageNumber && e.text.contains(QLatin1String("%2")))
                return true;
        return false;
    };
    return bandUses(m_report.pageHeader) || bandUses(m_report.pageFooter) || bandUses(m_report.title) ||
           bandUses(m_report.summary) || bandUses(m_report.columnHeader);
}

double ReportLayout::bottomLimit() const
{
    return m_report.paperSize().height() - m_report.margins.bottom() - bandHeight(m_report.pageFooter);
}

void ReportLayout::addToSums(int row)
{
    if (!m_report.data)
        return;
    for (const QString& field : std::as_const(m_sumFields))
        m_sums[field] += m_report.data->value(row, field).toDouble();
}

PageModel ReportLayout::pass()
{
    if (m_report.onStart)
        m_report.onStart(m_report);
    // Every SUM field of the report accumulates from the first row on.
    const auto collect = [this](const ReportBand& band) {
        for (const ReportElement& e : band.elements)
            if (e.kind == ReportElement::Kind::Sum && !m_sumFields.contains(e.field))
                m_sumFields << e.field;
    };
    for (const ReportBand* band : {&m_report.title, &m_report.pageHeader, &m_report.columnHeader,
                                   &m_report.detail, &m_report.summary, &m_report.pageFooter})
        collect(*band);
    for (const ReportGroup& g : std::as_const(m_report.groups)) {
        collect(g.header);
        collect(g.footer);
    }

    const int rows = m_report.data ? m_report.data->rowCount() : 0;
    if (rows == 0 && !m_report.printIfEmpty)
        return m_model;

    // The title and the first page header read the first row.
    m_context.m_row = rows > 0 ? 0 : -1;
    startPage();
    printBand(m_report.title);
    for (int row = 0; row < rows; ++row) {
        m_context.m_row = row;
        // Group headers of the groups that start here, with the sums before this row.
        int firstChanged = int(m_report.groups.size());
        for (int g = 0; g < m_report.groups.size(); ++g) {
            const QString& field = m_report.groups[g].field;
            if (row == 0 || m_report.data->value(row, field) != m_report.data->value(row - 1, field)) {
                firstChanged = g;
                break;
            }
        }
        for (int g = firstChanged; g < m_report.groups.size(); ++g)
            printBand(m_report.groups[g].header);

        // A new-page mark changed by a handler applies from the next printing on.
        const bool newPage = m_report.detail.newPage;
        const bool printed = !m_report.detail.beforePrint || m_report.detail.beforePrint(m_context);
        if (printed) {
            // The page breaks before the row is counted, so that a page footer
            // shows the totals of the rows printed on its page.
            const double height = bandHeight(m_report.detail);
            if (!m_atPageTop && (newPage || m_y + height > bottomLimit())) {
                finishPage();
                startPage();
            }
        }
        addToSums(row);
        if (printed)
            printBand(m_report.detail, false);

        for (const ReportSubDetail& sub : std::as_const(m_report.subDetails)) {
            if (!sub.table)
                continue;
            const QVariant key = m_report.data->value(row, sub.masterField);
            bool headerDone = false;
            for (int subRow = 0; subRow < sub.table->rowCount(); ++subRow) {
                if (sub.table->value(subRow, sub.detailField) != key)
                    continue;
                m_context.m_subTable = sub.table;
                m_context.m_subRow = subRow;
                if (!headerDone) {
                    printBand(sub.header);
                    headerDone = true;
                }
                printBand(sub.detail);
            }
            m_context.m_subTable = nullptr;
            m_context.m_subRow = -1;
        }

        // Footers of the groups that end here, innermost first, reading this last row.
        int lastEnding = int(m_report.groups.size());
        for (int g = 0; g < m_report.groups.size(); ++g) {
            const QString& field = m_report.groups[g].field;
            if (row == rows - 1 || m_report.data->value(row, field) != m_report.data->value(row + 1, field)) {
                lastEnding = g;
                break;
            }
        }
        for (int g = int(m_report.groups.size()) - 1; g >= lastEnding; --g)
            printBand(m_report.groups[g].footer);
    }
    printBand(m_report.summary);
    finishPage();
    return m_model;
}

void ReportLayout::startPage()
{
    m_model.pages.append(Page());
    m_context.m_page = int(m_model.pages.size());
    m_pageOpen = true;
    m_y = m_report.margins.top();
    m_inPageFrame = true;
    printBand(m_report.pageHeader);
    m_inPageFrame = false;
    if (m_model.pages.size() > 1 || m_report.title.isEmpty())
        printBand(m_report.columnHeader);
    m_atPageTop = true;
}

void ReportLayout::finishPage()
{
    if (!m_pageOpen)
        return;
    const ReportBand& footer = m_report.pageFooter;
    if (footer.enabled && !footer.isEmpty()) {
        m_inPageFrame = true;
        m_y = bottomLimit();
        placeBand(footer, bandHeight(footer));
        m_inPageFrame = false;
    }
    m_pageOpen = false;
}

double ReportLayout::bandHeight(const ReportBand& band) const
{
    double height = band.height;
    for (const ReportElement& e : band.elements) {
        if (!e.wrap)
            continue;
        const QFont font = e.font.value_or(m_report.font);
        height = std::max(height, e.rect.top() +
                                      std::max(e.rect.height(), textHeight(textOf(e), font, e.rect.width())));
    }
    return height;
}

bool ReportLayout::printBand(const ReportBand& band, bool checkBeforePrint)
{
    if (!band.enabled || band.isEmpty())
        return false;
    const bool newPage = band.newPage && checkBeforePrint; // the detail has decided its break already
    if (checkBeforePrint && band.beforePrint && !band.beforePrint(m_context))
        return false;
    const double height = bandHeight(band);
    if (!m_inPageFrame && !m_atPageTop && (newPage || m_y + height > bottomLimit())) {
        finishPage();
        startPage();
    }
    placeBand(band, height);
    if (!m_inPageFrame)
        m_atPageTop = false;
    // The title is followed by the column header on the first page.
    if (&band == &m_report.title && m_model.pages.size() == 1)
        printBand(m_report.columnHeader);
    if (band.child && band.child->enabled)
        printBand(*band.child);
    return true;
}

void ReportLayout::placeBand(const ReportBand& band, double height)
{
    Page& page = m_model.pages.last();
    const double left = m_report.margins.left();
    const double top = m_y;
    for (const ReportElement& e : band.elements) {
        PageItem item;
        item.rect = e.rect.translated(left, top);
        switch (e.kind) {
        case ReportElement::Kind::Line:
            item.kind = PageItem::Kind::Line;
            break;
        case ReportElement::Kind::Box:
            item.kind = PageItem::Kind::Rect;
            break;
        default:
            item.kind = PageItem::Kind::Text;
            item.text = textOf(e);
            item.font = e.font.value_or(m_report.font);
            item.flags = e.alignment | (e.wrap ? Qt::TextWordWrap : 0);
            if (e.wrap)
                item.rect.setHeight(std::max(e.rect.height(), height - e.rect.top()));
            break;
        }
        page.items.append(item);
    }
    if (band.ruled) {
        const double width = band.ruleWidth > 0 ? band.ruleWidth : m_report.contentWidth();
        PageItem frame;
        frame.kind = PageItem::Kind::Rect;
        frame.rect = QRectF(left, top, width, height);
        page.items.append(frame);
        for (const double x : band.rules) {
            PageItem rule;
            rule.kind = PageItem::Kind::Line;
            rule.rect = QRectF(left + x, top, 0, height);
            page.items.append(rule);
        }
    }
    m_y = top + height;
}

QString ReportLayout::textOf(const ReportElement& e) const
{
    QString text;
    switch (e.kind) {
    case ReportElement::Kind::Label:
        text = e.text;
        break;
    case ReportElement::Kind::Field:
        text = formatValue(m_context.value(e.field), e.format);
        break;
    case ReportElement::Kind::Sum:
        text = FieldFormat::formatNumber(m_sums.value(e.field),
                                         e.format.isEmpty() ? QStringLiteral("#,##0.00") : e.format);
        break;
    case ReportElement::Kind::Date:
        text = DateFormat::toShortText(QDate::currentDate());
        break;
    case ReportElement::Kind::PageNumber:
        if (e.text.contains(QLatin1String("%1")))
            text = QString(e.text)
                       .replace(QLatin1String("%1"), QString::number(m_context.m_page))
                       .replace(QLatin1String("%2"), QString::number(m_context.m_pageCount));
        else
            text = e.text + QString::number(m_context.m_page);
        break;
    default:
        break;
    }
    return e.onPrint ? e.onPrint(m_context, text) : text;
}
