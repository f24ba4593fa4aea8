#pragma once

#include "printing/ReportFrame.h"

#include <QString>
#include <memory>

// The page written for a report that has nothing to print in its period, so
// that a file asked for is never missing: the report's title, the period
// line (when there is one) and the line that says why the page is empty.
namespace EmptyReport
{

std::unique_ptr<Report> build(const QString& title, const QString& period, const QString& reason);

} // namespace EmptyReport
