#include "printing/ReportLayout.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"

#include <algorithm>

namespace
{

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

bool isText(const ReportElement& e)
{
    return e.kind != ReportElement::Kind::Line && e.kind != ReportElement::Kind::Box &&
           e.kind != ReportElement::Kind::Picture;
}

} // namespace

// Texts that need the number of pages ("Pag. 3 din 7") or the last page are
// laid out again once the pages are counted; should that change the count, it
// is counted again, a few times at most.
constexpr int maxPasses = 4;

PageModel ReportLayout::run(ReportDefinition& report)
{
    int pageCount = 0;
    TextMeasure measure;
    for (int passNumber = 1;; ++passNumber) {
        ReportLayout layout(report, pageCount, measure, Mode::Collect);
        const int pages = layout.pass();
        for (const auto& [page, item] : std::as_const(layout.m_countsToFill))
            layout.m_model.pages[page].items[item].text.replace(QLatin1String("%2"), QString::number(pages));
        if (!layout.m_context.m_askedForPageCount || pages == pageCount || passNumber == maxPasses)
            return std::move(layout.m_model);
        pageCount = pages;
    }
}

int ReportLayout::countPages(ReportDefinition& report, TextMeasure& measure, int& pageCount)
{
    for (int passNumber = 1;; ++passNumber) {
        ReportLayout layout(report, pageCount, measure, Mode::Count);
        const int pages = layout.pass();
        if (!layout.m_context.m_askedForPageCount || pages == pageCount || passNumber == maxPasses)
            return pages;
        pageCount = pages;
    }
}

int ReportLayout::write(ReportDefinition& report, const std::function<void(const Page&)>& take)
{
    TextMeasure measure;
    int pageCount = 0;
    const int pages = countPages(report, measure, pageCount);
    if (pages == 0)
        return 0;
    // Given what the last counting pass was given, this pass breaks its pages alike.
    ReportLayout layout(report, pageCount, measure, Mode::Write);
    layout.m_finalPageCount = pages;
    layout.m_take = take;
    return layout.pass();
}

ReportLayout::ReportLayout(ReportDefinition& report, int pageCount, TextMeasure& measure, Mode mode)
    : m_report(report), m_measure(measure), m_mode(mode)
{
    m_context.m_report = &report;
    m_context.m_table = report.data;
    m_context.m_pageCount = pageCount;
    m_context.m_sums = &m_sums;
    m_model.paper = report.paper;
    m_model.orientation = report.orientation;
}

const QFont& ReportLayout::fontOf(const ReportElement& e) const
{
    return e.font ? *e.font : m_report.font;
}

bool ReportLayout::onlyShows(const ReportElement& e) const
{
    return m_mode == Mode::Count && !e.wrap && !e.onPrint && e.kind != ReportElement::Kind::PageNumber;
}

// A band's height with its children, before any text wraps.
double ReportLayout::plainHeight(const ReportBand& band)
{
    double height = 0;
    for (const ReportBand* b = &band; b && b->enabled && !b->isEmpty(); b = b->child.get())
        height += b->height;
    return height;
}

// A band's height for the current row, its wrapping texts measured; a text
// that passes through a handler is taken at its place's height, since a
// handler runs once per printing.
double ReportLayout::measuredHeight(const ReportBand& band) const
{
    if (!band.enabled || band.isEmpty())
        return 0;
    double height = band.height;
    for (const ReportElement& e : band.elements) {
        if (!e.wrap || !isText(e) || e.onPrint)
            continue;
        const double text = m_measure.height(textOf(e), fontOf(e), e.rect.width());
        height = std::max(height, e.rect.top() + std::max(e.rect.height(), text));
    }
    return height + (band.child ? plainHeight(*band.child) : 0);
}

double ReportLayout::footerHeight() const
{
    return plainHeight(m_report.pageFooter);
}

double ReportLayout::bottomLimit() const
{
    return m_report.paperSize().height() - m_report.margins.bottom() - footerHeight();
}

