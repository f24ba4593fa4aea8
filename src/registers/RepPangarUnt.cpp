#include "registers/RepPangarUnt.h"

#include "registers/RegisterTableLayout.h"

namespace
{

const RegisterTableLayout& candleShopLayout()
{
    using Content = RegisterTableLayout::Content;
    static const QString doc = QStringLiteral("Documentul");
    static const QString quantity = QStringLiteral("Cantitatea");
    static const QString value = QStringLiteral("Valoarea");
    static const RegisterTableLayout candleShop{
        .table = QStringLiteral("Pangar"),
        .name = TRepPangarFrm::caption,
        .heading = TRepPangarFrm::heading,
        // Widths in mm on a page of 200 mm. Candles and values in and out are
        // summed; the stock and its value repeat the last printed row.
        .columns =
            {
                {{}, QStringLiteral("Data operatiunii"), QStringLiteral("Data"), Content::Date, 20},
                {doc, QStringLiteral("Felul"), QStringLiteral("Fel"), Content::Text, 18},
                {doc, QStringLiteral("Numarul"), QStringLiteral("Nr_doc"), Content::Number, 16},
                {quantity, QStringLiteral("Intrata"), QStringLiteral("CantitateIn"), Content::Summed, 24},
                {quantity, QStringLiteral("Iesita"), QStringLiteral("CantitateOut"), Content::Summed, 24},
                {quantity, QStringLiteral("Stoc"), QStringLiteral("Stoc"), Content::Carried, 24},
                {value, QStringLiteral("Intrata"), QStringLiteral("ValoareIn"), Content::Summed, 24},
                {value, QStringLiteral("Iesita"), QStringLiteral("ValoareOut"), Content::Summed, 24},
                {value, QStringLiteral("Sold"), QStringLiteral("Sold"), Content::Carried, 26},
            },
        // The sums lines' label stands under the date and the document.
        .labelFirstColumn = 0,
        .labelLastColumn = 2,
        .orientation = QPageLayout::Portrait,
        .headingOnEveryPage = false,
        .titleClearOfDate = false,
        .headingTop = 15,
        .lowerHeading = 5,
        .pagePrefix = QStringLiteral("Pag."),
    };
    return candleShop;
}

} // namespace

namespace TRepPangarFrm
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    return RegisterTable::build(candleShopLayout(), db, from, to);
}

CsvTable csv(const Report& report, const QDate& from)
{
    return RegisterTable::csv(candleShopLayout(), report, from);
}

} // namespace TRepPangarFrm
