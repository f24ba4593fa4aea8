#pragma once

#include "printing/PageModel.h"
#include "printing/ReportModel.h"
#include "printing/RunningSums.h"
#include "printing/TextMeasure.h"

#include <functional>
#include <optional>

// Lays a banded report out into pages. Every call starts afresh (onStart and
// the handlers run again), so printing from the preview gives the same pages.
//
// Order on a page: page header; on the first page the title and its child,
// then the column header (also when the title is suppressed); on later pages
// the column header; then groups, details, sub-details and the summary; the
// page footer and its child at the bottom, in the space their declared
// heights keep free on every page.
class ReportLayout
{
public:
    // Every page at once, for the preview, the printer and the tests.
    static PageModel run(ReportDefinition& report);

    // Page by page: each page is given to `take` as soon as it is laid out and
    // then dropped, so a book of thousands of pages never sits in memory. The
    // pages are counted first ("Pag. 3 din 7") by passes that keep no page and
    // format no text that cannot move a page break. Returns the number of pages;
    // `take` sees the same pages `run` gives, in order.
    static int write(ReportDefinition& report, const std::function<void(const Page&)>& take);

private:
    // Collect keeps every page; Count keeps none and leaves out the texts that
    // only show (their place is known); Write hands each page on once laid out.
    enum class Mode { Collect, Count, Write };

    ReportLayout(ReportDefinition& report, int pageCount, TextMeasure& measure, Mode mode);
    // Lays the report out once; returns the number of pages.
    int pass();
    // The page count the report's handlers need, found by counting passes
    // started with `pageCount`, the count the last pass was given.
    static int countPages(ReportDefinition& report, TextMeasure& measure, int& pageCount);

    void printRow(int row);
    void keepGroupBandsWithRow(int firstHeader, int firstFooter);
    void keepTogether(double height);
    void markHeadingStart();
    void breakPageCarryingHeading(bool rowJustProcessed);
    void printSubDetails(int row);
    void startPage(bool titleFollows);
    void finishPage(bool closingReport);
    void breakPage(bool rowJustProcessed);
    bool printBand(const ReportBand& band, const std::function<void()>& processRow = {});
    void placeBand(const ReportBand& band, const QStringList& texts, const QList<double>& textHeights,
                   double height);
    QString textOf(const ReportElement& element) const;
    // A page number "Pag.%1 din %2" that neither wraps nor passes through a
    // handler takes no room of its own: its page count is written in once
    // the pass has counted the pages, without laying the report out again.
    bool fillsCountLater(const ReportElement& element) const;
    double footerHeight() const;
    static double plainHeight(const ReportBand& band);
    double measuredHeight(const ReportBand& band) const;
    double bottomLimit() const;
    const QFont& fontOf(const ReportElement& element) const;
    // In Count mode, a text that only shows: no handler, no page number, one line.
    bool onlyShows(const ReportElement& element) const;

    ReportDefinition& m_report;
    // What this layout measured, kept over its passes.
    TextMeasure& m_measure;
    const Mode m_mode;
    PageModel m_model; // the pages laid out, in Collect mode
    Page m_page;       // the page being laid out
    int m_pageIndex = -1;
    // In Write mode, the number of pages counted before, for the page numbers awaiting it.
    int m_finalPageCount = 0;
    // The most items a page had so far: the next page's list is reserved that long.
    qsizetype m_itemsPerPage = 0;
    // In Write mode, called with each finished page.
    std::function<void(const Page&)> m_take;
    ReportContext m_context;
    RunningSums m_sums;
    // The sums before the row being printed, for the page that row leaves.
    RunningSums m_sumsBeforeRow;
    double m_y = 0;
    bool m_pageOpen = false;
    bool m_atPageTop = true;
    bool m_inPageFrame = false; // laying out a page header, column header or footer: no page breaks
    // Page and item of each page number awaiting the count.
    QList<std::pair<int, int>> m_countsToFill;
    // Where the headings being printed began, until their first row prints.
    struct HeadingStart {
        qsizetype page;
        qsizetype firstItem;
        double top;
    };
    std::optional<HeadingStart> m_headingStart;
};
