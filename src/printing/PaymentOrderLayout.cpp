#include "printing/PaymentOrderLayout.h"

#include "printing/DocumentBands.h"
#include "printing/ParishHeading.h"
#include "printing/SumaInLitere.h"

namespace PaymentOrderLayout
{

namespace
{

using DocumentBands::documentFont;
using DocumentBands::followedBy;
using DocumentBands::wrapped;

// Lays the order out across the page's width between the margins in force,
// short enough (150 mm) to stay on one landscape page with wide margins.
// The beneficiary, the purpose and the amount in words may take several
// lines, so each ends its band and what follows moves down with it.
void layOut(ReportDefinition& r, const ParishHeading& parish, const QString& beneficiaryField,
            const QString& beneficiary)
{
    const double width = r.contentWidth();
    ReportBand& t = r.title;
    t = ReportBand();
    t.height = 70;
    t.add(ReportElement::label({0, 0, 35, 6}, QStringLiteral("Arhiepiscopia :")));
    t.add(ReportElement::label({35, 0, width - 35, 6}, parish.archdiocese));
    t.add(ReportElement::label({0, 6, 35, 6}, QStringLiteral("Protopopiatul :")));
    t.add(ReportElement::label({35, 6, width - 35, 6}, parish.deanery));
    t.add(ReportElement::label({0, 12, 35, 6}, QStringLiteral("Parohia :")));
    t.add(ReportElement::label({35, 12, width - 35, 6}, parish.parish));
    t.add(ReportElement::label({0, 24, width, 14}, QStringLiteral("ORDIN DE PLATA"), Qt::AlignCenter)
              .withFont(documentFont(24, true)));
    t.add(ReportElement::label({60, 42, 20, 8}, QStringLiteral("Nr.")).withFont(documentFont(14)));
    t.add(ReportElement::data({80, 42, 60, 8}, QStringLiteral("Nr_act")).withFont(documentFont(14)));
    t.add(ReportElement::label({60, 50, 20, 8}, QStringLiteral("din data")).withFont(documentFont(14)));
    t.add(ReportElement::data({80, 50, 60, 8}, QStringLiteral("Data")).withFont(documentFont(14)));
    t.add(ReportElement::label({0, 64, 60, 6}, QStringLiteral("Beneficiarul platii :")));

    ReportBand& payee = followedBy(t, 6);
    payee.add(wrapped(beneficiaryField.isEmpty()
                          ? ReportElement::label({10, 0, width - 10, 6}, beneficiary)
                          : ReportElement::data({10, 0, width - 10, 6}, beneficiaryField),
                      r.font));

    ReportBand& purposeHeading = followedBy(payee, 10);
    purposeHeading.add(ReportElement::label({0, 4, 60, 6}, QStringLiteral("Scopul platii :")));
    ReportBand& purpose = followedBy(purposeHeading, 6);
    purpose.add(wrapped(ReportElement::data({10, 0, width - 10, 6}, QStringLiteral("Explicatie")), r.font));

    ReportBand& amount = followedBy(purpose, 24);
    amount.add(ReportElement::label({0, 4, 35, 7}, QStringLiteral("Suma de plata :")));
    amount.add(ReportElement::data({35, 4, 40, 7}, QStringLiteral("Valoarea"), QStringLiteral("#,##0.00"),
                                   Qt::AlignRight | Qt::AlignVCenter));
    amount.add(ReportElement::label({78, 4, 30, 7}, QStringLiteral("lei, adica")));
    ReportElement words = ReportElement::label({0, 12, width, 7}, QString());
    words.wrap = true;
    words.onPrint = [](const ReportContext& c, const QString&) {
        return SumaInLitere(false, c.value(QStringLiteral("Valoarea")).toDouble());
    };
    amount.add(words);

    ReportBand& signatures = followedBy(amount, 34);
    signatures.add(ReportElement::label({10, 4, 70, 6}, QStringLiteral("Preot paroh,")));
    signatures.add(ReportElement::label({10, 10, 70, 6}, parish.priest));
    signatures.add(ReportElement::label({width - 80, 4, 70, 6}, QStringLiteral("Prim epitrop,")));
    signatures.add(ReportElement::label({width - 80, 10, 70, 6}, parish.churchwarden));
    signatures.add(ReportElement::label({0, 28, width, 5}, QStringLiteral("Lumivaret, produs Morvalen"),
                                        Qt::AlignRight | Qt::AlignVCenter)
                       .withFont(documentFont(8)));
}

} // namespace

std::unique_ptr<Report> build(const QSqlDatabase& db, ReportTable order, const QString& beneficiaryField,
                              const QString& beneficiary)
{
    const ParishHeading parish = ParishHeading::read(db);
    auto report = std::make_unique<Report>();
    // One order per report: only the first matching row is printed.
    if (order.rows.size() > 1)
        order.rows.resize(1);
    ReportDefinition& r = report->definition;
    r.name = QStringLiteral("Ordin de plata");
    r.data = report->keep(std::move(order));
    // Laid out when the report runs, on the paper, orientation and margins chosen in the print setup.
    r.onStart = [parish, beneficiaryField, beneficiary](ReportDefinition& definition) {
        layOut(definition, parish, beneficiaryField, beneficiary);
    };
    return report;
}

} // namespace PaymentOrderLayout
