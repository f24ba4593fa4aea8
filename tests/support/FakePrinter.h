#pragma once

#include "printing/PageModel.h"
#include "printing/PrinterAccess.h"

// A printer for tests: unprintable edges, a paper that turns with the
// orientation, and the pages it was given instead of paper. Installed for its lifetime.
class FakePrinter : public PrinterAccess
{
public:
    FakePrinter();
    ~FakePrinter() override;

    QString name() const override { return QStringLiteral("Imprimanta de test"); }
    QPageLayout::Orientation orientation() const override { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) override { m_orientation = orientation; }
    QPageSize paper() const override { return m_paper; }
    void setPaper(const QPageSize& paper) override { m_paper = paper; }
    PrintableArea printableArea() const override;
    bool setup(QWidget*) override { return true; }
    void print(const PageModel& model, int copies, PageRange pages) override;

    int minimumMargin = 4; // mm on every side, like a real printer's unprintable edges
    struct Job {
        PageModel model;
        int copies;
        PageRange pages;
    };
    QList<Job> jobs;

private:
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QPageSize m_paper{QPageSize::A4};
};
