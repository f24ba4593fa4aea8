#pragma once

#include "printing/PageModel.h"
#include "printing/ShapedTexts.h"

#include <memory>

class QPainter;
class QPdfWriter;
class OutputFile;

// Paints the pages of a page model: one function for the printer, the PDF
// file and the preview.
namespace PagePainter
{

// Paints page `index` with the painter's device at `dotsPerInch`; the
// paper's top-left corner is at the painter's origin.
void paintPage(const PageModel& model, int index, QPainter& painter, double dotsPerInch);
// The same for pages painted in turn by one painter, which shape each text once for all.
void paintPage(const Page& page, QPainter& painter, double dotsPerInch, ShapedTexts& shapedTexts);

// Writes the report into a PDF file of the model's paper. Throws IoError.
void writePdf(const PageModel& model, const QString& filePath);

// A PDF file written a page at a time, each page painted as it is added. The
// file appears whole when finished; a file left unfinished (an error while its
// pages were laid out) is never written, and one of the same name stays as it was.
class PdfFile
{
public:
    // Opens the file; throws IoError when it cannot be written.
    PdfFile(const QString& filePath, const QPageSize& paper, QPageLayout::Orientation orientation);
    ~PdfFile();
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    void add(const Page& page);
    // Closes the file; throws IoError when it was not written.
    void finish();

private:
    QString m_filePath;
    std::unique_ptr<OutputFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    ShapedTexts m_shapedTexts;
    int m_pages = 0;
};

} // namespace PagePainter
