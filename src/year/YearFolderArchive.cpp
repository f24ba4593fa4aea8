#include "year/YearFolderArchive.h"

#include "core/Utilities.h"
#include "year/DataFolderCopy.h"

#include <QDir>
#include <QFileInfo>

namespace
{

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool exists(const QString& path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

// Puts the complete copy `fresh` in the place of `folder`; an older `folder`
// is moved aside to `previous` first and dropped only once the new one stands.
void swapIn(const QString& fresh, const QString& folder, const QString& previous)
{
    const bool hadFolder = exists(folder);
    if (hadFolder) {
        QDir(previous).removeRecursively();
        if (!QDir().rename(folder, previous))
            throw IoError(QStringLiteral("Directorul %1 existent nu poate fi inlocuit").arg(native(folder)));
    }
    if (!QDir().rename(fresh, folder)) {
        if (hadFolder)
            QDir().rename(previous, folder);
        throw IoError(QStringLiteral("Copia nu poate fi mutata in directorul %1").arg(native(folder)));
    }
    // The old copy is only clutter now: a folder that will not go does no harm.
    QDir(previous).removeRecursively();
}

} // namespace

namespace YearFolderArchive
{

bool isArchived(const QString& fileName)
{
    static const QString skipped[] = {QStringLiteral("Lumivaret"), QStringLiteral("poza"),
                                      QStringLiteral("StatutulBOR")};
    for (const QString& text : skipped)
        if (fileName.contains(text, Qt::CaseSensitive))
            return false;
    return true;
}

void refresh(const QString& programFolder, int year)
{
    const QString base = WithBackslash(programFolder);
    const QString name = QString::number(year);
    const QString folder = base + name;
    // Hidden names beside the year folder, never taken for a year folder.
    const QString fresh = base + QLatin1Char('.') + name + QStringLiteral(".nou");
    const QString previous = base + QLatin1Char('.') + name + QStringLiteral(".vechi");
    try {
        QDir(fresh).removeRecursively(); // left by an interrupted attempt
        DataFolderCopy::copy(base, fresh, isArchived);
        swapIn(fresh, folder, previous);
    } catch (const UserError& e) {
        QDir(fresh).removeRecursively();
        throw IoError(QStringLiteral("Nu pot salva baza de date in directorul ") + native(folder) +
                      QStringLiteral("\n") + e.text());
    }
}

} // namespace YearFolderArchive
