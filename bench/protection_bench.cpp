// The cost of protected (encrypted) database files: the incomes of a year of
// 100,000 receipts opened, and the register of its 105,000 documents
// computed, on the same data plain and encrypted, in the same run.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_protection

#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/ProtectionKeys.h"
#include "db/SealedFileLayer.h"
#include "registers/CalculRegUnt.h"
#include "support/SampleData.h"
#include "year/DataProtection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

struct Folders {
    QString plain;
    QString sealed;
};

// One year of 100,000 incomes and 5,000 expenses, and an encrypted copy of it.
const Folders& folders()
{
    static QTemporaryDir plainDir;
    static QTemporaryDir sealedDir;
    static Folders made;
    if (made.plain.isEmpty()) {
        setProgramFolder(plainDir.path());
        DatabaseLocation::instance().openWorkingYear();
        SampleData::fillYear(Connection::database(), 2026, {2000, 100000, 5000}, 7);
        Connection::close();
        const QString name = DatabaseLocation::databaseFileName;
        QFile::copy(QDir(plainDir.path()).filePath(name), QDir(sealedDir.path()).filePath(name));
        DataProtection::protect({sealedDir.path(), {}}, "parola benchmark");
        // Only the encrypted copy is encrypted: files the plain one creates stay plain.
        ProtectionKeys::setActiveSalt(std::nullopt);
        made = {plainDir.path(), sealedDir.path()};
    }
    return made;
}

void openYear(bool sealed)
{
    const QString folder = sealed ? folders().sealed : folders().plain;
    Connection::close();
    // As in the program: the temporary files of an encrypted year are encrypted too.
    const auto header = SealedFileLayer::readHeader(QDir(folder).filePath(DatabaseLocation::databaseFileName));
    ProtectionKeys::setActiveSalt(header ? std::optional(header->passwordSalt) : std::nullopt);
    setProgramFolder(folder);
    DatabaseLocation::instance().openWorkingYear();
}

const char* label(const benchmark::State& state)
{
    return state.range(0) ? "encrypted" : "plain";
}

void BM_OpenIncomesAndMoveToLast(benchmark::State& state)
{
    openYear(state.range(0) != 0);
    for (auto _ : state) {
        Dataset incomes(QStringLiteral("Venituri.DB"));
        incomes.open();
        incomes.last();
        benchmark::DoNotOptimize(incomes.asFloat(QStringLiteral("Valoarea")));
    }
    state.SetLabel(label(state));
}
BENCHMARK(BM_OpenIncomesAndMoveToLast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_CalculRegistru(benchmark::State& state)
{
    openYear(state.range(0) != 0);
    for (auto _ : state)
        CalculRegistru(Connection::database());
    state.SetLabel(label(state));
}
BENCHMARK(BM_CalculRegistru)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace
