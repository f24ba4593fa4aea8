#include "year/StagedFolder.h"

#include "core/NativePath.h"
#include "core/Utilities.h"

#include <QDir>
#include <QFileInfo>

namespace
{

// The parent is made first: the temporary folder lies beside the final one,
// so that the closing rename stays on one disk.
QString withParentMade(const QString& finalPath)
{
    const QString parent = QFileInfo(finalPath).absolutePath();
    if (!QDir().mkpath(parent))
        throw IoError(QStringLiteral("Directorul %1 nu poate fi creat").arg(nativePath(parent)));
    return finalPath;
}

// The temporary folders of earlier copies to the same place that a crash cut short.
void removeLeftovers(const QString& finalPath)
{
    const QFileInfo info(finalPath);
    QDir parent = info.absoluteDir();
    const QStringList names = parent.entryList({info.fileName() + QStringLiteral(".incomplet-??????")},
                                               QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        QDir(parent.filePath(name)).removeRecursively();
}

QString withParentMadeAndCleared(const QString& finalPath)
{
    withParentMade(finalPath);
    removeLeftovers(finalPath);
    return finalPath;
}

} // namespace

StagedFolder::StagedFolder(const QString& finalPath)
    : m_finalPath(QDir::cleanPath(finalPath)),
      m_temporary(withParentMadeAndCleared(m_finalPath) + QStringLiteral(".incomplet-XXXXXX"))
{
    if (!m_temporary.isValid())
        throw IoError(QStringLiteral("Directorul %1 nu poate fi creat: %2")
                          .arg(nativePath(m_finalPath), m_temporary.errorString()));
}

void StagedFolder::commit()
{
    if (QFileInfo::exists(m_finalPath))
        throw IoError(QStringLiteral("Directorul %1 exista deja").arg(nativePath(m_finalPath)));
    if (!QDir().rename(m_temporary.path(), m_finalPath))
        throw IoError(QStringLiteral("Directorul %1 nu poate fi creat").arg(nativePath(m_finalPath)));
    m_temporary.setAutoRemove(false);
}
