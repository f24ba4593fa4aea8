// The options file is edited by hand on parish computers: whatever it holds,
// the program reads its switches, and the switches it writes read back.
#include "support/SeededRandom.h"

#include "core/ProgramOptions.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QByteArray garbledOptions(SeededRandom& random)
{
    const QStringList lines = {
        QStringLiteral("[Options]"),
        QStringLiteral("[options ]"),
        QStringLiteral("[Alta]"),
        QStringLiteral("["),
        QStringLiteral("]"),
        QStringLiteral("Check for new version=1"),
        QStringLiteral("check FOR new version = 0"),
        QStringLiteral("Backup BD zilnic=abc"),
        QStringLiteral("Backup BD zilnic="),
        QStringLiteral("=1"),
        QStringLiteral("Tipareste chitanta=99999999999999999999"),
        QStringLiteral("Foloseste nume compus pe rapoarte=-1"),
        QStringLiteral("; comentariu"),
        QString(),
    };
    QString text;
    const int count = random.below(15);
    for (int i = 0; i < count; ++i) {
        const QString line =
            random.chance(80) ? random.mutated(random.pick(lines), lines) : random.anyText(30);
        text += line +
                random.pick(QStringList{QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")});
    }
    QByteArray bytes = text.toUtf8();
    if (random.chance(20))
        bytes.insert(random.below(int(bytes.size()) + 1), QByteArray("\xff\xfe\xc3", random.below(4)));
    return bytes;
}

} // namespace

TEST(OptionsFileFuzz, AnyFileIsReadAndTheSwitchesWrittenReadBack)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Configurari.ini"));
    SeededRandom random;
    for (int i = 0, n = SeededRandom::runs(3000); i < n; ++i) {
        const QByteArray before = garbledOptions(random);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(before);
        file.close();
        const std::string where = QStringLiteral("seed %1, file %2")
                                      .arg(random.seed())
                                      .arg(QString::fromLatin1(before.toPercentEncoding(" =[];")))
                                      .toStdString();

        ProgramOptions written = ProgramOptions::read(path);
        written.checkForNewVersion = random.chance(50);
        written.dailyBackup = random.chance(50);
        written.compoundNames = random.chance(50);
        written.printReceipt = random.chance(50);
        ASSERT_NO_THROW(written.writeStartupSwitches(path)) << where;

        const ProgramOptions read = ProgramOptions::read(path);
        ASSERT_EQ(read.checkForNewVersion, written.checkForNewVersion) << where;
        ASSERT_EQ(read.dailyBackup, written.dailyBackup) << where;
        ASSERT_EQ(read.compoundNames, written.compoundNames) << where;
        ASSERT_EQ(read.printReceipt, written.printReceipt) << where;
        ASSERT_EQ(read.balanceInThousands, ProgramOptions::read(path).balanceInThousands) << where;
    }
}
