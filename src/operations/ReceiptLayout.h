#pragma once

#include "printing/ParishHeading.h"
#include "printing/ReportFrame.h"

// The page of a receipt: the parish's heading, "CHITANTA" with its number and
// date, who paid, a ruled table of its lines (income type, explanation,
// amount) with their total when there are several, the amount in figures and
// in words, and the cashier's signature.
namespace ReceiptLayout
{

// The fields each line of `lines` carries, in the receipt's order of lines.
inline const QStringList fields{"Nr_act",      "Data",        "Cod_venit",  "Den_venit",
                                "Cod_enorias", "Den_enorias", "Explicatie", "Valoarea"};

// Who paid: the first parishioner named on a line, with the code; without
// one, the first explanation, where the payer is written.
QString payerOf(const ReportTable& lines);

// Builds the receipt over its lines (at least one).
std::unique_ptr<Report> build(const ParishHeading& parish, ReportTable lines);

} // namespace ReceiptLayout
