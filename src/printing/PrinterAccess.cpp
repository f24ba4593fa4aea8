#include "printing/PrinterAccess.h"

#include "core/UserDialogs.h"
#include "printing/PageModel.h"
#include "printing/PagePainter.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace
{

// The system's printer; without any installed printer, a PDF file of A4 pages.
class QtPrinterAccess : public PrinterAccess
{
public:
    QtPrinterAccess() : m_printer(QPrinter::HighResolution)
    {
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setFullPage(true);
        m_printer.setPageSize(QPageSize(QPageSize::A4));
    }

    QString name() const override
    {
        if (m_printer.outputFormat() == QPrinter::PdfFormat)
            return QStringLiteral("Fisier PDF (nu este instalata nicio imprimanta)");
        return m_printer.printerName();
    }
    QPageLayout::Orientation orientation() const override { return m_printer.pageLayout().orientation(); }
    void setOrientation(QPageLayout::Orientation orientation) override
    {
        m_printer.setPageOrientation(orientation);
    }
    QPageSize paper() const override { return m_printer.pageLayout().pageSize(); }
    void setPaper(const QPageSize& paper) override { m_printer.setPageSize(paper); }

    PrintableArea printableArea() const override
    {
        const QPageLayout layout = m_printer.pageLayout();
        const int dpi = m_printer.resolution();
        const QRect full = layout.fullRectPixels(dpi);
        const QRect paint = layout.paintRectPixels(dpi);
        return computePrintableArea(paint.left() - full.left(), paint.top() - full.top(), paint.width(),
                                    paint.height(), full.width(), full.height(), dpi, dpi);
    }

    bool setup(QWidget* parent) override
    {
        QPrintDialog dialog(&m_printer, parent);
        dialog.setWindowTitle(QStringLiteral("Imprimanta"));
        return dialog.exec() == QDialog::Accepted;
    }

    void print(const PageModel& model, int copies, int firstPage, int lastPage) override
    {
        if (m_printer.outputFormat() == QPrinter::PdfFormat) {
            const QString file = dialogs().saveFileName(QStringLiteral("Salveaza raportul ca PDF"),
                                                        QStringLiteral("Fisiere PDF (*.pdf)"), QString());
            if (file.isEmpty())
                return;
            m_printer.setOutputFileName(file);
        }
        m_printer.setCopyCount(copies);
        m_printer.setDocName(QStringLiteral("Lumivaret"));
        m_printer.setPageLayout(QPageLayout(model.paper, model.orientation, QMarginsF()));
        PagePainter::paintPages(model, m_printer, firstPage, lastPage);
    }

private:
    mutable QPrinter m_printer;
};

PrinterAccess* installed = nullptr;

} // namespace

PrinterAccess& printerAccess()
{
    static QtPrinterAccess real;
    return installed ? *installed : real;
}

void setPrinterAccess(PrinterAccess* replacement)
{
    installed = replacement;
}
