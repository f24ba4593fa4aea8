// Speed of the register computation on a year of 100,000 documents, against
// SQLite itself running the same statements and the same balance pass on the
// same database, and the cost of showing its progress window; the cash book
// of 20,000 rows laid out and written to PDF.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_registers

#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "printing/PagePainter.h"
#include "printing/ReportFrame.h"
#include "registers/CalculRegUnt.h"
#include "registers/RegisterStatements.h"
#include "registers/RepRegCasaUnt.h"
#include "support/FakePrinter.h"
#include "support/SampleData.h"
#include "widgets/ProgressWindow.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace
{

constexpr int year = 2026;

// 70,000 receipt lines, 20,000 payments, 5,000 deposits, 3,000 withdrawals
// and 2,000 salary orders of two lines, made once for every benchmark.
QSqlDatabase largeYear()
{
    static QTemporaryDir dir;
    static bool filled = false;
    if (!filled) {
        setProgramFolder(dir.path());
        DatabaseLocation::instance().openWorkingYear();
        const QSqlDatabase db = Connection::database();
        SampleData::fillYear(db, year, {300, 70000, 20000}, 3);
        Transaction transaction(db);
        Sql::exec(db, QStringLiteral("UPDATE Contor SET Sold_init_casa = 1500, Sold_init_banca = 25000"));
        for (int i = 0; i < 10000; ++i) {
            const QString date = QDate(year, 1, 1).addDays(i % 365).toString(Qt::ISODate);
            if (i < 5000)
                Sql::execPositional(
                    db,
                    QStringLiteral("INSERT INTO Depuneri (Nr_doc, Data, Suma, Fel) VALUES (?, ?, ?, 'FD')"),
                    {i + 1, date, 100.0 + i % 700});
            else if (i < 8000)
                Sql::execPositional(
                    db,
                    QStringLiteral("INSERT INTO Ridicari (Nr_doc, Data, Suma, Fel) VALUES (?, ?, ?, 'CEC')"),
                    {i + 1, date, 80.0 + i % 500});
            else {
                const QVariant id =
                    Sql::execPositional(db,
                                        QStringLiteral("INSERT INTO CheltSal (Data, Nr_act, Cont, "
                                                       "Explicatie) VALUES (?, ?, ?, 'Salarii')"),
                                        {date, i + 1, i % 2 ? "Casa" : "Banca"})
                        .lastInsertId();
                for (const int type : {1, 2})
                    Sql::execPositional(
                        db,
                        QStringLiteral("INSERT INTO ItemsSal (Id_CheltSal, Cod_cheltuiala, Valoarea) "
                                       "VALUES (?, ?, ?)"),
                        {id, type, 1000.0 + type * 250});
            }
        }
        transaction.commit();
        filled = true;
    }
    return Connection::database();
}

void BM_CalculRegistru(benchmark::State& state)
{
    const QSqlDatabase db = largeYear();
    for (auto _ : state)
        CalculRegistru(db);
    state.counters["rows"] = Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Registru")).toDouble();
}
BENCHMARK(BM_CalculRegistru)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_CalculRegistruWithProgressWindow(benchmark::State& state)
{
    const QSqlDatabase db = largeYear();
    ProgressWindow window;
    for (auto _ : state)
        CalculRegistru(db, window);
}
BENCHMARK(BM_CalculRegistruWithProgressWindow)->Unit(benchmark::kMillisecond)->MinTime(3);

void run(sqlite3* db, const char* statement)
{
    if (sqlite3_exec(db, statement, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

sqlite3_stmt* prepare(sqlite3* db, const QString& statement)
{
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, statement.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    return s;
}

// The same statements and balance pass on SQLite's own connection, without Qt.
void rawRegister(sqlite3* db)
{
    run(db, "BEGIN");
    run(db, "DELETE FROM sqlite_sequence WHERE name = 'Registru'");
    run(db, "DELETE FROM Registru");
    const QByteArray firstOfYear = QDate(year, 1, 1).toString(Qt::ISODate).toUtf8();
    for (const QString& statement : RegisterStatements::fullRegister()) {
        sqlite3_stmt* s = prepare(db, statement);
        if (const int at = sqlite3_bind_parameter_index(s, ":Data"))
            sqlite3_bind_text(s, at, firstOfYear.constData(), -1, SQLITE_STATIC);
        sqlite3_step(s);
        sqlite3_finalize(s);
    }
    struct Row {
        sqlite3_int64 id;
        double m[8];
    };
    std::vector<Row> rows;
    sqlite3_stmt* read = prepare(db, RegisterStatements::balanceRead());
    while (sqlite3_step(read) == SQLITE_ROW) {
        Row r{sqlite3_column_int64(read, 0), {}};
        for (int i = 0; i < 8; ++i)
            r.m[i] = sqlite3_column_double(read, i + 1);
        rows.push_back(r);
    }
    sqlite3_finalize(read);
    sqlite3_stmt* write = prepare(db, RegisterStatements::balanceWrite());
    double cash = 0, bank = 0;
    for (const Row& r : rows) {
        using Extended = long double;
        const double soldC = double(((Extended(r.m[0]) + cash) + r.m[1]) - r.m[2] - r.m[3]);
        const double soldB = double(((Extended(r.m[4]) + bank) + r.m[5]) - r.m[6] - r.m[7]);
        sqlite3_bind_double(write, 1, soldC);
        sqlite3_bind_double(write, 2, soldB);
        sqlite3_bind_double(write, 3, double(Extended(soldB) + soldC));
        sqlite3_bind_int64(write, 4, r.id);
        sqlite3_step(write);
        sqlite3_reset(write);
        cash = soldC;
        bank = soldB;
    }
    sqlite3_finalize(write);
    run(db, RegisterStatements::undatedRows().toUtf8().constData());
    run(db, "COMMIT");
}

void BM_SameStatementsOnRawSqlite(benchmark::State& state)
{
    const QString file = largeYear().databaseName();
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    for (auto _ : state)
        rawRegister(db);
    sqlite3_close(db);
}
BENCHMARK(BM_SameStatementsOnRawSqlite)->Unit(benchmark::kMillisecond)->MinTime(3);

// The work table of the large year cut down to its first 20,000 rows with a
// cash movement: the cash book's own deletions then leave it as it is, so
// every run lays out the same 20,000 rows.
void BM_CashBookToPdf(benchmark::State& state)
{
    const QSqlDatabase db = largeYear();
    CalculRegistru(db);
    Sql::exec(db, QStringLiteral("DELETE FROM Registru WHERE Id NOT IN (SELECT Id FROM Registru WHERE "
                                 "IncasariC <> 0 OR RidicariC <> 0 OR PlatiC <> 0 OR DepuneriC <> 0 "
                                 "ORDER BY Data, Id LIMIT 20000)"));
    FakePrinter printer;
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("casa.pdf"));
    const QDate from(year, 1, 1), to(year, 12, 31);
    int pages = 0;
    for (auto _ : state) {
        std::unique_ptr<Report> report = TRepRegCasaFrm::build(db, BookAccount::cash(), from, to);
        ReportFrame::applyDefaults({8, QPageLayout::Portrait});
        const PageModel model = ReportFrame::layOut(*report);
        PagePainter::writePdf(model, file);
        pages = int(model.pages.size());
    }
    state.counters["rows"] = Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Registru")).toDouble();
    state.counters["pages"] = pages;
}
BENCHMARK(BM_CashBookToPdf)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace
