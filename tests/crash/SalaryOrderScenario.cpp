// Salary payment orders stored with their lines and deleted with them,
// through the record sources of the salary order window and its deletion.
//
// Storing goes as in the window: the header first (the lines need its
// identity), then each line; an order under way at the kill may be found
// with the first lines only, never a line without its header. Deleting
// takes the order with all its lines or leaves it whole.

#include "crash/CrashRandom.h"
#include "crash/CrashScenario.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "operations/SalaryOrderDeletion.h"

#include <QMap>

namespace
{

using namespace CrashState;

const QString header = QStringLiteral("CheltSal");
const QString linesTable = QStringLiteral("ItemsSal");
const QString stored = QStringLiteral("stored");
const QString deleted = QStringLiteral("deleted");
const QString kept = QStringLiteral("kept");

QString centsText(const QList<int>& cents)
{
    QStringList parts;
    for (int c : cents)
        parts << QString::number(c);
    return parts.join(QLatin1Char(','));
}

QList<int> centsFrom(const QString& text)
{
    QList<int> cents;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        cents << part.toInt();
    return cents;
}

// The window's two record sources: the orders, and the lines of the current one.
struct OrderSources {
    Dataset orders{header};
    Dataset lines{linesTable};
    OrderSources()
    {
        orders.open();
        lines.setMaster(&orders, QStringLiteral("Id"), QStringLiteral("Id_CheltSal"));
        lines.open();
        orders.beforeDelete = [this](Dataset& order) {
            deleteSalaryOrder(Connection::database(), lines, order.value(QStringLiteral("Id")));
        };
    }
};

OrderSources& sources()
{
    static OrderSources* open = new OrderSources; // lives as long as the child
    return *open;
}

// The order numbered `number` as stored: null when absent, else its lines in bani.
std::optional<QList<int>> storedOrder(const QSqlDatabase& db, int number, int* copies = nullptr)
{
    QSqlQuery ids = Sql::exec(db, QStringLiteral("SELECT Id FROM CheltSal WHERE Nr_act = :n ORDER BY Id"),
                              {{QStringLiteral(":n"), number}});
    if (!ids.next())
        return std::nullopt;
    const QVariant id = ids.value(0);
    if (copies)
        *copies = 1 + int(ids.next());
    QList<int> cents;
    QSqlQuery lines = Sql::exec(
        db, QStringLiteral("SELECT Valoarea FROM ItemsSal WHERE Id_CheltSal = :id ORDER BY Nr_act_sec"),
        {{QStringLiteral(":id"), id}});
    while (lines.next())
        cents << qRound(lines.value(0).toDouble() * 100);
    return cents;
}

QString storeOrder(const QSqlDatabase& db, int number, CrashRandom& random, const Announce& announce)
{
    const QString account = random.account();
    const QDate date = random.dayOf(workingYearOf(db));
    QList<int> cents;
    for (int i = 1 + random.below(5); i > 0; --i)
        cents << random.cents();
    announce(QStringLiteral("store %1 %2 %3").arg(account, date.toString(Qt::ISODate), centsText(cents)));

    OrderSources& s = sources();
    s.orders.append();
    s.orders.setValue(QStringLiteral("Nr_act"), number);
    s.orders.setValue(QStringLiteral("Data"), date);
    s.orders.setValue(QStringLiteral("Cont"), account);
    s.orders.setValue(QStringLiteral("Explicatie"), QStringLiteral("Salarii %1").arg(number));
    if (!s.orders.post())
        throw DbError(QStringLiteral("the order was refused"));
    for (int c : cents) {
        s.lines.append();
        s.lines.setValue(QStringLiteral("Id_CheltSal"), s.orders.value(QStringLiteral("Id")));
        s.lines.setValue(QStringLiteral("Cod_cheltuiala"), 34);
        s.lines.setValue(QStringLiteral("Valoarea"), c / 100.0);
        if (!s.lines.post())
            throw DbError(QStringLiteral("the line was refused"));
    }
    return stored;
}

QString deleteOrder(const QSqlDatabase& db, int target, const Announce& announce)
{
    announce(QStringLiteral("delete %1 %2").arg(target).arg(centsText(*storedOrder(db, target))));
    OrderSources& s = sources();
    if (!s.orders.locate(QStringLiteral("Nr_act"), {target}) || !s.orders.remove())
        throw DbError(QStringLiteral("the order was not deleted"));
    return deleted;
}

QString performSalaryOrder(const QSqlDatabase& db, int number, unsigned seed, const Announce& announce)
{
    CrashRandom random(seed, number);
    QList<int> orders;
    QSqlQuery numbers = Sql::exec(db, QStringLiteral("SELECT Nr_act FROM CheltSal ORDER BY Id"));
    while (numbers.next())
        orders << numbers.value(0).toInt();
    if (!orders.isEmpty() && random.below(3) == 0)
        return deleteOrder(db, orders.at(random.below(int(orders.size()))), announce);
    return storeOrder(db, number, random, announce);
}

// What may be found of one order after the operations so far.
struct Expectation {
    QList<std::optional<QList<int>>> allowed; // each a possible state; nullopt: absent
    QList<int> announcedLines;
    bool storeUnderWay = false; // any first lines of announcedLines, or absent
    const CrashOperation* underWay = nullptr;
};

QString describe(const std::optional<QList<int>>& state)
{
    return state ? QStringLiteral("lines %1").arg(centsText(*state)) : absent;
}

void verifySalaryOrders(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    QMap<int, Expectation> orders;
    for (const CrashOperation& operation : operations) {
        if (operation.announced.isEmpty())
            continue;
        const QStringList words = operation.announced.first().split(QLatin1Char(' '));
        const std::optional<QString> outcome = operation.outcome();
        if (words.first() == QLatin1String("store")) {
            Expectation& order = orders[operation.number];
            order.announcedLines = centsFrom(words.value(3));
            if (outcome == stored)
                order.allowed = {order.announcedLines};
            else if (outcome) // what was found after its kill: absent, or the first lines
                order.allowed = {outcome == absent ? std::nullopt
                                                   : std::optional(centsFrom(outcome->section(' ', 1)))};
            else
                order.storeUnderWay = true;
            order.underWay = outcome ? nullptr : &operation;
        } else {
            Expectation& order = orders[words.value(1).toInt()];
            const QList<int> before = centsFrom(words.value(2));
            order.storeUnderWay = false;
            if (outcome == deleted)
                order.allowed = {std::nullopt};
            else if (outcome == kept)
                order.allowed = {before};
            else
                order.allowed = {std::nullopt, before};
            order.underWay = outcome ? nullptr : &operation;
        }
    }

    for (auto it = orders.cbegin(); it != orders.cend(); ++it) {
        const Expectation& order = it.value();
        int copies = 0;
        const std::optional<QList<int>> found = storedOrder(db, it.key(), &copies);
        bool whole = order.allowed.contains(found);
        if (order.storeUnderWay)
            whole = !found || order.announcedLines.mid(0, found->size()) == *found;
        if (!whole || copies > 1)
            findings.fault(QStringLiteral("order %1: found %2 (%3 copies)")
                               .arg(it.key())
                               .arg(describe(found))
                               .arg(copies));
        if (order.underWay) {
            const bool isDeletion = order.underWay->announced.first().startsWith(QLatin1String("delete"));
            findings.settle(isDeletion ? (found ? kept : deleted) : describe(found));
        }
        findings.countVerified();
    }

    const int orphans = Sql::scalar(db, QStringLiteral("SELECT COUNT(*) FROM ItemsSal WHERE Id_CheltSal "
                                                       "NOT IN (SELECT Id FROM CheltSal)"))
                            .toInt();
    if (orphans)
        findings.fault(QStringLiteral("%1 lines without their order").arg(orphans));
    int expectedHeaders = 0;
    for (auto it = orders.cbegin(); it != orders.cend(); ++it)
        expectedHeaders += storedOrder(db, it.key()).has_value();
    const int headers = Sql::scalar(db, QStringLiteral("SELECT COUNT(*) FROM CheltSal")).toInt();
    if (headers != expectedHeaders)
        findings.fault(QStringLiteral("%1 orders stored, %2 known").arg(headers).arg(expectedHeaders));
}

const CrashScenarioRegistration salaryOrdersRegistration({QStringLiteral("salaryOrders"), performSalaryOrder, verifySalaryOrders, {}});

} // namespace
