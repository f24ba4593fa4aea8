#pragma once

#include <functional>

class TReportPreview;

// Runs `report` (which opens the preview modally) and lets `use` act on the
// preview while it is shown; the preview is closed afterwards.
void withPreview(const std::function<void()>& report, const std::function<void(TReportPreview&)>& use);
