#include "crash/CrashScenario.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace
{

QList<CrashScenario>& registry()
{
    static QList<CrashScenario> scenarios;
    return scenarios;
}

} // namespace

const QList<CrashScenario>& crashScenarios()
{
    return registry();
}

const CrashScenario* findCrashScenario(const QString& name)
{
    for (const CrashScenario& scenario : registry())
        if (scenario.name == name)
            return &scenario;
    return nullptr;
}

CrashScenarioRegistration::CrashScenarioRegistration(CrashScenario scenario)
{
    registry().append(std::move(scenario));
}

QString scenarioFolder(const QSqlDatabase& db)
{
    return QFileInfo(db.databaseName()).absolutePath() + QLatin1Char('/');
}

void writeScenarioFile(const QString& file, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + file.toStdString());
}
