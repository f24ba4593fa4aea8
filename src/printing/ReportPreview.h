#pragma once

#include "printing/PageModel.h"

#include <QDialog>

class QLabel;
class QScrollArea;
struct ReportDefinition;

// The report on screen, a page at a time, with printing (the report is laid
// out again) and saving as a PDF file.
class TReportPreview : public QDialog
{
    Q_OBJECT
public:
    TReportPreview(ReportDefinition& report, QWidget* parent = nullptr);

    const PageModel& pages() const { return m_model; }
    int currentPage() const { return m_page; } // 0-based
    QString pageText() const;

    void showPage(int page);
    void zoom(double factor);
    void print();
    void savePdf();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void render();

    ReportDefinition& m_report;
    PageModel m_model;
    int m_page = 0;
    double m_zoom = 1.0;
    QLabel* m_image;
    QLabel* m_position;
    QScrollArea* m_scroll;
};
