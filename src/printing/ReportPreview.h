#pragma once

#include "printing/CsvTable.h"
#include "printing/PageModel.h"

#include <QDialog>
#include <functional>

class QLabel;
class QScrollArea;
struct ReportDefinition;

// The report on screen, a page at a time, with printing (the report is laid
// out again), saving as a PDF file and, for a report that has one, saving
// its CSV table.
class TReportPreview : public QDialog
{
    Q_OBJECT
public:
    // `csv` gives the report's CSV table; without it there is no "Salveaza CSV".
    TReportPreview(ReportDefinition& report, QWidget* parent = nullptr, std::function<CsvTable()> csv = {});

    const PageModel& pages() const { return m_model; }
    QString pageText() const;

    void showPage(int page);
    void zoom(double factor);
    void print();
    void savePdf();
    void saveCsv();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void render();

    ReportDefinition& m_report;
    std::function<CsvTable()> m_csv;
    PageModel m_model;
    int m_page = 0;
    double m_zoom = 1.0;
    QLabel* m_image;
    QLabel* m_position;
    QScrollArea* m_scroll;
};
