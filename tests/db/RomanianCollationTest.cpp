#include "db/RomanianCollation.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "support/TestFolder.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

TEST(RomanianCollation, OrdersTheRomanianAlphabetIgnoringCase)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"a", "ă", -1},    {"ă", "â", -1},      {"â", "b", -1},         {"i", "î", -1},
        {"î", "j", -1},    {"s", "ș", -1},      {"ș", "t", -1},         {"t", "ț", -1},
        {"ț", "u", -1},    {"ş", "ș", 0},       {"ţ", "Ț", 0},          {"ION", "ion", 0},
        {"Ăla", "ăLA", 0}, {"Pop", "Popa", -1}, {"Pop 2", "Pop a", -1}, {"Zorilor", "Ștefan", 1},
    };
    for (const auto& c : cases) {
        const int r = compareRomanian(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " ? " << c.b;
    }
}

TEST(RomanianCollation, IsAvailableToStatements)
{
    TestFolder folder;
    folder.openWorkingYear();
    for (const char* name : {"Țuțu", "Sima", "Ștefan", "tudor", "Ăvram", "Avram"})
        Sql::exec(Connection::database(), QStringLiteral("INSERT INTO Furnizori (Denumire) VALUES (:d)"),
                  {{QStringLiteral(":d"), QString::fromUtf8(name)}});
    QStringList ordered;
    QSqlQuery q = Sql::exec(Connection::database(),
                            QStringLiteral("SELECT Denumire FROM Furnizori ORDER BY Denumire COLLATE RO"));
    while (q.next())
        ordered << q.value(0).toString();
    EXPECT_EQ(ordered, QStringList({"Avram", "Ăvram", "Sima", "Ștefan", "tudor", "Țuțu"}));
}
