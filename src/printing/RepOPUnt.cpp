#include "printing/RepOPUnt.h"

#include "db/Connection.h"
#include "db/Sql.h"
#include "printing/PaymentOrderLayout.h"

void TRepOPFrm::start(QWidget* caller, int expenseCode, double number, const QDate& date)
{
    ReportFrame::run(caller, {10, QPageLayout::Portrait}, [&] {
        const QSqlDatabase db = Connection::database();
        QSqlQuery query = Sql::exec(
            db,
            QStringLiteral("SELECT DISTINCT Data, Nr_act, Explicatie, Valoarea, Beneficiar "
                           "FROM Cheltuieli "
                           "WHERE (Data = :Data) AND (Nr_act = :Nr) AND (Cod_cheltuiala = :CodChelt) "
                           "ORDER BY Data, Nr_act, Explicatie, Valoarea, Beneficiar"),
            {{QStringLiteral(":Data"), date.toString(Qt::ISODate)},
             {QStringLiteral(":Nr"), number},
             {QStringLiteral(":CodChelt"), expenseCode}});
        return PaymentOrderLayout::build(db, ReportTable::fromQuery(query), QStringLiteral("Beneficiar"));
    });
}
