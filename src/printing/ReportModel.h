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

class Dataset;
class QSqlQuery;
class ReportContext;
struct ReportDefinition;

// The rows a report prints, read whole before the report is laid out.
struct ReportTable {
    QStringList fields;
    QList<QVariantList> rows;

    int fieldIndex(const QString& field) const; // -1 when there is none
    QVariant value(int row, const QString& field) const;
    int rowCount() const { return int(rows.size()); }

    // Reads every row of an executed query (dates as dates).
    static ReportTable fromQuery(QSqlQuery& query);
    // Copies the rows of an open record source, in its order.
    static ReportTable fromDataset(const Dataset& dataset);
};

// What is printed inside a band, placed in millimetres from the band's top-left corner.
struct ReportElement {
    enum class Kind {
        Label,      // `text`
        Field,      // the current row's `field`, in `format`
        Sum,        // SUM of `field` over every row processed so far, in `format` ("#,##0.00" when empty)
        Date,       // today, in the short date format
        PageNumber, // `text` followed by the page number; "%1" and "%2" in `text` stand for page and page
                    // count
        Line,       // a line over `rect` (horizontal when its height is 0)
        Box,        // a rectangle
    };

    Kind kind = Kind::Label;
    QRectF rect;
    QString text;
    QString field;
    QString format;
    int alignment = Qt::AlignLeft | Qt::AlignVCenter;
    std::optional<QFont> font; // the report's font when empty
    bool wrap = false;         // the text wraps and the band grows downwards to hold it
    // Replaces the text about to be printed.
    std::function<QString(const ReportContext&, const QString& text)> onPrint;

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
    // Decides for the current row whether the band prints (a suppressed
    // detail row still counts in the sums).
    std::function<bool(const ReportContext&)> beforePrint;
    bool newPage = false; // starts on a new page; a handler may change it while the report runs
    bool enabled = true;
    // A ruled band is drawn inside a rectangle of `ruleWidth` with vertical rules at these places (mm).
    bool ruled = false;
    double ruleWidth = 0;
    QList<double> rules;
    std::shared_ptr<ReportBand> child; // printed right after this band, when enabled

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

// What a handler sees while the report is laid out.
class ReportContext
{
public:
    // A field of the current row (of the sub-detail row while one prints).
    QVariant value(const QString& field) const;
    // The running SUM of a field of the main table.
    double sum(const QString& field) const;
    int row() const { return m_row; }
    int pageNumber() const { return m_page; }
    int pageCount() const { return m_pageCount; }
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
    const QHash<QString, double>* m_sums = nullptr;
};
