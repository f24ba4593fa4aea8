#pragma once

#include "printing/PageModel.h"
#include "printing/ReportModel.h"

#include <QHash>

// Lays a banded report out into pages. Every call starts afresh (handlers
// run again), so printing from the preview gives the same pages.
class ReportLayout
{
public:
    static PageModel run(ReportDefinition& report);

    // The text height of a wrapped text in a width, in mm.
    static double textHeight(const QString& text, const QFont& font, double width);

private:
    ReportLayout(ReportDefinition& report, int pageCount);
    PageModel pass();

    void startPage();
    void finishPage();
    bool printBand(const ReportBand& band, bool checkBeforePrint = true);
    double bandHeight(const ReportBand& band) const;
    void placeBand(const ReportBand& band, double height);
    QString textOf(const ReportElement& element) const;
    double bottomLimit() const;
    void addToSums(int row);
    bool usesPageCount() const;

    ReportDefinition& m_report;
    PageModel m_model;
    ReportContext m_context;
    QHash<QString, double> m_sums;
    QStringList m_sumFields;
    double m_y = 0;
    bool m_pageOpen = false;
    bool m_atPageTop = true;
    bool m_inPageFrame = false; // laying out a page header or footer
};
