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
    const bool landscape = m_orientation == QPageLayout::Landscape;
    area.paperWidth = landscape ? 297 : 210;
    area.paperHeight = landscape ? 210 : 297;
    return area;
}

void FakePrinter::print(const PageModel& model, int copies, int firstPage, int lastPage)
{
    jobs.append({model, copies, firstPage, lastPage});
}
