#include "registers/CalculBilantUnt.h"

#include "core/DbErrorText.h"
#include "core/ProgramFolder.h"
#include "core/UserError.h"
#include "db/ConnectionFailure.h"
#include "db/DbError.h"
#include "db/Savepoint.h"
#include "journal/ChangeJournal.h"
#include "db/Sql.h"
#include "db/WorkTable.h"
#include "db/WorkingYear.h"
#include "registers/BalanceFormula.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>
#include <functional>
#include <vector>

namespace
{

const QString tableWord = QStringLiteral("bilant");

struct BalanceRow {
    qint64 rowid = 0;
    std::optional<qint64> number;
    std::optional<double> forecast;
    std::optional<double> execution;
    std::optional<BalanceFormula> formula;
};

// A total of the documents for one type code.
struct CodeTotal {
    qint64 code;
    double sum;
};

QString rowName(const BalanceRow& row)
{
    return row.number ? QString::number(*row.number) : QStringLiteral("fara numar");
}

UserError refusal(const QString& explanation)
{
    return UserError(DbErrorText::forTable(tableWord, explanation));
}

void ensurePrivateFolder()
{
    const QString folder = programFolder() + CalculBilantUnt::privateFolderName;
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder))
        throw UserError(QStringLiteral("Nu pot crea ") + QDir::toNativeSeparators(folder));
}

// The rows in key order (by number; rows sharing a number as they were stored),
// their formulas read; a formula that is not numbers and operators is refused.
std::vector<BalanceRow> readRows(const QSqlDatabase& db)
{
    QSqlQuery read = Sql::exec(db, QStringLiteral("SELECT rowid, Nr_rand, Prevederi, Formula FROM Bilant "
                                                  "ORDER BY Nr_rand, rowid"));
    std::vector<BalanceRow> rows;
    while (read.next()) {
        BalanceRow row;
        row.rowid = read.value(0).toLongLong();
        if (!read.value(1).isNull())
            row.number = read.value(1).toLongLong();
        // An empty forecast counts 0; the execution is always recomputed.
        row.forecast = read.value(2).isNull() ? 0.0 : read.value(2).toDouble();
        row.execution = 0.0;
        const QString formula = read.value(3).toString();
        if (!BalanceFormula::isBlank(formula)) {
            row.formula = BalanceFormula::parse(formula);
            if (!row.formula)
                throw refusal(
                    QStringLiteral("Formula randului %1 (\"%2\") nu este formata doar din numere de "
                                   "rand legate prin + sau -")
                        .arg(rowName(row), formula.trimmed()));
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<CodeTotal> readTotals(const QSqlDatabase& db, const QString& statement,
                                  const QDate& referenceDate)
{
    QSqlQuery query =
        Sql::exec(db, statement, {{QStringLiteral(":DataBilant"), referenceDate.toString(Qt::ISODate)}});
    std::vector<CodeTotal> totals;
    while (query.next())
        if (!query.value(0).isNull())
            totals.push_back({query.value(0).toLongLong(), query.value(1).toDouble()});
    return totals;
}

// Documents of types present in their catalogue; salary lines whatever their code.
const QString incomeTotals =
    QStringLiteral("SELECT D1.Cod_venit, SUM(D.Valoarea) AS Suma FROM Venituri D, Tip_venituri D1 "
                   "WHERE (D.Data <= :DataBilant) AND (D1.Cod_venit = D.Cod_venit) GROUP BY D1.Cod_venit "
                   "ORDER BY D1.Cod_venit");
const QString expenseTotals =
    QStringLiteral("SELECT D1.Cod_cheltuiala, SUM(D.Valoarea) AS Suma FROM Cheltuieli D, Tip_cheltuieli D1 "
                   "WHERE (D.Data <= :DataBilant) AND (D1.Cod_cheltuiala = D.Cod_cheltuiala) "
                   "GROUP BY D1.Cod_cheltuiala ORDER BY D1.Cod_cheltuiala");
const QString salaryTotals =
    QStringLiteral("SELECT D1.Cod_cheltuiala, SUM(D1.Valoarea) AS Suma FROM CheltSal D, ItemsSal D1 "
                   "WHERE (D.Data <= :DataBilant) AND (D1.Id_CheltSal = D.Id) GROUP BY D1.Cod_cheltuiala "
                   "ORDER BY D1.Cod_cheltuiala");

// Half-way cases go to the even neighbour (the default rounding mode).
double inThousandsOfLei(double lei)
{
    return std::nearbyint(lei / 1000 * 100) / 100;
}

// The formula rows in an order where each comes after every formula row it
// names; formulas that depend on each other in a circle are refused, naming
// the rows of the circle.
class FormulaOrder
{
public:
    explicit FormulaOrder(const std::vector<BalanceRow>& rows)
        : m_rows(rows), m_state(rows.size(), State::New)
    {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].number)
                m_bearing[*rows[i].number].push_back(i);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].formula)
                visit(i);
    }
    const std::vector<std::size_t>& order() const { return m_order; }

