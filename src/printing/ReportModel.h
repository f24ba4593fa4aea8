#pragma once

#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class QPicture;

class QSqlQuery;
class ReportContext;
class RunningSums;
struct ReportDefinition;

// The rows a report prints, read whole before the report is laid out.
struct ReportTable {
    QStringList fields;
    QList<QVariantList> rows;

    int fieldIndex(const QString& field) const; // -1 when there is none
    QVariant value(int row, const QString& field) const;
    int rowCount() const { return int(rows.size()); }

    // Reads every row of an executed query. A column declared DATE, or named
    // in `dateFields` (an expression such as MAX(Data) has no declared type),
    // holds dates; every other text stays the text it is, however it looks.
    static ReportTable fromQuery(QSqlQuery& query, const QStringList& dateFields = {});
};

// What is printed inside a band, placed in millimetres from the band's top-left corner.
struct ReportElement {
    enum class Kind {
        Label,      // `text`
        Field,      // the current row's `field`: a number in `format`, a date in the short date
                    // format, a text as it is
        Sum,        // ReportContext::sum(`field`), in `format` ("#,##0.00" when empty)
        Date,       // today, in the short date format
        PageNumber, // `text` followed by the page number; "%1" and "%2" in `text` stand for page and page
                    // count
        Line,       // a line over `rect` (horizontal when its height is 0)
        Box,        // a rectangle
        Picture,    // `picture`, scaled into `rect` (vector drawing: sharp in a PDF)
    };

    Kind kind = Kind::Label;
    QRectF rect;
    QString text;
    QString field;
    QString format;
    int alignment = Qt::AlignLeft | Qt::AlignVCenter;
    std::optional<QFont> font; // the report's font when empty
    // The text wraps inside the element's width; when it needs more height the
    // element grows downwards from its top, and its band with it.
    bool wrap = false;
    // Replaces the text about to be printed. It runs exactly once each time the
    // element prints (the band's height is measured on its result), so it may
    // keep running totals of its own; ReportDefinition::onStart resets them.
    // The handler of a wrapping element runs before its band's page break is
    // decided, so its pageNumber() is that of the band printed before.
    std::function<QString(const ReportContext&, const QString& text)> onPrint;

    // The drawing of a Picture element; its bounding rectangle is what fills `rect`.
    std::shared_ptr<const QPicture> picture;

    static ReportElement label(const QRectF& rect, const QString& text,
                               int alignment = Qt::AlignLeft | Qt::AlignVCenter);
    static ReportElement data(const QRectF& rect, const QString& field, const QString& format = {},
                              int alignment = Qt::AlignLeft | Qt::AlignVCenter);
    static ReportElement sum(const QRectF& rect, const QString& field, const QString& format = {});
    static ReportElement pageNumber(const QRectF& rect, const QString& prefix,
                                    int alignment = Qt::AlignRight | Qt::AlignVCenter);
    ReportElement& withFont(const QFont& f)
    {
        font = f;
        return *this;
    }
};

struct ReportBand {
    double height = 0; // mm; wrapped texts may make it taller
    QList<ReportElement> elements;
    // Decides whether the band prints this time (any band, the page header and
    // footer included). A suppressed detail or sub-detail row still counts in
    // the sums; a suppressed band's child does not print either.
    std::function<bool(const ReportContext&)> beforePrint;
    bool newPage = false; // starts on a new page; a handler may change it while the report runs
    bool enabled = true;  // a disabled band and its child are left out (its rows still count)
    // A ruled band is drawn inside a rectangle of `ruleWidth` with vertical rules at these places (mm).
    bool ruled = false;
    double ruleWidth = 0;
    QList<double> rules;
    // Printed right after this band whenever this band prints, when enabled.
    // The page footer's child is part of the space kept at every page's bottom.
    std::shared_ptr<ReportBand> child;

    bool isEmpty() const { return height <= 0 && elements.isEmpty(); }
    ReportBand& add(const ReportElement& element)
    {
        elements.append(element);
        return *this;
    }
};

struct ReportGroup {
    QString field; // a group is the run of consecutive rows with the same value of this field
    ReportBand header;
    ReportBand footer;
};

// Rows of a second table printed after each main row they belong to.
struct ReportSubDetail {
    const ReportTable* table = nullptr;
    QString masterField;
    QString detailField;
    ReportBand header;
    ReportBand detail;
};

struct ReportDefinition {
    QString name;
    QPageSize paper{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{5, 5, 5, 5}; // mm: left, top, right, bottom
    QFont font;
    bool printIfEmpty = false;
    const ReportTable* data = nullptr;

    ReportBand title;
    ReportBand pageHeader;
    ReportBand columnHeader;
    QList<ReportGroup> groups; // outermost first
    ReportBand detail;
    QList<ReportSubDetail> subDetails;
    ReportBand summary;
    ReportBand pageFooter;

    // Runs before each layout, so that handlers with their own state start afresh.
    std::function<void(ReportDefinition&)> onStart;

    QSizeF paperSize() const; // mm, in the report's orientation
    double contentWidth() const;
};

// What a before-print or print handler sees while the report is laid out. A
// report may be laid out more than once (see pageCount); onStart runs before
// each layout, and every handler runs once per printing in each.
class ReportContext
{
public:
    // A field of the current row (of the sub-detail row while one prints). A
    // group footer reads the group's last row, a group header its first row.
    QVariant value(const QString& field) const;

    // The running sum of a numeric field over every row processed so far, the
    // rows whose band was suppressed included, never reset; a SUM element
    // prints exactly this. Rows are processed just before their detail (or
    // sub-detail) band prints, so the row's own band shows the sum with it,
    // while the page it leaves (footer, and the next page's header) shows the
    // sum without it. The field is looked up in the current sub-detail table
    // (while its bands print), then the main table, then the sub-detail tables.
    // Throws std::invalid_argument for a field of none of them.
    double sum(const QString& field) const;

    int row() const { return m_row; } // of the main table; -1 before the first
    int pageNumber() const { return m_page; }
    // The number of pages, 0 while they are still being counted. Asking for it
    // makes the report lay itself out again once it knows the count.
    int pageCount() const;
    // Whether the band prints on the report's last page. The page footer (and
    // its child) knows it at once; any other band learns it like pageCount,
    // from a second layout, and is told false in the first.
    bool isLastPage() const;

    ReportDefinition& report() const { return *m_report; }

private:
    friend class ReportLayout;
    ReportDefinition* m_report = nullptr;
    const ReportTable* m_table = nullptr;
    int m_row = -1;
    const ReportTable* m_subTable = nullptr;
    int m_subRow = -1;
    int m_page = 0;
    int m_pageCount = 0;
    const RunningSums* m_sums = nullptr;
    bool m_inPageFooter = false;
    bool m_closingReport = false; // laying out the last page's footer
    mutable bool m_askedForPageCount = false;
};
