#include "registers/BalanceRowBreakdown.h"

#include "core/UserError.h"
#include "db/DateFormat.h"
#include "db/FieldFormat.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "registers/BalanceFormula.h"

#include <QSqlQuery>
#include <algorithm>

namespace BalanceRowBreakdown
{

namespace
{

// A document line with what names it apart from every other: its table and row identity.
struct Counted {
    QString table;
    qint64 id = 0;
    Line line;
};

const QString openingTable = QStringLiteral("Contor");

QList<Counted> readLines(const QSqlDatabase& db, const QString& table, const QString& kind,
                         const QString& statement, const QVariantList& values)
{
    QSqlQuery q = Sql::execPositional(db, statement, values);
    QList<Counted> lines;
    while (q.next()) {
        Counted c;
        c.table = table;
        c.id = q.value(0).toLongLong();
        c.line.kind = kind;
        if (!q.value(1).isNull())
            c.line.number = q.value(1).toDouble();
        c.line.date = QDate::fromString(q.value(2).toString().left(10), Qt::ISODate);
        c.line.name = q.value(3).toString();
        c.line.explanation = q.value(4).toString();
        c.line.amount = q.value(5).toDouble();
        lines << c;
    }
    return lines;
}

// The balance sheet counts only the documents of types present in their catalogue.
enum class Types { Catalogued, Any };

QString catalogued(Types types, const QString& typeTable, const QString& codeField)
{
    return types == Types::Any ? QString()
                               : QStringLiteral(" AND d.%2 IN (SELECT %2 FROM %1)").arg(typeTable, codeField);
}

QList<Counted> incomesOf(const QSqlDatabase& db, qint64 code, const QString& condition,
                         const QVariantList& dates, Types types)
{
    return readLines(
        db, QStringLiteral("Venituri"), QStringLiteral("Incasare"),
        QStringLiteral("SELECT d.rowid, d.Nr_act, d.Data, d.Den_enorias, d.Explicatie, d.Valoarea "
                       "FROM Venituri d WHERE d.Cod_venit = ? AND %1%2 ORDER BY d.Data, d.Nr_act, d.rowid")
            .arg(condition, catalogued(types, QStringLiteral("Tip_venituri"), QStringLiteral("Cod_venit"))),
        QVariantList{code} + dates);
}

QList<Counted> paymentsOf(const QSqlDatabase& db, qint64 code, const QString& condition,
                          const QVariantList& dates, Types types)
{
    return readLines(
        db, QStringLiteral("Cheltuieli"), QStringLiteral("Plata"),
        QStringLiteral("SELECT d.rowid, d.Nr_act, d.Data, d.Beneficiar, d.Explicatie, d.Valoarea "
                       "FROM Cheltuieli d WHERE d.Cod_cheltuiala = ? AND %1%2 "
                       "ORDER BY d.Data, d.Nr_act, d.rowid")
            .arg(condition,
                 catalogued(types, QStringLiteral("Tip_cheltuieli"), QStringLiteral("Cod_cheltuiala"))),
        QVariantList{code} + dates);
}

// Salary lines count whatever their code.
QList<Counted> salaryLinesOf(const QSqlDatabase& db, qint64 code, const QString& condition,
                             const QVariantList& dates)
{
    return readLines(
        db, QStringLiteral("ItemsSal"), QStringLiteral("Ordonantare salarii"),
        QStringLiteral("SELECT i.Nr_act_sec, d.Nr_act, d.Data, i.Den_cheltuiala, "
                       "trim(coalesce(d.Explicatie, '') || ' ' || coalesce(i.Explicatie, '')), i.Valoarea "
                       "FROM CheltSal d JOIN ItemsSal i ON i.Id_CheltSal = d.Id "
                       "WHERE i.Cod_cheltuiala = ? AND %1 ORDER BY d.Data, d.Nr_act, i.Nr_act_sec")
            .arg(condition.arg(QStringLiteral("d.Data"))),
        QVariantList{code} + dates);
}

// What the documents dated up to `day` bring to the first row bearing `number`.
QList<Counted> countedUpTo(const QSqlDatabase& db, qint64 number, const QDate& day)
{
    const QString upTo = QStringLiteral("d.Data <= ?");
    const QVariantList dates{day.toString(Qt::ISODate)};
    QList<Counted> lines;
    if (number == 1) {
        QSqlQuery q = Sql::exec(db, QStringLiteral("SELECT Sold_init_casa, Sold_init_banca FROM Contor"));
        if (q.next()) {
            Counted opening;
            opening.table = openingTable;
            opening.line.kind = QStringLiteral("Sold initial");
            opening.line.name = QStringLiteral("Sold la inceputul anului (casa si banca)");
            opening.line.amount = q.value(0).toDouble() + q.value(1).toDouble();
            lines << opening;
        }
    }
    // Incomes of the code replace the opening balance, and payments replace the incomes.
    if (const QList<Counted> incomes = incomesOf(db, number, upTo, dates, Types::Catalogued);
        !incomes.isEmpty())
        lines = incomes;
    if (const QList<Counted> payments = paymentsOf(db, number, upTo, dates, Types::Catalogued);
        !payments.isEmpty())
        lines = payments;
    return lines + salaryLinesOf(db, number, QStringLiteral("%1 <= ?"), dates);
}

bool sameDocument(const Counted& a, const Counted& b)
{
    return a.table == b.table && a.id == b.id;
}

// The lines up to the period's end less those before it; what both count cancels out.
QList<Line> periodLines(const QList<Counted>& upToEnd, const QList<Counted>& before)
{
    QList<Line> lines;
    for (const Counted& c : upToEnd)
        if (std::none_of(before.begin(), before.end(), [&](const Counted& b) { return sameDocument(b, c); }))
            lines << c.line;
    for (const Counted& b : before)
        if (std::none_of(upToEnd.begin(), upToEnd.end(),
                         [&](const Counted& c) { return sameDocument(b, c); })) {
            Line taken = b.line;
            taken.amount = -taken.amount;
            taken.explanation = QStringLiteral("(numarat inainte de perioada) ") + taken.explanation;
            lines << taken;
        }
    return lines;
}

double sumOf(const QList<Line>& lines)
{
    double total = 0;
    for (const Line& l : lines)
        total += l.amount;
    return total;
}

QString periodText(const QDate& from, const QDate& to)
{
    return QStringLiteral("%1 - %2").arg(DateFormat::toShortText(from), DateFormat::toShortText(to));
}

struct BalanceRow {
    qint64 rowid;
    std::optional<qint64> number;
    QString name;
    QString formula;
    double execution;
};

QList<BalanceRow> balanceRows(const QSqlDatabase& db)
{
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("SELECT rowid, Nr_rand, Denumire, Formula, coalesce(Executie, 0) "
                                     "FROM Bilant ORDER BY Nr_rand, rowid"));
    QList<BalanceRow> rows;
    while (q.next())
        rows << BalanceRow{q.value(0).toLongLong(),
                           q.value(1).isNull() ? std::nullopt
                                               : std::optional<qint64>(q.value(1).toLongLong()),
                           q.value(2).toString(), q.value(3).toString(), q.value(4).toDouble()};
    return rows;
}

Breakdown formulaBreakdown(const QList<BalanceRow>& rows, const BalanceRow& row,
                           const BalanceFormula& formula, bool inThousands)
{
    Breakdown b;
    b.title =
        QStringLiteral("Randul %1 %2 = %3")
            .arg(row.number ? QString::number(*row.number) : QString(), row.name, row.formula.trimmed());
    b.note = inThousands ? QStringLiteral("Sumele randurilor sunt cele din bilant, in mii lei.")
                         : QStringLiteral("Sumele randurilor sunt cele din bilant, in lei.");
    for (const BalanceFormula::Term& term : formula.terms()) {
        bool borne = false;
        for (const BalanceRow& r : rows)
            if (term.number && r.number == term.number) {
                borne = true;
                Line line;
                line.kind = term.subtract ? QStringLiteral("Rand (scade)") : QStringLiteral("Rand (adauga)");
                line.number = double(*term.number);
                line.name = r.name;
                line.amount = term.subtract ? -r.execution : r.execution;
                b.lines << line;
            }
        if (!borne)
            b.note = QStringLiteral(
                         "Formula numeste randul %1, pe care nu-l poarta niciun rand: executia ramane goala.")
                         .arg(term.number ? QString::number(*term.number) : QStringLiteral("(prea lung)"));
    }
    if (b.note.startsWith(QLatin1String("Formula numeste")))
        return b;
    // Evaluated the way the computation does, over the figures as stored.
    b.total = formula.evaluate([&](qint64 number) {
        std::optional<double> sum;
        for (const BalanceRow& r : rows)
            if (r.number == number)
                sum = sum.value_or(0.0) + r.execution;
        return sum;
    });
    return b;
}

} // namespace