private:
    enum class State { New, Open, Done };

    void visit(std::size_t i)
    {
        if (m_state[i] == State::Done)
            return;
        if (m_state[i] == State::Open)
            refuseCircle(i);
        m_state[i] = State::Open;
        m_path.push_back(i);
        for (const qint64 number : m_rows[i].formula->numbers())
            for (const std::size_t named : m_bearing.value(number))
                if (m_rows[named].formula)
                    visit(named);
        m_path.pop_back();
        m_state[i] = State::Done;
        m_order.push_back(i);
    }

    [[noreturn]] void refuseCircle(std::size_t start) const
    {
        QStringList names;
        for (auto at = std::find(m_path.begin(), m_path.end(), start); at != m_path.end(); ++at)
            if (!names.contains(rowName(m_rows[*at])))
                names << rowName(m_rows[*at]);
        if (names.size() == 1)
            throw refusal(
                QStringLiteral("Formula randului %1 depinde de propriul ei rezultat").arg(names[0]));
        throw refusal(QStringLiteral("Formulele randurilor %1 depind una de alta in cerc")
                          .arg(names.join(QStringLiteral(", "))));
    }

    const std::vector<BalanceRow>& m_rows;
    QHash<qint64, std::vector<std::size_t>> m_bearing;
    std::vector<State> m_state;
    std::vector<std::size_t> m_path;
    std::vector<std::size_t> m_order;
};

// The sum of a field over every row bearing `number`; empty when no row bears
// it, or when every one of them is empty.
std::optional<double> sumOfRows(const std::vector<BalanceRow>& rows, qint64 number,
                                std::optional<double> BalanceRow::*field)
{
    std::optional<double> sum;
    for (const BalanceRow& row : rows)
        if (row.number == number && row.*field)
            sum = sum.value_or(0.0) + *(row.*field);
    return sum;
}

BalanceRow* firstBearing(std::vector<BalanceRow>& rows, qint64 number)
{
    for (BalanceRow& row : rows)
        if (row.number == number)
            return &row;
    return nullptr;
}

void writeRows(const QSqlDatabase& db, const std::vector<BalanceRow>& rows)
{
    const QString table = QStringLiteral("Bilant");
    QSqlQuery write(db);
    if (!write.prepare(QStringLiteral("UPDATE Bilant SET Prevederi = ?, Executie = ? WHERE rowid = ?")))
        ConnectionFailure::raise(db, write.lastError(), table);
    const auto value = [](const std::optional<double>& v) { return v ? QVariant(*v) : QVariant(); };
    for (const BalanceRow& row : rows) {
        write.bindValue(0, value(row.forecast));
        write.bindValue(1, value(row.execution));
        write.bindValue(2, row.rowid);
        if (!write.exec())
            ConnectionFailure::raise(db, write.lastError(), table);
    }
}

// What the documents dated up to a reference date bring to the rows.
struct DocumentTotals {
    QVariant opening;
    std::vector<CodeTotal> incomes, expenses, salaries;

    int count() const { return int(incomes.size() + expenses.size() + salaries.size()); }
};

DocumentTotals readDocumentTotals(const QSqlDatabase& db, const QDate& referenceDate)
{
    return {Sql::scalar(db, QStringLiteral("SELECT coalesce(Sold_init_casa, 0) + coalesce(Sold_init_banca, 0) "
                                           "FROM Contor")),
            readTotals(db, incomeTotals, referenceDate), readTotals(db, expenseTotals, referenceDate),
            readTotals(db, salaryTotals, referenceDate)};
}

// Puts the totals into the first row bearing each code, in lei; `stepped`
// is called once for the opening balance and once per total.
void storeTotals(std::vector<BalanceRow>& rows, const DocumentTotals& totals,
                 const std::function<void()>& stepped)
{
    if (BalanceRow* first = firstBearing(rows, 1); first && totals.opening.isValid())
        first->execution = totals.opening.toDouble();
    stepped();
    const auto store = [&](const std::vector<CodeTotal>& codeTotals, bool add) {
        for (const CodeTotal& t : codeTotals) {
            if (BalanceRow* row = firstBearing(rows, t.code))
                row->execution = (add ? row->execution.value_or(0.0) : 0.0) + t.sum;
            stepped();
        }
    };
    store(totals.incomes, false);
    store(totals.expenses, false);
    store(totals.salaries, true);
}

// From the rows' executions in lei to the figures of the balance sheet: in
// thousands of lei when asked, then the formula rows in dependency order.
void finishFigures(std::vector<BalanceRow>& rows, const FormulaOrder& formulas, bool inThousands,
                   const std::function<void()>& stepped)
{
    for (BalanceRow& row : rows) {
        if (inThousands)
            row.execution = inThousandsOfLei(*row.execution);
        stepped();
    }
    for (const std::size_t i : formulas.order()) {
        BalanceRow& row = rows[i];
        row.forecast = row.formula->evaluate(
            [&](qint64 number) { return sumOfRows(rows, number, &BalanceRow::forecast); });
        row.execution = row.formula->evaluate(
            [&](qint64 number) { return sumOfRows(rows, number, &BalanceRow::execution); });
    }
}

