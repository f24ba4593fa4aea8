#include "printing/RepOPSalUnt.h"

#include "db/Connection.h"
#include "db/Sql.h"
#include "printing/PaymentOrderLayout.h"

void TRepOPSalFrm::start(QWidget* caller, double orderId)
{
    ReportFrame::run(caller, {10, QPageLayout::Portrait}, [&] {
        const QSqlDatabase db = Connection::database();
        QSqlQuery query = Sql::exec(
            db,
            QStringLiteral("SELECT DISTINCT D.Data, D.Nr_act, D.Explicatie, SUM(D1.Valoarea) AS Valoarea "
                           "FROM CheltSal D, ItemsSal D1 "
                           "WHERE (D.Id = :Id) AND (D1.Id_CheltSal = D.Id) "
                           "GROUP BY D.Data, D.Nr_act, D.Explicatie "
                           "ORDER BY D.Data, D.Nr_act, D.Explicatie"),
            {{QStringLiteral(":Id"), orderId}});
        const ReportTable order = ReportTable::fromQuery(query);
        const QString deanery =
            Sql::scalar(db, QStringLiteral("SELECT Protopopiatul FROM Parohia")).toString();
        return PaymentOrderLayout::build(db, order, QString(), deanery);
    });
}
