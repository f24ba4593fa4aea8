#pragma once

#include "printing/ReportModel.h"

// Pieces of the one-page documents (payment orders, receipts), whose bands
// follow one another as children so that a text that wraps pushes down
// whatever comes after it.
namespace DocumentBands
{

// "Arial" in this size.
QFont documentFont(double points, bool bold = false);

// The element's text wraps inside its box, long words included; the band
// grows downwards to hold it. `font` is the one the element prints in.
ReportElement wrapped(ReportElement element, const QFont& font);

// A band of this height printed right after `band`, returned for filling.
ReportBand& followedBy(ReportBand& band, double height);

} // namespace DocumentBands