int ReportLayout::pass()
{
    if (m_report.onStart)
        m_report.onStart(m_report);
    m_sums.track(m_report.data);
    for (const ReportSubDetail& sub : std::as_const(m_report.subDetails))
        m_sums.track(sub.table);

    const int rows = m_report.data ? m_report.data->rowCount() : 0;
    if (rows == 0 && !m_report.printIfEmpty)
        return 0;

    // The title and the first page header read the first row.
    m_context.m_row = rows > 0 ? 0 : -1;
    const bool hasTitle = m_report.title.enabled && !m_report.title.isEmpty();
    startPage(hasTitle);
    if (hasTitle) {
        printBand(m_report.title);
        // Unless the title has filled the first page, whose header is done already.
        if (m_pageIndex == 0) {
            m_inPageFrame = true;
            printBand(m_report.columnHeader);
            m_inPageFrame = false;
        }
    }
    for (int row = 0; row < rows; ++row)
        printRow(row);
    printBand(m_report.summary);
    finishPage(true);
    return m_pageIndex + 1;
}

void ReportLayout::printRow(int row)
{
    const ReportTable& data = *m_report.data;
    const int rows = data.rowCount();
    m_context.m_row = row;
    // Group headers of the groups that start here, with the sums before this row.
    int firstChanged = int(m_report.groups.size());
    for (int g = 0; g < m_report.groups.size(); ++g) {
        const QString& field = m_report.groups[g].field;
        if (row == 0 || data.value(row, field) != data.value(row - 1, field)) {
            firstChanged = g;
            break;
        }
    }
    // The groups that end with this row.
    int lastEnding = int(m_report.groups.size());
    for (int g = 0; g < m_report.groups.size(); ++g) {
        const QString& field = m_report.groups[g].field;
        if (row == rows - 1 || data.value(row, field) != data.value(row + 1, field)) {
            lastEnding = g;
            break;
        }
    }
    keepGroupBandsWithRow(firstChanged, lastEnding);
    if (firstChanged < m_report.groups.size())
        markHeadingStart();
    for (int g = firstChanged; g < m_report.groups.size(); ++g)
        printBand(m_report.groups[g].header);

    printBand(m_report.detail, [&] { m_sums.add(&data, row); });
    m_headingStart.reset();
    printSubDetails(row);

    // Footers of the groups that end here, innermost first, reading this last row.
    for (int g = int(m_report.groups.size()) - 1; g >= lastEnding; --g)
        printBand(m_report.groups[g].footer);
}

// Group headings about to print, and group footers due after this row,
// start a new page when the row would not fit with them on this one: a day's
// heading is never left alone at the bottom of a page with its rows on the
// next, nor a day's closing line alone at the top of a page without its rows.
void ReportLayout::keepGroupBandsWithRow(int firstHeader, int firstFooter)
{
    double groupBands = 0;
    for (int g = firstHeader; g < m_report.groups.size(); ++g)
        groupBands += plainHeight(m_report.groups[g].header);
    for (int g = firstFooter; g < m_report.groups.size(); ++g)
        groupBands += plainHeight(m_report.groups[g].footer);
    if (groupBands > 0)
        keepTogether(groupBands + measuredHeight(m_report.detail));
}

// Bands that belong together start a new page when they would not all fit
// on this one (unless the page has just begun: they would fit on no page).
void ReportLayout::keepTogether(double height)
{
    if (!m_atPageTop && !m_inPageFrame && m_y + height > bottomLimit())
        breakPage(false);
}

void ReportLayout::printSubDetails(int row)
{
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
                // A section's heading is not left alone at a page's bottom.
                if (sub.header.enabled && !sub.header.isEmpty())
                    keepTogether(plainHeight(sub.header) + measuredHeight(sub.detail));
                markHeadingStart();
                printBand(sub.header);
                headerDone = true;
            }
            printBand(sub.detail, [&] { m_sums.add(sub.table, subRow); });
            m_headingStart.reset();
        }
        m_context.m_subTable = nullptr;
        m_context.m_subRow = -1;
    }
}

void ReportLayout::startPage(bool titleFollows)
{
    m_page.items.clear(); // keeps the list's room in Count and Write modes
    m_page.items.reserve(m_itemsPerPage);
    ++m_pageIndex;
    m_context.m_page = m_pageIndex + 1;
    m_pageOpen = true;
    m_y = m_report.margins.top();
    m_inPageFrame = true;
    printBand(m_report.pageHeader);
    if (!titleFollows)
        printBand(m_report.columnHeader);
    m_inPageFrame = false;
    m_atPageTop = true;
}

