#include "crash/CrashScenario.h"

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
