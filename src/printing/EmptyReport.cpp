#include "printing/EmptyReport.h"

#include "printing/RuledColumns.h"

namespace EmptyReport
{

std::unique_ptr<Report> build(const QString& title, const QString& period, const QString& reason)
{
    auto report = std::make_unique<Report>();
    ReportDefinition& def = report->definition;
    def.name = title;
    def.printIfEmpty = true;
    def.onStart = [title, period, reason](ReportDefinition& d) {
        using RuledColumns::sized;
        const double width = d.contentWidth();
        d.title = ReportBand();
        double y = 0;
        d.title.add(RuledColumns::text({0, y, width, 7}, title, Qt::AlignCenter, sized(d.font, 12, true)));
        y += 7;
        if (!period.isEmpty()) {
            d.title.add(
                RuledColumns::text({0, y, width, 6}, period, Qt::AlignCenter, sized(d.font, 11, true)));
            y += 6;
        }
        d.title.add(RuledColumns::text({0, y + 4, width, 6}, reason, Qt::AlignCenter, sized(d.font, 10)));
        d.title.height = y + 10;
        d.summary = ReportBand();
        d.summary.height = 5;
        d.summary.add(RuledColumns::programLine({0, 0.5, width, 4.5}, d.font));
    };
    return report;
}

} // namespace EmptyReport
