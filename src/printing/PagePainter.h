#pragma once

#include "printing/PageModel.h"

class QPainter;

// Paints the pages of a page model: one function for the printer, the PDF
// file and the preview.
namespace PagePainter
{

// Paints page `index` with the painter's device at `dotsPerInch`; the
// paper's top-left corner is at the painter's origin.
void paintPage(const PageModel& model, int index, QPainter& painter, double dotsPerInch);

// Writes the report into a PDF file of the model's paper. Throws IoError.
void writePdf(const PageModel& model, const QString& filePath);

} // namespace PagePainter
