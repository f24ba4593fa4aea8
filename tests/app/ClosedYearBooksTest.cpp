#include "db/Connection.h"
#include "db/Sql.h"
#include "support/Documents.h"
#include "support/ProgramRun.h"
#include "support/SampleData.h"
#include "support/TestFolder.h"
#include "year/YearEndRollover.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace
{

const QStringList wholeYear = {"--from", "01.01.2024", "--to", "31.12.2024"};
const QStringList yearEnd = {"--to", "31.12.2024"};

// Every book of the catalogue that has a CSV form, asked as the books of 2024;
// the family's books of the parishioner `family`.
QList<QStringList> booksOf(const QString& family)
{
    return {
        QStringList{"registru-incasari-plati"} + wholeYear,
        QStringList{"registru-casa"} + wholeYear,
        QStringList{"registru-banca"} + wholeYear,
        QStringList{"fisa-venituri", "--code", "2"} + wholeYear,
        QStringList{"fisa-cheltuieli", "--code", "34"} + wholeYear,
        QStringList{"registru-pangar"} + wholeYear,
        QStringList{"bilant-v1"} + wholeYear,
        QStringList{"bilant-v2"} + wholeYear,
        QStringList{"bilant-v1-prevederi"} + wholeYear,
        QStringList{"bilant-v2-prevederi"} + wholeYear,
        QStringList{"situatie-contributii"} + yearEnd,
        QStringList{"restante"} + yearEnd,
        {"fisa-contributie", "--code", family},
        {"lista-enoriasi"},
        {"fisa-familie", "--code", family},
        QStringList{"stoc"} + yearEnd,
    };
}

// What the program printed for one book run from `folder`: its exit status,
// its messages and the CSV it wrote.
QString printedBook(const QString& folder, const QStringList& book)
{
    const QString csv = QDir(folder).filePath(QStringLiteral("carte.csv"));
    QFile::remove(csv);
    const ProgramOutcome run = runProgram(QDir(folder).filePath(QStringLiteral("Lumivaret")),
                                          QStringList{QStringLiteral("--report")} + book +
                                              QStringList{QStringLiteral("--csv"), csv});
    QFile file(csv);
    const QString contents = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    return QStringLiteral("exit %1\n%2%3\n%4").arg(run.exitCode).arg(run.out, run.err, contents);
}

} // namespace

// A year of a parish's books, printed before the closing from the working
// year and after it from the year folder's copy, gives the same books.
TEST(ClosedYearBooks, PrintedFromTheYearFolderEqualThosePrintedBeforeTheClosing)
{
    TestFolder folder;
    const QSqlDatabase db = folder.openWorkingYear();
    Documents::setYear(db, 2024, 350, 1200);
    SampleData::fillYear(db, 2024, {40, 150, 60}, 7);
    Documents::deposit(db, 9001, QStringLiteral("2024-05-02"), 300);
    Documents::withdrawal(db, 9002, QStringLiteral("2024-09-12"), 120);
    Documents::salaryOrder(db, 9003, QStringLiteral("2024-12-30"), QStringLiteral("Casa"), {{34, 900}});
    Documents::receipt(db, 9004, QStringLiteral("2025-01-03"), 75); // typed early for the next year
    const QList<QStringList> books =
        booksOf(Sql::scalar(db, QStringLiteral("SELECT min(Cod_enorias) FROM Enoriasi")).toString());
    Connection::close();
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), folder.file(QStringLiteral("Lumivaret"))));

    QStringList before;
    for (const QStringList& book : books)
        before << printedBook(folder.path(), book);
    for (const QString& book : before)
        ASSERT_TRUE(book.startsWith(QStringLiteral("exit 0\n"))) << book.toStdString();

    Connection::open(folder.databaseFile());
    ASSERT_EQ(YearEndRollover::closeWorkingYear(Connection::database(), folder.path(), 2024), 2025);
    const auto scalar = [](const char* query) {
        return Sql::scalar(Connection::database(), QString::fromLatin1(query)).toString().toStdString();
    };
    EXPECT_EQ(scalar("SELECT Sold_init_casa + Sold_init_banca FROM Contor"), "0");
    EXPECT_EQ(scalar("SELECT group_concat(Data) FROM Venituri"), "2025-01-03");
    Connection::close();

    const QString yearFolder = folder.file(QStringLiteral("2024"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), yearFolder + QStringLiteral("/Lumivaret")));
    for (int i = 0; i < books.size(); ++i) {
        SCOPED_TRACE(books.at(i).first().toStdString());
        EXPECT_EQ(printedBook(yearFolder, books.at(i)).toStdString(), before.at(i).toStdString());
    }
}
