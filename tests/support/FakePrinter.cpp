#include "support/FakePrinter.h"

FakePrinter::FakePrinter()
{
    setPrinterAccess(this);
}

FakePrinter::~FakePrinter()
{
    setPrinterAccess(nullptr);
}

PrintableArea FakePrinter::printableArea() const
{
    PrintableArea area;
    area.minimumLeft = area.minimumTop = area.minimumRight = area.minimumBottom = minimumMargin;
    QSizeF paper = m_paper.size(QPageSize::Millimeter);
    if (m_orientation == QPageLayout::Landscape)
        paper.transpose();
    area.paperWidth = qRound(paper.width());
    area.paperHeight = qRound(paper.height());
    return area;
}

void FakePrinter::print(const PageModel& model, int copies, PageRange pages)
{
    jobs.append({model, copies, pages});
}
