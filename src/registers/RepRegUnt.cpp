#include "registers/RepRegUnt.h"

#include "registers/RegisterTableLayout.h"

namespace
{

const RegisterTableLayout& registerLayout()
{
    using Content = RegisterTableLayout::Content;
    static const QString casa = QStringLiteral("Operatiuni prin casa");
    static const QString cont = QStringLiteral("Operatiuni prin cont");
    static const QString doc = QStringLiteral("Documentul");
    static const RegisterTableLayout receiptsAndPayments{
        .table = QStringLiteral("Registru"),
        .name = TRepRegFrm::caption,
        .heading = TRepRegFrm::heading,
        // Widths in mm on a page of 287 mm.
        .columns =
            {
                {{}, QStringLiteral("Data"), QStringLiteral("Data"), Content::Date, 16},
                {doc, QStringLiteral("Felul"), QStringLiteral("Fel"), Content::Text, 15,
                 true}, // "FACTURA FISCALA" on two lines
                {doc, QStringLiteral("Nr."), QStringLiteral("Nr_doc"), Content::Number, 12},
                {{}, QStringLiteral("Explicatii"), QStringLiteral("Explicatii"), Content::Text, 42, true},
                {casa, QStringLiteral("Incasari"), QStringLiteral("IncasariC"), Content::Summed, 18.4},
                {casa, QStringLiteral("Ridicari din cont"), QStringLiteral("RidicariC"), Content::Summed,
                 18.4},
                {casa, QStringLiteral("Plati"), QStringLiteral("PlatiC"), Content::Summed, 18.4},
                {casa, QStringLiteral("Depuneri in cont"), QStringLiteral("DepuneriC"), Content::Summed,
                 18.4},
                {casa, QStringLiteral("Sold"), QStringLiteral("SoldC"), Content::Carried, 18.4},
                {cont, QStringLiteral("Incasari"), QStringLiteral("IncasariB"), Content::Summed, 18.4},
                {cont, QStringLiteral("Depuneri in cont"), QStringLiteral("DepuneriB"), Content::Summed,
                 18.4},
                {cont, QStringLiteral("Plati"), QStringLiteral("PlatiB"), Content::Summed, 18.4},
                {cont, QStringLiteral("Ridicari din cont"), QStringLiteral("RidicariB"), Content::Summed,
                 18.4},
                {cont, QStringLiteral("Sold"), QStringLiteral("SoldB"), Content::Carried, 18.4},
                {{}, QStringLiteral("Sold total (9+14)"), QStringLiteral("SoldT"), Content::Carried, 18.4},
            },
        // The sums lines' label stands under Explicatii.
        .labelFirstColumn = 3,
        .labelLastColumn = 3,
        .orientation = QPageLayout::Landscape,
        .headingOnEveryPage = true,
        .titleClearOfDate = true,
        .headingTop = 14,
        .lowerHeading = 8,
        .pagePrefix = QStringLiteral("Pagina  "),
    };
    return receiptsAndPayments;
}

} // namespace

namespace TRepRegFrm
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    return RegisterTable::build(registerLayout(), db, from, to);
}

CsvTable csv(const Report& report, const QDate& from)
{
    return RegisterTable::csv(registerLayout(), report, from);
}

} // namespace TRepRegFrm
