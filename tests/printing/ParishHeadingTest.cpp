#include "printing/ParishHeading.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

TEST(ParishHeading, TheAddressNamesOnlyThePartsFilledIn)
{
    TestFolder folder;
    folder.openWorkingYear();
    struct Case {
        const char *town, *street, *number, *county, *address;
    };
    const Case cases[] = {
        {"Iasi", "Lapusneanu", "10", "Iasi", "Loc. Iasi, Str. Lapusneanu Nr. 10, Jud. Iasi"},
        {"Voinesti", "", "", "Iasi", "Loc. Voinesti, Jud. Iasi"},
        {"", "Mare", "", " ", "Str. Mare"},
        {"", "", "3", "", "Nr. 3"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        Sql::exec(Connection::database(),
                  QStringLiteral("UPDATE Parohia SET Localitatea = :l, Strada = :s, Nr = :n, Judet = :j, "
                                 "Parohia = 'Sf. Nicolae', Preot = 'Pr. Ion Popescu'"),
                  {{QStringLiteral(":l"), QString::fromLatin1(c.town)},
                   {QStringLiteral(":s"), QString::fromLatin1(c.street)},
                   {QStringLiteral(":n"), QString::fromLatin1(c.number)},
                   {QStringLiteral(":j"), QString::fromLatin1(c.county)}});
        const ParishHeading heading = ParishHeading::read(Connection::database());
        EXPECT_EQ(heading.address, QString::fromLatin1(c.address));
        EXPECT_EQ(heading.parish, QStringLiteral("Sf. Nicolae"));
        EXPECT_EQ(heading.priest, QStringLiteral("Pr. Ion Popescu"));
    }
    Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Parohia"));
    EXPECT_TRUE(ParishHeading::read(Connection::database()).parish.isEmpty())
        << "a parish without its record";
}