void ReportLayout::finishPage(bool closingReport)
{
    if (!m_pageOpen)
        return;
    m_y = bottomLimit();
    m_inPageFrame = true;
    m_context.m_inPageFooter = true;
    m_context.m_closingReport = closingReport;
    printBand(m_report.pageFooter);
    m_context.m_inPageFooter = false;
    m_context.m_closingReport = false;
    m_inPageFrame = false;
    m_pageOpen = false;
    m_itemsPerPage = std::max(m_itemsPerPage, m_page.items.size());
    switch (m_mode) {
    case Mode::Collect:
        m_model.pages.append(std::move(m_page));
        return;
    case Mode::Count:
        break;
    case Mode::Write:
        for (const auto& [page, item] : std::as_const(m_countsToFill))
            m_page.items[item].text.replace(QLatin1String("%2"), QString::number(m_finalPageCount));
        m_take(m_page);
        break;
    }
    // Only this page's page numbers were waiting.
    m_countsToFill.clear();
}

void ReportLayout::markHeadingStart()
{
    m_headingStart.reset();
    if (!m_atPageTop && !m_inPageFrame)
        m_headingStart = HeadingStart{m_pageIndex, m_page.items.size(), m_y};
}

// Headings printed on this page whose first row goes to the next one (a row
// taller than its plain height, its texts wrapping) move to the next page
// with it.
void ReportLayout::breakPageCarryingHeading(bool rowJustProcessed)
{
    QList<PageItem> heading;
    double headingTop = 0;
    double headingHeight = 0;
    if (m_headingStart && m_headingStart->page == m_pageIndex) {
        const qsizetype first = m_headingStart->firstItem;
        const qsizetype page = m_headingStart->page;
        const bool countAwaited =
            std::any_of(m_countsToFill.cbegin(), m_countsToFill.cend(),
                        [&](const auto& c) { return c.first == page && c.second >= first; });
        if (!countAwaited) {
            QList<PageItem>& items = m_page.items;
            heading = items.mid(first);
            items.resize(first);
            headingTop = m_headingStart->top;
            headingHeight = m_y - headingTop;
        }
    }
    m_headingStart.reset();
    breakPage(rowJustProcessed);
    if (heading.isEmpty())
        return;
    const double shift = m_y - headingTop;
    for (PageItem& item : heading) {
        item.rect.translate(0, shift);
        m_page.items.append(item);
    }
    m_y += headingHeight;
    m_atPageTop = false;
}

void ReportLayout::breakPage(bool rowJustProcessed)
{
    // The page left behind, and the next page's header, show the sums of the
    // rows printed so far, without the row that moves to the next page; they
    // read the main table, not a sub-detail row.
    if (rowJustProcessed)
        std::swap(m_sums, m_sumsBeforeRow);
    const ReportTable* subTable = std::exchange(m_context.m_subTable, nullptr);
    const int subRow = std::exchange(m_context.m_subRow, -1);
    finishPage(false);
    startPage(false);
    m_context.m_subTable = subTable;
    m_context.m_subRow = subRow;
    if (rowJustProcessed)
        std::swap(m_sums, m_sumsBeforeRow);
}

