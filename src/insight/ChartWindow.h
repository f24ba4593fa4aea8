#pragma once

#include "insight/ChartPictures.h"

#include <QWidget>

class QChartView;
class QTabWidget;
class TDateEdit;

// "Grafice": the four charts of a period, one per page of tabs (incomes and
// payments by month with the balance, incomes by type, expenses by type, the
// yearly contribution due and collected), drawn again with "&Arata". The
// chart in view is saved as a PNG picture or printed (or saved as PDF)
// through the print setup.
class TGraficeFrm : public QWidget
{
    Q_OBJECT
public:
    explicit TGraficeFrm(QWidget* parent);

    TDateEdit* fromInput() const { return m_from; }
    TDateEdit* toInput() const { return m_to; }
    // The chart of a page (in ChartPictures::Kind order).
    QChartView* view(ChartPictures::Kind kind) const;
    ChartPictures::Kind currentKind() const;

    // Computes and draws the four charts for the period typed; false, after saying why, when it is refused.
    bool showCharts();
    void savePng();
    void print();

private:
    TDateEdit* m_from;
    TDateEdit* m_to;
    QTabWidget* m_pages;
    QList<QChartView*> m_views;
    QDate m_shownFrom, m_shownTo;
};
