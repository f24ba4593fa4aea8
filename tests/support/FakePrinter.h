#pragma once

#include "printing/PageModel.h"
#include "printing/PrinterAccess.h"

// A printer for tests: a printable area that depends on the orientation,
// and the pages it was given instead of paper. Installed for its lifetime.
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
    void print(const PageModel& model, int copies, int firstPage, int lastPage) override;

    int minimumMargin = 4; // mm on every side
    struct Job {
        PageModel model;
        int copies, firstPage, lastPage;
    };
    QList<Job> jobs;

private:
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QPageSize m_paper{QPageSize::A4};
};
