#pragma once

#include "printing/PageRange.h"
#include "printing/PrintSettings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
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
    // The margins the printer cannot print on and the paper, for the current paper and orientation.
    virtual PrintableArea printableArea() const = 0;
    // The platform's printer selection and setup; false when cancelled.
    virtual bool setup(QWidget* parent) = 0;
    // Prints these pages of the report. Throws IoError.
    virtual void print(const PageModel& model, int copies, PageRange pages) = 0;
};

// The system's printer through Qt. Its page keeps the printer's own
// unprintable edges as margins (never full-page mode), and the report's
// pages are painted from the paper's corner, so what the layout placed at
// 25 mm from the edge is printed 25 mm from the edge.
class SystemPrinter : public PrinterAccess
{
public:
    enum class Output {
        DefaultPrinter, // the system's default printer; a PDF file when none is installed
        PdfFile,        // a PDF file, whose name is asked when printing
    };
    explicit SystemPrinter(Output output = Output::DefaultPrinter);

    QString name() const override;
    QPageLayout::Orientation orientation() const override;
    void setOrientation(QPageLayout::Orientation orientation) override;
    QPageSize paper() const override;
    void setPaper(const QPageSize& paper) override;
    PrintableArea printableArea() const override;
    bool setup(QWidget* parent) override;
    void print(const PageModel& model, int copies, PageRange pages) override;

    // The Qt printer, for the platform's dialogs.
    QPrinter& device() { return m_printer; }

private:
    mutable QPrinter m_printer;
};

PrinterAccess& printerAccess();
// Installs another printer (the caller keeps ownership); nullptr restores the real one.
void setPrinterAccess(PrinterAccess* replacement);

// Sends a laid-out report to the current printer with the copies and page
// range of the print settings; a report without pages prints nothing.
void printReport(const PageModel& model);

// Asks where to save a report as PDF; the name ends in ".pdf". Empty when cancelled.
QString choosePdfFile();
