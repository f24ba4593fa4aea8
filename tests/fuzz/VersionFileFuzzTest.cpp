// The version file comes from a web server, which may answer anything: an
// error page, a truncated body, bytes of another encoding. Only a body of
// seven characters greater than the running release as text offers an update.
#include "support/SeededRandom.h"

#include "app/UpdateDecision.h"

#include <gtest/gtest.h>

TEST(VersionFileFuzz, OnlyASevenCharacterNewerReleaseOffersAnUpdate)
{
    const QStringList seeds = {QStringLiteral("2.6.5.0"),     QStringLiteral("2.6.4.0"),
                               QStringLiteral("3.0.0.0"),     QStringLiteral("<html>404</html>"),
                               QStringLiteral("2.6.5.0\r\n"), QString()};
    const QStringList running = {QStringLiteral("2.6.4.0"), QStringLiteral("0.0.0.0"),
                                 QStringLiteral("9.9.9.9")};
    SeededRandom random;
    for (int i = 0, n = SeededRandom::runs(20000); i < n; ++i) {
        const QString body =
            random.chance(70) ? random.mutated(random.pick(seeds), seeds) : random.anyText(12);
        const QString release = random.pick(running);
        const UpdateVerdict verdict = decideUpdate(body, release);
        const std::string where = QStringLiteral("seed %1, body \"%2\", running %3")
                                      .arg(random.seed())
                                      .arg(body, release)
                                      .toStdString();
        if (body.size() != 7)
            ASSERT_EQ(verdict, UpdateVerdict::Unreadable) << where;
        else if (release < body)
            ASSERT_EQ(verdict, UpdateVerdict::NewerRelease) << where;
        else
            ASSERT_EQ(verdict, UpdateVerdict::UpToDate) << where;
    }
}
