#include "CatalogTestSupport.h"

#include "catalogues/CatalogSelect.h"
#include "db/Dataset.h"
#include "widgets/TDBGridNormal.h"

#include <QHeaderView>
#include <QStyle>

namespace
{

// Every caption is shown whole, and so is every name of the list, the
// longest the field holds included.
void expectReadable(const TCatalogFrm* window)
{
    const TDBGridNormal* grid = window->grid();
    const QHeaderView* header = grid->horizontalHeader();
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column))
            << "caption cut: " << grid->model()->headerData(column, Qt::Horizontal).toString().toStdString();

    // A cell elides its text beyond the width less a margin on either side.
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const Dataset* catalog = window->catalog();
    const int nameField = catalog->fieldIndex(window->descriptor().nameField);
    const int nameColumn = 1;
    ASSERT_EQ(grid->model()->headerData(nameColumn, Qt::Horizontal).toString(),
              window->descriptor().columns[nameColumn].caption.isEmpty()
                  ? window->descriptor().nameField
                  : window->descriptor().columns[nameColumn].caption);
    for (int row = 0; row < catalog->recordCount(); ++row) {
        const QString name = catalog->rowDisplayText(row, nameField);
        EXPECT_GE(header->sectionSize(nameColumn), grid->fontMetrics().horizontalAdvance(name) + 2 * margin)
            << "name cut: " << name.toStdString();
    }
}

} // namespace

// The catalogue windows and their pickers show their columns whole; a
// picker is as large as its catalogue's window.
TEST_F(CatalogTest, ColumnsShowTheirCaptionsAndNamesWhole)
{
    // As long as the field allows.
    addParishioners({{QStringLiteral("P1"), QStringLiteral("Constantinescu-Dobrogeanu Ioan")},
                     {QStringLiteral("P2"), QStringLiteral("Pop Ana")}});
    const struct {
        const CatalogDescriptor& catalogue;
        std::function<void(QWidget*)> pick; // empty: the catalogue has no picker
    } cases[] = {
        {Catalogs::parishioners(),
         [](QWidget* caller) {
             QString code;
             SelectEnorias(caller, code);
         }},
        {Catalogs::incomeTypes(),
         [](QWidget* caller) {
             int code = 0;
             SelectTipVenit(caller, code);
         }},
        {Catalogs::expenseTypes(),
         [](QWidget* caller) {
             int code = 0;
             SelectTipCheltuiala(caller, code);
         }},
        {Catalogs::balanceSheetRows(), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.catalogue.windowClass.toStdString());
        TCatalogFrm* window = openCatalogueWindow(c.catalogue);
        expectReadable(window);
        const QSize windowSize = window->size();
        window->close();
        settle();
        if (!c.pick)
            continue;
        QSize pickerSize;
        whilePickerShown(
            [&](TCatalogFrm* picker) {
                expectReadable(picker);
                pickerSize = picker->size();
            },
            [&] { c.pick(&mainWindow); });
        EXPECT_EQ(pickerSize.width(), windowSize.width());
        EXPECT_EQ(pickerSize.height(), windowSize.height());
    }
}
