#include "transfer/FilePlacement.h"

#include "core/FolderSync.h"
#include "core/NativePath.h"
#include "transfer/ImportError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <unistd.h>

namespace
{

const QString planName = QStringLiteral("plasare.plan");

ImportError renameFailure(const QString& from, const QString& to)
{
    return ImportError(QStringLiteral("Fisierul %1 nu poate fi pus in locul lui %2; nimic nu s-a schimbat.")
                           .arg(nativePath(from), nativePath(to)));
}

// The folder the plan's relative paths start from.
QDir planBase(const QString& buildFolder)
{
    QDir base(buildFolder);
    base.cdUp();
    return base;
}

} // namespace

FilePlacement::FilePlacement(const QString& buildFolder) : m_buildFolder(buildFolder) {}

void FilePlacement::add(const QString& builtFile, const QString& target, const QString& keptAs)
{
    m_moves.append({builtFile, target, keptAs});
}

bool FilePlacement::hasPlan(const QString& buildFolder)
{
    return QFileInfo::exists(QDir(buildFolder).filePath(planName));
}

// One move a line, its three paths separated by tabs. Written under another
// name and renamed when synced: a plan that exists is whole.
void FilePlacement::writePlan() const
{
    const QDir base = planBase(m_buildFolder);
    const QString planFile = QDir(m_buildFolder).filePath(planName);
    const QString partial = planFile + QStringLiteral(".scris");
    QFile file(partial);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (written) {
        QTextStream out(&file);
        for (const Move& move : m_moves)
            out << base.relativeFilePath(move.built) << '\t' << base.relativeFilePath(move.target) << '\t'
                << (move.keptAs.isEmpty() ? QString() : base.relativeFilePath(move.keptAs)) << '\n';
        out.flush();
        written = out.status() == QTextStream::Ok && file.flush() && ::fsync(file.handle()) == 0;
        file.close();
    }
    if (!written || !QFile::rename(partial, planFile))
        throw ImportError(
            QStringLiteral("Fisierul %1 nu poate fi scris; nimic nu s-a schimbat.").arg(nativePath(planFile)));
    syncFolder(m_buildFolder);
}

QList<FilePlacement::Move> FilePlacement::readPlan(const QString& buildFolder)
{
    const QDir base = planBase(buildFolder);
    QFile file(QDir(buildFolder).filePath(planName));
    if (!file.open(QIODevice::ReadOnly))
        throw ImportError(QStringLiteral("Fisierul %1 nu poate fi citit.").arg(nativePath(file.fileName())));
    QList<Move> moves;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList parts = in.readLine().split(QLatin1Char('\t'));
        if (parts.size() != 3)
            continue;
        moves.append({base.absoluteFilePath(parts[0]), base.absoluteFilePath(parts[1]),
                      parts[2].isEmpty() ? QString() : base.absoluteFilePath(parts[2])});
    }
    return moves;
}

void FilePlacement::placeAll()
{
    writePlan();
    QStringList discarded;
    const auto rename = [this](const QString& from, const QString& to) {
        if (!QFile::rename(from, to)) {
            undo();
            throw renameFailure(from, to);
        }
        m_done.append({from, to});
    };
    for (const Move& move : m_moves) {
        const QString folder = QFileInfo(move.target).absolutePath();
        if (!QFileInfo::exists(folder)) {
            if (!QDir().mkpath(folder)) {
                undo();
                throw ImportError(QStringLiteral("Dosarul %1 nu poate fi creat; nimic nu s-a schimbat.")
                                      .arg(nativePath(folder)));
            }
            m_createdFolders.prepend(folder);
        }
        if (QFileInfo::exists(move.target)) {
            removeStaleAside(move);
            rename(move.target, move.aside());
            (move.keptAs.isEmpty() ? discarded : m_kept) << move.aside();
        }
        rename(move.built, move.target);
    }
    // The plan goes last: until then a kill leaves the discarded files to it.
    for (const QString& file : discarded)
        QFile::remove(file);
    QFile::remove(QDir(m_buildFolder).filePath(planName));
    m_done.clear();
}

void FilePlacement::finishPlanned(const QString& buildFolder)
{
    const QList<Move> moves = readPlan(buildFolder);
    for (const Move& move : moves) {
        // A built file no longer there was put in place already.
        if (!QFileInfo::exists(move.built))
            continue;
        if (!QDir().mkpath(QFileInfo(move.target).absolutePath()))
            throw ImportError(QStringLiteral("Dosarul %1 nu poate fi creat.")
                                  .arg(nativePath(QFileInfo(move.target).absolutePath())));
        if (QFileInfo::exists(move.target)) {
            removeStaleAside(move);
            if (!QFile::rename(move.target, move.aside()))
                throw renameFailure(move.target, move.aside());
        }
        if (!QFile::rename(move.built, move.target))
            throw renameFailure(move.built, move.target);
    }
    for (const Move& move : moves)
        if (move.keptAs.isEmpty())
            QFile::remove(move.aside());
    QFile::remove(QDir(buildFolder).filePath(planName));
}

// A temporary aside name left by a placement a crash cut short would stop
// the rename; a kept name is unique and never removed.
void FilePlacement::removeStaleAside(const Move& move)
{
    if (move.keptAs.isEmpty())
        QFile::remove(move.aside());
}

void FilePlacement::undo()
{
    for (auto it = m_done.crbegin(); it != m_done.crend(); ++it)
        QFile::rename(it->to, it->from);
    for (const QString& folder : m_createdFolders)
        QDir().rmdir(folder);
    QFile::remove(QDir(m_buildFolder).filePath(planName));
    m_done.clear();
    m_createdFolders.clear();
    m_kept.clear();
}
