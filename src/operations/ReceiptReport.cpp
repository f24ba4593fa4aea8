#include "operations/ReceiptReport.h"

#include "core/DbErrorText.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/DateFormat.h"
#include "db/DbError.h"
#include "db/FieldFormat.h"
#include "db/Sql.h"
#include "operations/ReceiptLayout.h"

namespace
{

// The income rows of the document, in the order they were entered. Throws DbError.
ReportTable readLines(double number, const QDate& date)
{
    QSqlQuery query =
        Sql::exec(Connection::database(),
                  QStringLiteral("SELECT %1 FROM Venituri WHERE (Data = :Data) AND (Nr_act = :Nr) "
                                 "ORDER BY rowid")
                      .arg(ReceiptLayout::fields.join(QStringLiteral(", "))),
                  {{QStringLiteral(":Data"), date.toString(Qt::ISODate)}, {QStringLiteral(":Nr"), number}});
    return ReportTable::fromQuery(query);
}

} // namespace

void printReceipt(QWidget* caller, double number, const QDate& date)
{
    ReportTable lines;
    try {
        lines = readLines(number, date);
    } catch (const DbError& e) {
        dialogs().error(DbErrorText::forReport(e.text()));
        return;
    }
    // Said before the print setup, so the user is not asked for a page that will not come.
    if (lines.rowCount() == 0) {
        dialogs().warning(
            QStringLiteral("Nu exista nicio incasare cu numarul %1 din data %2!\n"
                           "Salvati incasarea inainte de a tipari chitanta.")
                .arg(FieldFormat::formatNumber(number, QString()), DateFormat::toShortText(date)));
        return;
    }
    ReportFrame::run(caller, {10, QPageLayout::Portrait}, [&] {
        return ReceiptLayout::build(ParishHeading::read(Connection::database()), std::move(lines));
    });
}
