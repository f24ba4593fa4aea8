#pragma once

#include "printing/PrintSettings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QWidget;
struct PageModel;

// The printer: its name, orientation, paper and printable area, its setup
// dialog, and printing a laid-out report. Tests put a fake in its place.
class PrinterAccess
{
public:
    virtual ~PrinterAccess() = default;

    virtual QString name() const = 0;
    virtual QPageLayout::Orientation orientation() const = 0;
    virtual void setOrientation(QPageLayout::Orientation orientation) = 0;
    virtual QPageSize paper() const = 0;
    virtual void setPaper(const QPageSize& paper) = 0;
    virtual PrintableArea printableArea() const = 0;
    // The platform's printer selection and setup; false when cancelled.
    virtual bool setup(QWidget* parent) = 0;
    // Prints the pages (first..last, 0 and 0 for all). Throws IoError.
    virtual void print(const PageModel& model, int copies, int firstPage, int lastPage) = 0;
};

PrinterAccess& printerAccess();
// Installs another printer (the caller keeps ownership); nullptr restores the real one.
void setPrinterAccess(PrinterAccess* replacement);
