#include "widgets/GridColumnWidths.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <algorithm>

int sizeColumnsToCharacters(QTableView* grid, const std::function<int(int column)>& charactersOf)
{
    QHeaderView* header = grid->horizontalHeader();
    // A cell draws its text between margins on either side.
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    int total = 0;
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        const QString typical(charactersOf(column), QLatin1Char('n'));
        const int width = std::max(header->sectionSizeHint(column),
                                   grid->fontMetrics().horizontalAdvance(typical) + margins);
        header->resizeSection(column, width);
        total += width;
    }
    return total + grid->verticalHeader()->sizeHint().width() + 2 * grid->frameWidth() +
           grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
}