bool ReportLayout::printBand(const ReportBand& band, const std::function<void()>& processRow)
{
    // A row counts in the sums whether or not its band prints.
    if (!band.enabled || band.isEmpty()) {
        if (processRow)
            processRow();
        return false;
    }
    const bool newPage = band.newPage; // a handler's change applies to the next printing
    const bool printing = !band.beforePrint || band.beforePrint(m_context);
    if (processRow) {
        m_sumsBeforeRow = m_sums;
        processRow();
    }
    if (!printing)
        return false;

    // Each text is worked out once. Wrapping texts decide the band's height,
    // hence the page break, so they come first; the others are worked out on
    // the page the band prints on.
    const qsizetype count = band.elements.size();
    QStringList texts(count);
    QList<double> textHeights(count, 0.0);
    double height = band.height;
    for (qsizetype i = 0; i < count; ++i) {
        const ReportElement& e = band.elements[i];
        if (!e.wrap || !isText(e))
            continue;
        texts[i] = textOf(e);
        textHeights[i] = m_measure.height(texts[i], fontOf(e), e.rect.width());
        height = std::max(height, e.rect.top() + std::max(e.rect.height(), textHeights[i]));
    }
    if (!m_inPageFrame && !m_atPageTop && (newPage || m_y + height > bottomLimit()))
        breakPageCarryingHeading(bool(processRow));
    for (qsizetype i = 0; i < count; ++i) {
        const ReportElement& e = band.elements[i];
        if (!e.wrap && isText(e) && !onlyShows(e))
            texts[i] = textOf(e);
    }

    placeBand(band, texts, textHeights, height);
    if (!m_inPageFrame)
        m_atPageTop = false;
    if (band.child)
        printBand(*band.child);
    return true;
}

void ReportLayout::placeBand(const ReportBand& band, const QStringList& texts,
                             const QList<double>& textHeights, double height)
{
    Page& page = m_page;
    const double left = m_report.margins.left();
    const double top = m_y;
    for (qsizetype i = 0; i < band.elements.size(); ++i) {
        const ReportElement& e = band.elements[i];
        PageItem item;
        item.rect = e.rect.translated(left, top);
        switch (e.kind) {
        case ReportElement::Kind::Line:
            item.kind = PageItem::Kind::Line;
            break;
        case ReportElement::Kind::Box:
            item.kind = PageItem::Kind::Rect;
            break;
        case ReportElement::Kind::Picture:
            item.kind = PageItem::Kind::Picture;
            item.picture = e.picture;
            break;
        default:
            item.kind = PageItem::Kind::Text;
            item.text = texts[i];
            if (fillsCountLater(e) && item.text.contains(QLatin1String("%2")))
                m_countsToFill.append({m_pageIndex, int(page.items.size())});
            item.font = e.wrap || onlyShows(e) ? fontOf(e) : m_measure.fitted(fontOf(e), item.text, e.rect.width());
            item.flags = e.alignment | (e.wrap ? Qt::TextWordWrap : 0);
            // A text taller than its place grows downwards from its top.
            if (textHeights[i] > e.rect.height()) {
                item.rect.setHeight(textHeights[i]);
                item.flags = (item.flags & ~Qt::AlignVertical_Mask) | Qt::AlignTop;
            }
            break;
        }
        page.items.append(std::move(item));
    }
    if (band.ruled) {
        const double width = band.ruleWidth > 0 ? band.ruleWidth : m_report.contentWidth();
        PageItem frame;
        frame.kind = PageItem::Kind::Rect;
        frame.rect = QRectF(left, top, width, height);
        page.items.append(std::move(frame));
        for (const double x : band.rules) {
            PageItem rule;
            rule.kind = PageItem::Kind::Line;
            rule.rect = QRectF(left + x, top, 0, height);
            page.items.append(std::move(rule));
        }
    }
    m_y = top + height;
}

bool ReportLayout::fillsCountLater(const ReportElement& e) const
{
    return e.kind == ReportElement::Kind::PageNumber && !e.onPrint && !e.wrap && m_context.m_pageCount == 0;
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
        text = FieldFormat::formatNumber(m_context.sum(e.field),
                                         e.format.isEmpty() ? QStringLiteral("#,##0.00") : e.format);
        break;
    case ReportElement::Kind::Date:
        text = DateFormat::toShortText(QDate::currentDate());
        break;
    case ReportElement::Kind::PageNumber:
        if (e.text.contains(QLatin1String("%1"))) {
            text = QString(e.text).replace(QLatin1String("%1"), QString::number(m_context.m_page));
            if (text.contains(QLatin1String("%2")) && !fillsCountLater(e))
                text.replace(QLatin1String("%2"), QString::number(m_context.pageCount()));
        } else
            text = e.text + QString::number(m_context.m_page);
        break;
    default:
        break;
    }
    return e.onPrint ? e.onPrint(m_context, text) : text;
}
