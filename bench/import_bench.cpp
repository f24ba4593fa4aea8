// Speed of the import of older table files: a year of 100,000 incomes and
// 50,000 expenses, which must come in within 5 s. The table files are
// written once (about 20 s) and kept in /tmp for the following runs.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_import

#include "core/ProgramFolder.h"
#include "support/OldTableFile.h"
#include "transfer/OldDataImport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace OldTableFile;

namespace
{

const QString sourceFolder = QDir::tempPath() + QStringLiteral("/lumivaret-import-bench-v1/");

QList<Row> rows(int count, const std::function<Row(int)>& row)
{
    QList<Row> all;
    all.reserve(count);
    for (int i = 0; i < count; ++i)
        all.append(row(i));
    return all;
}

// Written under a marker that appears only once both files are complete.
const QString& yearOfTables()
{
    const QString marker = sourceFolder + QStringLiteral("complet");
    if (!QFile::exists(marker)) {
        QDir(sourceFolder).removeRecursively();
        QDir().mkpath(sourceFolder);
        const QDate first(2023, 1, 1);
        write(sourceFolder + QStringLiteral("Venituri.DB"),
              {number("Nr_act"), date("Data"), alpha("Den_venit", 100), shortInt("Cod_venit"),
               alpha("Cod_enorias", 10), alpha("Den_enorias", 30), date("Data_registru"),
               alpha("Explicatie", 100), money("Valoarea"), alpha("Cont", 15), number("Nr_registru"),
               alpha("Fel", 15), number("Cant_lumanari")},
              rows(100000, [&](int i) -> Row {
                  const QDate day = first.addDays(i % 365);
                  return {i + 1,
                          day,
                          QStringLiteral("Contribuţie anuală"),
                          i % 40,
                          QStringLiteral("E%1").arg(i % 900),
                          QStringLiteral("Ştefănescu Ţiţi"),
                          day,
                          QStringLiteral("Chitanţa %1").arg(i),
                          10.0 + i % 500,
                          QStringLiteral("Casa"),
                          i / 50,
                          QStringLiteral("CHIT"),
                          i % 7};
              }));
        write(sourceFolder + QStringLiteral("Cheltuieli.DB"),
              {shortInt("Cod_cheltuiala"), date("Data"), number("Nr_act"), alpha("Den_cheltuiala", 100),
               date("Data_registru"), number("Nr_registru"), alpha("Explicatie", 100), money("Valoarea"),
               alpha("Cont", 15), alpha("Fel", 15), number("Cant_lumanari"), alpha("Beneficiar", 100)},
              rows(50000, [&](int i) -> Row {
                  const QDate day = first.addDays(i % 365);
                  return {i % 30,
                          day,
                          i + 1,
                          QStringLiteral("Întreţinere"),
                          day,
                          i / 50,
                          QStringLiteral("Plată %1").arg(i),
                          25.5 + i % 300,
                          QStringLiteral("Banca"),
                          QStringLiteral("OP"),
                          {},
                          QStringLiteral("Furnizor %1").arg(i % 60)};
              }));
        QFile(marker).open(QIODevice::WriteOnly);
    }
    return sourceFolder;
}

void BM_ImportYear(benchmark::State& state)
{
    const QString source = yearOfTables();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir programFolder;
        setProgramFolder(programFolder.path());
        state.ResumeTiming();
        const auto outcome = OldDataImport(source, programFolder.path()).run(false);
        benchmark::DoNotOptimize(outcome.reportText);
    }
}
BENCHMARK(BM_ImportYear)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
