#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <optional>

// The print settings of the whole run, kept in memory only: set by each
// report's defaults and by the print setup dialog, used by every report.
struct PrintSettings {
    enum class Pitch { Default, Variable, Fixed };

    QString fontName; // empty until a report sets its defaults
    int fontSize = 10;
    Pitch pitch = Pitch::Default;
    bool preview = false;
    int copies = 1;
    int firstPage = 0; // 0 and 0: all pages
    int lastPage = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::optional<QPageSize::PageSizeId> paper;   // empty: the printer's default
    int top = 5, left = 5, bottom = 5, right = 5; // mm
    int minimumTop = 0, minimumLeft = 0, minimumBottom = 0,
        minimumRight = 0; // printable area, as last measured
};

PrintSettings& printSettings();

// The printable area of a printer's page, in whole millimetres.
struct PrintableArea {
    int minimumLeft = 0, minimumTop = 0, minimumRight = 0, minimumBottom = 0;
    int paperWidth = 0, paperHeight = 0;
};

// Keeps the printer's minimum margins, as just measured, in the settings.
void rememberMinimumMargins(PrintSettings& settings, const PrintableArea& area);

// From the device's offsets, printable and physical sizes in pixels and its
// resolution: the minimum margins round up, the paper size to the nearest mm.
PrintableArea computePrintableArea(double offsetX, double offsetY, double printableWidth,
                                   double printableHeight, double physicalWidth, double physicalHeight,
                                   double dpiX, double dpiY);
