#include "year/YearFolderArchive.h"

#include "core/NativePath.h"
#include "core/Utilities.h"
#include "year/DataFolderCopy.h"

#include <QDir>
#include <QFileInfo>

namespace
{

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
            throw IoError(QStringLiteral("Directorul %1 existent nu poate fi inlocuit").arg(nativePath(folder)));
    }
    if (!QDir().rename(fresh, folder)) {
        if (hadFolder)
            QDir().rename(previous, folder);
        throw IoError(QStringLiteral("Copia nu poate fi mutata in directorul %1").arg(nativePath(folder)));
    }
    // The old copy is only clutter now: a folder that will not go does no harm.
    QDir(previous).removeRecursively();
}

const QString freshSuffix = QStringLiteral(".nou");
const QString previousSuffix = QStringLiteral(".vechi");

// Hidden names beside the year folder, never taken for a year folder.
QString hiddenName(const QString& base, const QString& year, const QString& suffix)
{
    return base + QLatin1Char('.') + year + suffix;
}

// After a swap cut short between its two renames only the moved-aside copy
// stands: it goes back under the year's name. A moved-aside copy beside a
// year folder is the replaced one and goes.
void settleSwap(const QString& folder, const QString& previous)
{
    if (!exists(previous))
        return;
    if (exists(folder))
        QDir(previous).removeRecursively();
    else
        QDir().rename(previous, folder);
}

} // namespace

namespace YearFolderArchive
{

void finishInterrupted(const QString& programFolder)
{
    const QString base = WithBackslash(programFolder);
    const QStringList previous = QDir(base).entryList({QStringLiteral(".????") + previousSuffix},
                                                      QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : previous) {
        const QString year = name.mid(1, 4);
        settleSwap(base + year, base + name);
    }
    const QStringList fresh = QDir(base).entryList({QStringLiteral(".????") + freshSuffix},
                                                   QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : fresh)
        QDir(base + name).removeRecursively();
}

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
    const QString fresh = hiddenName(base, name, freshSuffix);
    const QString previous = hiddenName(base, name, previousSuffix);
    try {
        settleSwap(folder, previous);
        QDir(fresh).removeRecursively(); // left by an interrupted attempt
        DataFolderCopy::copy(base, fresh, isArchived);
        swapIn(fresh, folder, previous);
    } catch (const UserError& e) {
        QDir(fresh).removeRecursively();
        throw IoError(QStringLiteral("Nu pot salva baza de date in directorul ") + nativePath(folder) +
                      QStringLiteral("\n") + e.text());
    }
}

} // namespace YearFolderArchive
