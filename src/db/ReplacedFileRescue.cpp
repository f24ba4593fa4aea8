#include "db/ReplacedFileRescue.h"

#include "core/ProgramFolder.h"
#include "core/UserError.h"
#include "db/DatabaseCopy.h"
#include "db/DatabaseLocation.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <sqlite3.h>

namespace
{

// The copies made, by connection and file: a connection reopened on another file is another case.
QHash<QString, QString>& copiesMade()
{
    static QHash<QString, QString> copies;
    return copies;
}

QString rescueName(const QString& databaseFile)
{
    return QFileInfo(databaseFile).completeBaseName() + QStringLiteral("-recuperata-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")) +
           QStringLiteral(".sqlite");
}

} // namespace

namespace ReplacedFileRescue
{

Outcome rescue(sqlite3* db)
{
    const QString databaseFile = QString::fromUtf8(sqlite3_db_filename(db, "main"));
    const QString key = QString::number(quintptr(db)) + QLatin1Char('|') + databaseFile;
    if (const auto made = copiesMade().constFind(key); made != copiesMade().cend())
        return {*made, {}};
    const QFileInfo file(databaseFile);
    const QString folder = file.absoluteDir().exists() ? file.absolutePath() : programFolder();
    const QString copy = QDir(folder).filePath(rescueName(databaseFile));
    try {
        DatabaseCopy::copyTo(db, copy);
    } catch (const UserError& e) {
        return {{}, e.text()};
    }
    copiesMade().insert(key, copy);
    return {copy, {}};
}

QString rescueAndExplain(sqlite3* db)
{
    const Outcome rescued = rescue(db);
    const QString saved =
        rescued.copy.isEmpty()
            ? QStringLiteral("Datele deschise in program NU au putut fi copiate: %1.").arg(rescued.problem)
            : QStringLiteral("Datele deschise in program au fost copiate in %1.")
                  .arg(QDir::toNativeSeparators(rescued.copy));
    const QString file = QString::fromUtf8(sqlite3_db_filename(db, "main"));
    // A closed year's copy gone leaves the working year to go on with.
    const bool workingYear = QFileInfo(file).absoluteFilePath() ==
                             QFileInfo(DatabaseLocation::instance().workingYearDatabase()).absoluteFilePath();
    const QString next = workingYear ? QStringLiteral("Inchideti programul si porniti-l din nou")
                                     : QStringLiteral("Alegeti anul de lucru din Sistem -> Parohia si "
                                                      "continuati lucrul in el");
    return QStringLiteral("Fisierul bazei de date %1 a fost sters sau inlocuit de alt program in timp ce "
                          "era deschis: modificarea nu a fost scrisa.\n%2\n%3")
        .arg(QDir::toNativeSeparators(file), saved, next);
}

} // namespace ReplacedFileRescue
