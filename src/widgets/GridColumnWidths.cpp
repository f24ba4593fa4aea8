#include "widgets/GridColumnWidths.h"

#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "widgets/TDBGridNormal.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <algorithm>

namespace
{

// A cell draws its text between margins on either side.
int cellMargins(const QTableView* grid)
{
    return 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
}

int gridWidthFor(const QTableView* grid, int columnsWidth)
{
    return columnsWidth + grid->verticalHeader()->sizeHint().width() + 2 * grid->frameWidth() +
           grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
}

} // namespace

int sizeColumnsToCharacters(QTableView* grid, const std::function<int(int column)>& charactersOf)
{
    QHeaderView* header = grid->horizontalHeader();
    const int margins = cellMargins(grid);
    int total = 0;
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        const QString typical(charactersOf(column), QLatin1Char('n'));
        const int width = std::max(header->sectionSizeHint(column),
                                   grid->fontMetrics().horizontalAdvance(typical) + margins);
        header->resizeSection(column, width);
        total += width;
    }
    return gridWidthFor(grid, total);
}

int typicalCharacters(const FieldInfo& field)
{
    constexpr int widestText = 42;
    switch (field.type) {
    case FieldType::String:
        return std::min(field.size, widestText);
    case FieldType::Float:
        return 14; // "1.234.567,89" with room to spare
    case FieldType::Date:
        return 10;
    default:
        return 6;
    }
}

int sizeColumnsToContents(TDBGridNormal* grid)
{
    const Dataset* rows = grid->dataset();
    const DatasetModel* model = grid->datasetModel();
    QHeaderView* header = grid->horizontalHeader();
    const QFontMetrics metrics = grid->fontMetrics();
    const int margins = cellMargins(grid);
    int total = 0;
    for (int column = 0; column < model->columnCount(); ++column) {
        const int field = model->fieldOfColumn(column);
        int width = std::max(header->sectionSizeHint(column),
                             metrics.horizontalAdvance(QString(typicalCharacters(rows->field(field)), QLatin1Char('n'))) +
                                 margins);
        for (int row = 0; row < rows->recordCount(); ++row)
            width = std::max(width, metrics.horizontalAdvance(rows->rowDisplayText(row, field)) + margins);
        header->resizeSection(column, width);
        total += width;
    }
    return gridWidthFor(grid, total);
}

void widenForGrids(QWidget* window, const QList<QTableView*>& grids, const QList<int>& gridWidths)
{
    if (!window->testAttribute(Qt::WA_Resized))
        window->resize(window->sizeHint());
    if (window->layout())
        window->layout()->activate();
    int wanted = window->width();
    for (int i = 0; i < grids.size() && i < gridWidths.size(); ++i) {
        // What surrounds the grid in the window (margins, frames) stays as it is.
        const int around = window->width() - grids[i]->width();
        wanted = std::max(wanted, gridWidths[i] + around);
    }
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        wanted = std::min(wanted, screen->availableGeometry().width());
    if (wanted > window->width())
        window->resize(wanted, window->height());
}
