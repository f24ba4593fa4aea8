// Protection by password, interrupted anywhere: turned on, the password
// changed, turned off, in turn, over the working year and a closed year.
// After the next start every file is plain or every file is encrypted under
// one password, each whole, never a mix the parish cannot open.

#include "core/ProgramFolder.h"
#include "crash/CrashScenario.h"
#include "db/Connection.h"
#include "db/DatabaseCopy.h"
#include "db/ProtectionKeys.h"
#include "db/SealedFileLayer.h"
#include "db/Sql.h"
#include "year/DataProtection.h"

#include <QDir>
#include <QDirIterator>
#include <QHash>
#include <QScopeGuard>
#include <QSet>

namespace
{

const QString plain = QStringLiteral("plain");

// Which of the scenario's passwords opens a file: a derivation costs a tenth
// of a second, so each password salt met is tried once.
QString passwordOf(const QString& file, const SealedFileLayer::Header& header)
{
    static QHash<QByteArray, QString> known;
    const QByteArray salt(reinterpret_cast<const char*>(header.passwordSalt.data()), ProtectionKeys::saltSize);
    if (const auto found = known.constFind(salt); found != known.constEnd())
        return *found;
    QString name = QStringLiteral("an unknown password");
    for (int i = 0; i < crashPasswords.size(); ++i)
        if (SealedFileLayer::passwordOpens(file, crashPasswords.at(i))) {
            name = QStringLiteral("password %1").arg(i + 1);
            break;
        }
    known.insert(salt, name);
    return name;
}

// "whole" or what is wrong with one database file.
QString fileSoundness(const QString& file)
{
    const QString name = QStringLiteral("LumivaretCrashProtection");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(name); });
    try {
        const QSqlDatabase db = Connection::openNamed(name, file);
        const QString integrity = Sql::scalar(db, QStringLiteral("PRAGMA integrity_check")).toString();
        if (integrity != QLatin1String("ok"))
            return QStringLiteral("damaged: ") + integrity;
        if (Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Parohia")).toInt() != 1)
            return QStringLiteral("without its parish row");
        return QStringLiteral("whole");
    } catch (const std::exception& e) {
        return QStringLiteral("unreadable: ") + QString::fromUtf8(e.what());
    }
}

// "plain", "password 1" or "password 2" when every file of the folder is so
// and whole; else what is mixed or damaged.
QString protectionState(const QString& folder)
{
    QSet<QString> states;
    QStringList faults;
    const QStringList files = DataProtection::databaseFiles({folder, {}});
    for (const QString& file : files) {
        const auto header = SealedFileLayer::readHeader(file);
        states << (header ? passwordOf(file, *header) : plain);
        if (const QString soundness = fileSoundness(file); soundness != QLatin1String("whole"))
            faults << QDir(folder).relativeFilePath(file) + QStringLiteral(" ") + soundness;
    }
    if (files.size() != 2)
        faults << QStringLiteral("%1 database files instead of 2").arg(files.size());
    // Nothing of a conversion cut short stays behind (a copy under way may be in clear).
    QDirIterator leftovers(folder, {QStringLiteral("*.protectie*")}, QDir::Files, QDirIterator::Subdirectories);
    while (leftovers.hasNext())
        faults << QStringLiteral("left behind: ") + QDir(folder).relativeFilePath(leftovers.next());
    if (states.size() > 1)
        faults << QStringLiteral("a mix: ") + QStringList(states.begin(), states.end()).join(QStringLiteral(", "));
    if (!faults.isEmpty())
        return faults.join(QStringLiteral("; "));
    return *states.begin();
}

QString folderOf(const QSqlDatabase& db)
{
    return QFileInfo(db.databaseName()).absolutePath();
}

// The closed year whose file the protection converts with the working year's.
QString baseline(const QSqlDatabase& db)
{
    const QString yearFolder = QDir(folderOf(db)).filePath(QStringLiteral("2023"));
    QDir().mkpath(yearFolder);
    DatabaseCopy::copyTo(db, QDir(yearFolder).filePath(QStringLiteral("BazaDate.sqlite")));
    return plain;
}

QString convert(const QSqlDatabase& db, int number, unsigned, const Announce& announce)
{
    const QString database = db.databaseName();
    const QString folder = folderOf(db);
    const QString before = protectionState(folder);
    const DataProtection::Places places{folder, {}};
    Connection::close();
    if (before == plain) {
        announce(before + QStringLiteral("->password 1"));
        DataProtection::protect(places, crashPasswords.at(0));
    } else if (number % 2 == 0) {
        const int next = before == QLatin1String("password 1") ? 1 : 0;
        announce(before + QStringLiteral("->password %1").arg(next + 1));
        DataProtection::changePassword(places, crashPasswords.at(next));
    } else {
        announce(before + QStringLiteral("->") + plain);
        DataProtection::remove(places);
    }
    Connection::open(database);
    return protectionState(folder);
}

void verify(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    if (operations.isEmpty())
        return;
    const QString found = protectionState(folderOf(db));
    const CrashOperation& last = operations.last();
    if (const std::optional<QString> outcome = last.outcome()) {
        if (found != *outcome)
            findings.fault(QStringLiteral("expected %1, found %2").arg(*outcome, found));
    } else {
        // Under way at the kill: the state before it, or the one it announced.
        QStringList allowed;
        if (operations.size() > 1)
            allowed << operations.at(operations.size() - 2).outcome().value_or(QString());
        if (!last.announced.isEmpty())
            allowed << last.announced.first().section(QStringLiteral("->"), 1);
        if (!allowed.contains(found))
            findings.fault(QStringLiteral("expected %1, found %2").arg(allowed.join(QStringLiteral(" or ")), found));
        findings.settle(found);
    }
    findings.countVerified();
}

const CrashScenarioRegistration protection({QStringLiteral("protection"), convert, verify, baseline, true});

} // namespace