Breakdown ofRow(const QSqlDatabase& db, qint64 rowId, const QDate& from, const QDate& to, bool inThousands)
{
    const QList<BalanceRow> rows = balanceRows(db);
    const auto it =
        std::find_if(rows.begin(), rows.end(), [rowId](const BalanceRow& r) { return r.rowid == rowId; });
    if (it == rows.end())
        throw UserError(QStringLiteral("Randul bilantului nu mai exista."));
    const BalanceRow& row = *it;
    if (!BalanceFormula::isBlank(row.formula)) {
        const std::optional<BalanceFormula> formula = BalanceFormula::parse(row.formula);
        if (!formula)
            throw UserError(QStringLiteral("Formula randului %1 (\"%2\") nu este formata doar din numere de "
                                           "rand legate prin + sau -")
                                .arg(row.number ? QString::number(*row.number) : QStringLiteral("fara numar"),
                                     row.formula.trimmed()));
        return formulaBreakdown(rows, row, *formula, inThousands);
    }
    Breakdown b;
    b.title = QStringLiteral("Randul %1 %2, %3")
                  .arg(row.number ? QString::number(*row.number) : QString(), row.name, periodText(from, to));
    b.note = QStringLiteral("Sume in lei, inainte de rotunjirea la mii lei.");
    if (!inThousands)
        b.note = QStringLiteral("Sume in lei.");
    const auto first =
        std::find_if(rows.begin(), rows.end(), [&](const BalanceRow& r) { return r.number == row.number; });
    if (!row.number || first->rowid != row.rowid) {
        b.total = 0;
        b.note = row.number ? QStringLiteral("Documentele codului %1 merg la primul rand cu acest numar "
                                             "(%2); acest rand nu primeste niciun document.")
                                  .arg(*row.number)
                                  .arg(first->name)
                            : QStringLiteral("Randul nu are numar: nu primeste niciun document.");
        return b;
    }
    const QList<Counted> upToEnd = countedUpTo(db, *row.number, to);
    if (from == QDate(workingYearOf(db), 1, 1)) {
        for (const Counted& c : upToEnd)
            b.lines << c.line;
    } else {
        b.lines = periodLines(upToEnd, countedUpTo(db, *row.number, from.addDays(-1)));
    }
    b.total = sumOf(b.lines);
    return b;
}

