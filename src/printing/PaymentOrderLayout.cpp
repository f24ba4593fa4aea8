#include "printing/PaymentOrderLayout.h"

#include "db/Sql.h"
#include "printing/SumaInLitere.h"

namespace PaymentOrderLayout
{

namespace
{

QFont sized(double points, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace

std::unique_ptr<Report> build(const QSqlDatabase& db, ReportTable order, const QString& beneficiaryField,
                              const QString& beneficiary)
{
    QSqlQuery parishQuery = Sql::exec(
        db, QStringLiteral("SELECT Arhiepiscopia, Protopopiatul, Parohia, Preot, Epitrop FROM Parohia"));
    const ReportTable parish = ReportTable::fromQuery(parishQuery);
    const auto parishValue = [&parish](const char* field) {
        return parish.value(0, QString::fromLatin1(field)).toString();
    };

    auto report = std::make_unique<Report>();
    // One order per report: only the first matching row is printed.
    if (order.rows.size() > 1)
        order.rows.resize(1);
    ReportDefinition& r = report->definition;
    r.name = QStringLiteral("Ordin de plata");
    r.data = report->keep(std::move(order));
    const double width = r.contentWidth();

    ReportBand& t = r.title;
    t.height = 130;
    t.add(ReportElement::label({0, 5, 35, 6}, QStringLiteral("Arhiepiscopia :")));
    t.add(ReportElement::label({35, 5, width - 35, 6}, parishValue("Arhiepiscopia")));
    t.add(ReportElement::label({0, 11, 35, 6}, QStringLiteral("Protopopiatul :")));
    t.add(ReportElement::label({35, 11, width - 35, 6}, parishValue("Protopopiatul")));
    t.add(ReportElement::label({0, 17, 35, 6}, QStringLiteral("Parohia :")));
    t.add(ReportElement::label({35, 17, width - 35, 6}, parishValue("Parohia")));
    t.add(ReportElement::label({0, 32, width, 14}, QStringLiteral("ORDIN DE PLATA"), Qt::AlignCenter)
              .withFont(sized(24, true)));
    t.add(ReportElement::label({60, 50, 20, 8}, QStringLiteral("Nr.")).withFont(sized(14)));
    t.add(ReportElement::data({80, 50, 60, 8}, QStringLiteral("Nr_act")).withFont(sized(14)));
    t.add(ReportElement::label({60, 58, 20, 8}, QStringLiteral("din data")).withFont(sized(14)));
    t.add(ReportElement::data({80, 58, 60, 8}, QStringLiteral("Data")).withFont(sized(14)));

    t.add(ReportElement::label({0, 74, 60, 6}, QStringLiteral("Beneficiarul platii :")));
    ReportElement payee = beneficiaryField.isEmpty()
                              ? ReportElement::label({10, 80, width - 10, 6}, beneficiary)
                              : ReportElement::data({10, 80, width - 10, 6}, beneficiaryField);
    t.add(payee);
    t.add(ReportElement::label({0, 90, 60, 6}, QStringLiteral("Scopul platii :")));
    ReportElement purpose = ReportElement::data({10, 96, width - 10, 6}, QStringLiteral("Explicatie"));
    t.add(purpose);
    t.add(ReportElement::label({0, 108, 35, 7}, QStringLiteral("Suma de plata :")));
    t.add(ReportElement::data({35, 108, 40, 7}, QStringLiteral("Valoarea"), QStringLiteral("#,##0.00"),
                              Qt::AlignRight | Qt::AlignVCenter));
    t.add(ReportElement::label({78, 108, 30, 7}, QStringLiteral("lei, adica")));
    ReportElement words = ReportElement::label({0, 116, width, 7}, QString());
    words.wrap = true; // the line grows downwards when the words wrap
    words.onPrint = [](const ReportContext& c, const QString&) {
        return SumaInLitere(false, c.value(QStringLiteral("Valoarea")).toDouble());
    };
    t.add(words);

    t.child = std::make_shared<ReportBand>();
    ReportBand& signatures = *t.child;
    signatures.height = 40;
    signatures.add(ReportElement::label({10, 6, 70, 6}, QStringLiteral("Preot paroh,")));
    signatures.add(ReportElement::label({10, 12, 70, 6}, parishValue("Preot")));
    signatures.add(ReportElement::label({width - 80, 6, 70, 6}, QStringLiteral("Prim epitrop,")));
    signatures.add(ReportElement::label({width - 80, 12, 70, 6}, parishValue("Epitrop")));
    signatures.add(ReportElement::label({0, 32, width, 5}, QStringLiteral("Lumivaret, produs Morvalen"),
                                        Qt::AlignRight | Qt::AlignVCenter)
                       .withFont(sized(8)));
    return report;
}

} // namespace PaymentOrderLayout
