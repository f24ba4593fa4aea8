#include "OldParish.h"
#include "support/OldTableFile.h"
#include "support/TestFolder.h"
#include "transfer/OldDataImport.h"

#include <gtest/gtest.h>

using namespace OldTableFile;

TEST(ImportedSearchIndex, TheImportedDocumentsAreFoundByTheirNames)
{
    TestFolder folder;
    OldParish parish;
    parish.write(
        QStringLiteral("Venituri.DB"),
        {number("Nr_act"), date("Data"), alpha("Den_venit", 100), shortInt("Cod_venit"),
         alpha("Den_enorias", 30), money("Valoarea")},
        {{12, QDate(2023, 3, 5), QStringLiteral("Lumânări"), 7, QStringLiteral("Ştefan Ţară"), 150.25},
         {13, QDate(2023, 3, 6), QStringLiteral("Donaţii"), 3, QStringLiteral("Ion Pop"), 20.0}});
    parish.write(QStringLiteral("Parohia.DB"), {alpha("Parohia", 30), longInt("An_lucru")},
                 {{QStringLiteral("Sf. Nicolae"), 2023}});
    OldDataImport(parish.path(), folder.path()).run(false);

    const QString database = folder.databaseFile();
    EXPECT_EQ(rowsOf(database, QStringLiteral("SELECT count(*) FROM Cautare WHERE Text MATCH 'stefan tara'")),
              QStringList{"1"});
    EXPECT_EQ(rowsOf(database, QStringLiteral("SELECT count(*) FROM Cautare WHERE Text MATCH 'donatii'")),
              QStringList{"1"});
    EXPECT_EQ(rowsOf(database, QStringLiteral("SELECT count(*) FROM Cautare")), QStringList{"2"});
}
