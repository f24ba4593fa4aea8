#include "printing/PrinterAccess.h"

#include "core/UserDialogs.h"
#include "core/Utilities.h"
#include "printing/PageModel.h"
#include "printing/PagePainter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

SystemPrinter::SystemPrinter(Output output) : m_printer(QPrinter::HighResolution)
{
    if (output == Output::PdfFile || QPrinterInfo::availablePrinterNames().isEmpty())
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    setPaper(QPageSize(QPageSize::A4));
}

QString SystemPrinter::name() const
{
    if (m_printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("Fisier PDF (nu este instalata nicio imprimanta)");
    return m_printer.printerName();
}

QPageLayout::Orientation SystemPrinter::orientation() const
{
    return m_printer.pageLayout().orientation();
}

void SystemPrinter::setOrientation(QPageLayout::Orientation orientation)
{
    if (orientation != this->orientation())
        m_printer.setPageOrientation(orientation);
}

QPageSize SystemPrinter::paper() const
{
    return m_printer.pageLayout().pageSize();
}

void SystemPrinter::setPaper(const QPageSize& paper)
{
    // Setting the paper again would make the printer measure its edges anew.
    if (!this->paper().isEquivalentTo(paper))
        m_printer.setPageSize(paper);
}

PrintableArea SystemPrinter::printableArea() const
{
    // The printer reports its unprintable edges as the minimum margins of its page.
    QPageLayout layout = m_printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QRectF paper = layout.fullRectPoints();
    const QMarginsF edges = layout.minimumMargins();
    return computePrintableArea(edges.left(), edges.top(), paper.width() - edges.left() - edges.right(),
                                paper.height() - edges.top() - edges.bottom(), paper.width(), paper.height(),
                                72, 72);
}

bool SystemPrinter::setup(QWidget* parent)
{
    QPrintDialog dialog(&m_printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimanta"));
    return dialog.exec() == QDialog::Accepted;
}

void SystemPrinter::print(const PageModel& model, int copies, PageRange pages)
{
    if (pages.isEmpty())
        return;
    if (m_printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = choosePdfFile();
        if (file.isEmpty())
            return;
        m_printer.setOutputFileName(file);
    }
    m_printer.setCopyCount(copies);
    m_printer.setDocName(QStringLiteral("Lumivaret"));
    setPaper(model.paper);
    setOrientation(model.orientation);
    // The page is the printable area; the report's margins lie inside it.
    const QPageLayout layout = m_printer.pageLayout();
    m_printer.setPageMargins(layout.minimumMargins(), layout.units());

    QPainter painter;
    if (!painter.begin(&m_printer))
        throw IoError(QStringLiteral("Raportul nu poate fi trimis la imprimanta"));
    // The painter starts at the printable area's corner; the pages are measured from the paper's.
    const QRect printable = m_printer.pageLayout().paintRectPixels(m_printer.resolution());
    painter.translate(-printable.topLeft());
    ShapedTexts shapedTexts;
    for (int page = pages.first; page <= pages.last; ++page) {
        if (page > pages.first)
            m_printer.newPage();
        PagePainter::paintPage(model.pages[page - 1], painter, m_printer.resolution(), shapedTexts);
    }
    if (!painter.end())
        throw IoError(QStringLiteral("Raportul nu poate fi trimis la imprimanta"));
}

namespace
{
PrinterAccess* installed = nullptr;
}

PrinterAccess& printerAccess()
{
    static SystemPrinter real;
    return installed ? *installed : real;
}

void setPrinterAccess(PrinterAccess* replacement)
{
    installed = replacement;
}

void printReport(const PageModel& model)
{
    const PrintSettings& s = printSettings();
    const PageRange pages = PageRange::of(int(model.pages.size()), s.firstPage, s.lastPage);
    if (!pages.isEmpty())
        printerAccess().print(model, s.copies, pages);
}

QString choosePdfFile()
{
    QString file = dialogs().saveFileName(QStringLiteral("Salveaza raportul ca PDF"),
                                          QStringLiteral("Fisiere PDF (*.pdf)"), QString());
    if (!file.isEmpty() && !file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    return file;
}
