// Older table files come from old disks and copies of copies: whatever their
// bytes, the import either refuses them with a message naming the file,
// leaving the program folder byte for byte as it was, or imports them with
// every stored value inside its field's type and size. Never a crash or a hang.
#include "support/FolderContents.h"
#include "support/OldTableFile.h"
#include "support/SeededRandom.h"

#include "db/Connection.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "transfer/ImportError.h"
#include "transfer/OldDataImport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <unistd.h>

using namespace OldTableFile;

namespace
{

// Valid files of every field type the import reads, and of a few it skips.
QMap<QString, QByteArray> validFiles(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const auto add = [&](const QString& name, const QList<Field>& fields, const QList<Row>& rows) {
        const QString path = folder + name;
        write(path, fields, rows);
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        files.insert(name, f.readAll());
        QFile::remove(path);
    };
    QList<Row> incomes;
    for (int i = 1; i <= 40; ++i)
        incomes.append({i, QDate(2023, 1, 1).addDays(i * 7), QStringLiteral("Lumânări şi ţoale %1").arg(i),
                        i % 5, QStringLiteral("E%1").arg(i), i * 12.5, i % 3 == 0});
    add(QStringLiteral("Venituri.DB"),
        {number(QStringLiteral("Nr_act")), date(QStringLiteral("Data")),
         alpha(QStringLiteral("Den_venit"), 100), shortInt(QStringLiteral("Cod_venit")),
         alpha(QStringLiteral("Cod_enorias"), 10), money(QStringLiteral("Valoarea")),
         logical(QStringLiteral("Tiparit"))},
        incomes);
    QList<Row> lines;
    for (int i = 1; i <= 30; ++i)
        lines.append({i / 3 + 1, i, i % 7, QStringLiteral("Salariu %1").arg(i), 1000.25 * i, QVariant()});
    add(QStringLiteral("ItemsSal.DB"),
        {longInt(QStringLiteral("Id_CheltSal")), autoInc(QStringLiteral("Nr_act_sec")),
         shortInt(QStringLiteral("Cod_cheltuiala")), alpha(QStringLiteral("Den_cheltuiala"), 120),
         number(QStringLiteral("Valoarea")), memo(QStringLiteral("Explicatie"))},
        lines);
    QList<Row> people;
    for (int i = 1; i <= 25; ++i)
        people.append({QStringLiteral("E%1").arg(i % 20), QStringLiteral("Ştefan Ţurcanu %1").arg(i % 20),
                       QStringLiteral("Str. Mare"), QString::number(i), QStringLiteral("lunară"), i * 1.5});
    add(QStringLiteral("Enoriasi.DB"),
        {alpha(QStringLiteral("Cod_enorias"), 10), alpha(QStringLiteral("Nume_prenume"), 30),
         alpha(QStringLiteral("Strada"), 25), alpha(QStringLiteral("Nr"), 10),
         alpha(QStringLiteral("Tip_contributie"), 20), money(QStringLiteral("Restanta"))},
        people);
    return files;
}

void putU16(QByteArray& bytes, int at, int value)
{
    if (at + 2 <= bytes.size())
        qToLittleEndian<quint16>(quint16(value), bytes.data() + at);
}

// Where the field types and lengths start in the header: later versions of
// the format have a longer header before them.
int fieldInfoOffset(const QByteArray& bytes)
{
    return bytes.size() > 0x39 && quint8(bytes[0x39]) >= 5 ? 0x78 : 0x58;
}

// A valid file damaged in one to three ways.
QByteArray damaged(SeededRandom& random, QByteArray bytes, QStringList& how)
{
    for (int step = 0, steps = 1 + random.below(3); step < steps; ++step) {
        switch (random.below(8)) {
        case 0: { // a few bytes anywhere
            for (int i = 0, n = 1 + random.below(8); i < n; ++i)
                bytes[random.below(int(bytes.size()))] = char(random.below(256));
            how << QStringLiteral("bytes");
            break;
        }
        case 1: // a few bytes of the header
            for (int i = 0, n = 1 + random.below(4); i < n; ++i)
                bytes[random.below(qMin(0x100, int(bytes.size())))] = char(random.below(256));
            how << QStringLiteral("header bytes");
            break;
        case 2:
            bytes.truncate(random.below(int(bytes.size())));
            how << QStringLiteral("cut to %1").arg(bytes.size());
            break;
        case 3:
            for (int i = 0, n = 1 + random.below(3000); i < n; ++i)
                bytes.append(char(random.chance(50) ? 0 : random.below(256)));
            how << QStringLiteral("lengthened to %1").arg(bytes.size());
            break;
        case 4: { // the row size, the row count, the block count or the first block
            static const QList<int> words = {0x00, 0x06, 0x0C, 0x0E};
            const int at = random.pick(words);
            const int value = random.pick(QList<int>{0, 1, 2, 7, 0x7FFF, 0xFFFF, random.below(0x10000)});
            putU16(bytes, at, value);
            how << QStringLiteral("word 0x%1 = %2").arg(at, 0, 16).arg(value);
            break;
        }
        case 5: { // the header size, the block size or the field count
            static const QList<int> places = {0x02, 0x05, 0x21};
            const int at = random.pick(places);
            const int value = random.below(random.chance(50) ? 16 : 0x10000);
            if (at == 0x05 && bytes.size() > at)
                bytes[at] = char(value);
            else
                putU16(bytes, at, value);
            how << QStringLiteral("header 0x%1 = %2").arg(at, 0, 16).arg(value);
            break;
        }
        case 6: { // a field's type or length
            const int fieldCount =
                bytes.size() > 0x22 ? qFromLittleEndian<quint16>(bytes.constData() + 0x21) : 0;
            const int at =
                fieldInfoOffset(bytes) + 2 * random.below(qMax(1, qMin(fieldCount, 20))) + random.below(2);
            if (at < bytes.size())
                bytes[at] = char(random.chance(70) ? random.below(0x1A) : random.below(256));
            how << QStringLiteral("field info at 0x%1").arg(at, 0, 16);
            break;
        }
        default: { // a data block's links or the size of its rows
            const int headerSize = bytes.size() > 3 ? qFromLittleEndian<quint16>(bytes.constData() + 2) : 0;
            const int at = headerSize + 2 * random.below(3);
            const int value = random.pick(QList<int>{0, 1, 2, -1, -2, 0x7FFF, random.below(0x10000)});
            putU16(bytes, at, value);
            how << QStringLiteral("block word 0x%1 = %2").arg(at, 0, 16).arg(value);
            break;
        }
        }
    }
    return bytes;
}

// Why a stored value does not belong in its field; empty when every value does.
QString misfitValue(const QString& databaseFile)
{
    const QString connectionName = QStringLiteral("fuzz-import-check");
    QString problem;
    {
        const QSqlDatabase db = Connection::openNamed(connectionName, databaseFile);
        for (const TableDef& table : TableDefinitions::all()) {
            if (!Sql::tableExists(db, table.name))
                continue;
            for (const FieldDef& field : table.fields) {
                QSqlQuery values = Sql::exec(db, QStringLiteral("SELECT typeof(%1), %1 FROM %2")
                                                     .arg(Sql::quoted(field.name), Sql::quoted(table.name)));
                while (values.next() && problem.isEmpty()) {
                    const QString type = values.value(0).toString();
                    const QVariant value = values.value(1);
                    bool fits = type == QLatin1String("null") && !field.required;
                    switch (field.type) {
                    case FieldType::String:
                        fits =
                            fits || (type == QLatin1String("text") && value.toString().size() <= field.size);
                        break;
                    case FieldType::Date:
                        fits = fits || (type == QLatin1String("text") &&
                                        QDate::fromString(value.toString(), Qt::ISODate).isValid());
                        break;
                    case FieldType::SmallInt:
                        fits = fits || (type == QLatin1String("integer") && value.toLongLong() >= -32768 &&
                                        value.toLongLong() <= 32767);
                        break;
                    case FieldType::Integer:
                    case FieldType::AutoInc:
                        fits = fits || (type == QLatin1String("integer") && value.toLongLong() >= INT32_MIN &&
                                        value.toLongLong() <= INT32_MAX);
                        break;
                    case FieldType::Float:
                        fits = fits || ((type == QLatin1String("real") || type == QLatin1String("integer")) &&
                                        std::isfinite(value.toDouble()));
                        break;
                    }
                    if (!fits)
                        problem = QStringLiteral("%1.%2 holds %3 '%4'")
                                      .arg(table.name, field.name, type, value.toString());
                }
            }
        }
    }
    Connection::removeNamed(connectionName);
    return problem;
}

// Said on standard error when a case brings the program down, so that it can be repeated.
std::string currentCase;

extern "C" void tellCaseAndDie(int signal)
{
    const char intro[] = "\nThe table file fuzz case that stopped the program: ";
    [[maybe_unused]] auto a = ::write(2, intro, sizeof intro - 1);
    [[maybe_unused]] auto b = ::write(2, currentCase.data(), currentCase.size());
    [[maybe_unused]] auto c = ::write(2, "\n", 1);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

TEST(OldTableFuzz, DamagedFilesAreRefusedNamingTheFileOrImportedWithinTheirFields)
{
    QTemporaryDir source, program;
    const QString sourceFolder = source.path() + QLatin1Char('/');
    const QString programFolder = program.path() + QLatin1Char('/');
    const QMap<QString, QByteArray> valid = validFiles(sourceFolder);
    const QStringList names = valid.keys();
    // A working year the import replaces, so that a refusal has something to leave alone.
    for (const QString& name : names) {
        QFile f(sourceFolder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(valid[name]);
    }
    OldDataImport(sourceFolder, programFolder).run(true);

    for (const int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE})
        std::signal(signal, tellCaseAndDie);
    SeededRandom random;
    int refused = 0, imported = 0;
    for (int i = 0, n = SeededRandom::runs(300); i < n; ++i) {
        const QString name = random.pick(names);
        QStringList how;
        const QByteArray bytes = damaged(random, valid[name], how);
        const QString where = QStringLiteral("LUMIVARET_FUZZ_SEED=%1 LUMIVARET_FUZZ_RUNS=%2: %3 %4")
                                  .arg(random.seed())
                                  .arg(i + 1)
                                  .arg(name, how.join(QStringLiteral(", ")));
        currentCase = where.toStdString();
        {
            QFile f(sourceFolder + name);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
        }
        const QMap<QString, QByteArray> before = folderContents(programFolder);
        try {
            OldDataImport(sourceFolder, programFolder).run(true);
            ++imported;
            const QString misfit = misfitValue(programFolder + QStringLiteral("BazaDate.sqlite"));
            ASSERT_EQ(misfit, QString()) << currentCase;
            // The copies kept of the replaced databases would pile up over the run.
            for (const QString& kept : QDir(programFolder).entryList({QStringLiteral("BazaDate-inainte-*")}))
                QFile::remove(programFolder + kept);
        } catch (const ImportError& e) {
            ++refused;
            ASSERT_TRUE(e.text().contains(name)) << currentCase << "\n" << e.text().toStdString();
            ASSERT_EQ(folderContents(programFolder), before) << currentCase;
        }
        // The next case starts from the valid file again.
        QFile f(sourceFolder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(valid[name]);
    }
    for (const int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE})
        std::signal(signal, SIG_DFL);
    std::cout << "damaged table files: " << imported << " imported, " << refused << " refused\n";
}