Breakdown ofType(const QSqlDatabase& db, int code, bool income, const QDate& from, const QDate& to)
{
    const QString inPeriod = QStringLiteral("d.Data >= ? AND d.Data <= ?");
    const QVariantList dates{from.toString(Qt::ISODate), to.toString(Qt::ISODate)};
    Breakdown b;
    const QString typeTable = income ? QStringLiteral("Tip_venituri") : QStringLiteral("Tip_cheltuieli");
    const QString codeField = income ? QStringLiteral("Cod_venit") : QStringLiteral("Cod_cheltuiala");
    const QString typeName =
        Sql::scalar(db, QStringLiteral("SELECT Denumire FROM %1 WHERE %2 = :c").arg(typeTable, codeField),
                    {{QStringLiteral(":c"), code}})
            .toString();
    b.title = QStringLiteral("%1 %2 %3, %4")
                  .arg(income ? QStringLiteral("Venitul") : QStringLiteral("Cheltuiala"))
                  .arg(code)
                  .arg(typeName, periodText(from, to));
    b.note = QStringLiteral("Sume in lei.");
    QList<Counted> counted;
    if (income) {
        counted = incomesOf(db, code, inPeriod, dates, Types::Any);
    } else {
        counted = paymentsOf(db, code, inPeriod, dates, Types::Any) +
                  salaryLinesOf(db, code, QStringLiteral("%1 >= ? AND %1 <= ?"), dates);
    }
    for (const Counted& c : counted)
        b.lines << c.line;
    b.total = sumOf(b.lines);
    return b;
}

} // namespace BalanceRowBreakdown
