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
    static PageModel run(ReportDefinition& report);

private:
    ReportLayout(ReportDefinition& report, int pageCount, TextMeasure& measure);
    PageModel pass();

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

    ReportDefinition& m_report;
    // What this layout measured, kept over its passes.
    TextMeasure& m_measure;
    PageModel m_model;
    ReportContext m_context;
    RunningSums m_sums;
    // The sums before the row being printed, for the page that row leaves.
    RunningSums m_sumsBeforeRow;
    double m_y = 0;
    bool m_pageOpen = false;
    bool m_atPageTop = true;
    bool m_inPageFrame = false; // laying out a page header, column header or footer: no page breaks
    QList<std::pair<int, int>> m_countsToFill;
    // Where the headings being printed began, until their first row prints.
    struct HeadingStart {
        qsizetype page;
        qsizetype firstItem;
        double top;
    };
    std::optional<HeadingStart> m_headingStart; // page and item of each page number awaiting the count
};
