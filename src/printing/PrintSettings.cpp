#include "printing/PrintSettings.h"

#include <cmath>

PrintSettings& printSettings()
{
    static PrintSettings settings;
    return settings;
}

PrintableArea computePrintableArea(double offsetX, double offsetY, double printableWidth,
                                   double printableHeight, double physicalWidth, double physicalHeight,
                                   double dpiX, double dpiY)
{
    // Round to nearest with halves to even; the added half makes the minimums round up.
    const auto mm = [](double pixels, double dpi) { return pixels / dpi * 25.4; };
    PrintableArea area;
    area.minimumLeft = int(std::nearbyint(mm(offsetX, dpiX) + 0.5));
    area.minimumTop = int(std::nearbyint(mm(offsetY, dpiY) + 0.5));
    area.minimumRight = int(std::nearbyint(mm(physicalWidth - offsetX - printableWidth, dpiX) + 0.5));
    area.minimumBottom = int(std::nearbyint(mm(physicalHeight - offsetY - printableHeight, dpiY) + 0.5));
    area.paperWidth = int(std::nearbyint(mm(physicalWidth, dpiX)));
    area.paperHeight = int(std::nearbyint(mm(physicalHeight, dpiY)));
    return area;
}

void rememberMinimumMargins(PrintSettings& settings, const PrintableArea& area)
{
    settings.minimumTop = area.minimumTop;
    settings.minimumLeft = area.minimumLeft;
    settings.minimumBottom = area.minimumBottom;
    settings.minimumRight = area.minimumRight;
}