void compute(const QSqlDatabase& db, const QDate& referenceDate, bool inThousands, Progress& progress)
{
    std::vector<BalanceRow> rows = readRows(db);
    const FormulaOrder formulas(rows);
    const DocumentTotals totals = readDocumentTotals(db, referenceDate);

    ProgressScope scope(progress, CalculBilantUnt::progressCaption,
                        1 + totals.count() + 2 * int(rows.size()));
    int done = 0;
    const auto stepped = [&] { scope.step(++done); };
    storeTotals(rows, totals, stepped);
    finishFigures(rows, formulas, inThousands, stepped);
    writeRows(db, rows);
    done += int(rows.size());
    scope.step(done);
}

// The period's figures: each row's execution up to `to` less its own
// execution before `from`, both in lei, and only then expressed in thousands
// and added up by the formulas, so that a period rounds like a whole year.
void computePeriod(const QSqlDatabase& db, const QDate& from, const QDate& to, bool inThousands,
                   Progress& progress)
{
    std::vector<BalanceRow> rows = readRows(db);
    const FormulaOrder formulas(rows);
    std::vector<BalanceRow> before = rows;
    const DocumentTotals totalsBefore = readDocumentTotals(db, from.addDays(-1));
    const DocumentTotals totalsUpTo = readDocumentTotals(db, to);

    ProgressScope scope(progress, CalculBilantUnt::progressCaption,
                        2 + totalsBefore.count() + totalsUpTo.count() + 2 * int(rows.size()));
    int done = 0;
    const auto stepped = [&] { scope.step(++done); };
    storeTotals(before, totalsBefore, stepped);
    storeTotals(rows, totalsUpTo, stepped);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].execution = *rows[i].execution - *before[i].execution;
    finishFigures(rows, formulas, inThousands, stepped);
    writeRows(db, rows);
    done += int(rows.size());
    scope.step(done);
}

// The snapshot of the balance sheet before the period, kept in Bilant1 with
// the row identities of Bilant.
void takeSnapshot(const QSqlDatabase& db)
{
    try {
        WorkTable::rebuildEmpty(db, QStringLiteral("Bilant1"));
        Sql::exec(
            db, QStringLiteral("INSERT INTO Bilant1 (rowid, Nr_rand, Denumire, Prevederi, Executie, Formula, "
                               "Cont1, Cont) SELECT rowid, Nr_rand, Denumire, Prevederi, Executie, Formula, "
                               "Cont1, Cont FROM Bilant"));
    } catch (const DbError&) {
        throw UserError(
            QStringLiteral("Nu pot crea fisierul :") +
            QDir::toNativeSeparators(QFileInfo(db.databaseName()).absolutePath() + QLatin1Char('/')) +
            QStringLiteral("Bilant1. Inchideti fisierele aferente si repetati operatia!"));
    }
}

// The computed figures are written into the balance sheet's rows: one entry for all of them.
void recordComputation(const QSqlDatabase& db, const QDate& referenceDate)
{
    ChangeJournal::recordSummary(
        db,
        QStringLiteral("Calculul bilantului la %1 (prevederi si executie)").arg(referenceDate.toString(QStringLiteral("dd.MM.yyyy"))),
        {QStringLiteral("Bilant")});
}

} // namespace

void CalculBilant(const QSqlDatabase& db, const QDate& referenceDate, bool inThousands, Progress& progress)
{
    ensurePrivateFolder();
    try {
        Savepoint savepoint(db, QStringLiteral("calcul_bilant"));
        compute(db, referenceDate, inThousands, progress);
        recordComputation(db, referenceDate);
        savepoint.release();
    } catch (const DbError& e) {
        throw refusal(e.text());
    }
}

void CalculBilantPerioada(const QSqlDatabase& db, const QDate& from, const QDate& to, bool inThousands,
                          Progress& progress)
{
    if (from > to)
        throw UserError(QStringLiteral("Intervalul de timp nu este corect! ") +
                        to.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" < ") +
                        from.toString(QStringLiteral("dd.MM.yyyy")));
    if (from == QDate(workingYearOf(db), 1, 1)) {
        CalculBilant(db, to, inThousands, progress);
        return;
    }
    ensurePrivateFolder();
    try {
        Savepoint savepoint(db, QStringLiteral("calcul_bilant_perioada"));
        // The balance sheet up to the day before the period is kept in Bilant1.
        compute(db, from.addDays(-1), inThousands, noProgress());
        takeSnapshot(db);
        computePeriod(db, from, to, inThousands, progress);
        recordComputation(db, to);
        savepoint.release();
    } catch (const DbError& e) {
        throw refusal(e.text());
    }
}
