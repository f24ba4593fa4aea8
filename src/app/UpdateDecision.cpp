#include "app/UpdateDecision.h"

UpdateVerdict decideUpdate(const QString& versionFileBody, const QString& runningVersion)
{
    constexpr qsizetype releaseLength = 7;
    if (versionFileBody.size() != releaseLength)
        return UpdateVerdict::Unreadable;
    return QString::compare(runningVersion, versionFileBody, Qt::CaseSensitive) < 0
               ? UpdateVerdict::NewerRelease
               : UpdateVerdict::UpToDate;
}
