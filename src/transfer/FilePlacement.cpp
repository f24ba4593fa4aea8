#include "transfer/FilePlacement.h"

#include "transfer/ImportError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void FilePlacement::add(const QString& builtFile, const QString& target, const QString& keptAs)
{
    m_moves.append({builtFile, target, keptAs});
}

void FilePlacement::placeAll()
{
    QStringList discarded;
    const auto rename = [this](const QString& from, const QString& to) {
        if (!QFile::rename(from, to)) {
            undo();
            throw ImportError(
                QStringLiteral("Fisierul %1 nu poate fi pus in locul lui %2; nimic nu s-a schimbat.")
                    .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
        }
        m_done.append({from, to});
    };
    for (const Move& move : m_moves) {
        const QString folder = QFileInfo(move.target).absolutePath();
        if (!QFileInfo::exists(folder)) {
            if (!QDir().mkpath(folder)) {
                undo();
                throw ImportError(QStringLiteral("Dosarul %1 nu poate fi creat; nimic nu s-a schimbat.")
                                      .arg(QDir::toNativeSeparators(folder)));
            }
            m_createdFolders.prepend(folder);
        }
        if (QFileInfo::exists(move.target)) {
            const QString aside =
                move.keptAs.isEmpty() ? move.target + QStringLiteral(".inlocuit") : move.keptAs;
            rename(move.target, aside);
            (move.keptAs.isEmpty() ? discarded : m_kept) << aside;
        }
        rename(move.built, move.target);
    }
    for (const QString& file : discarded)
        QFile::remove(file);
    m_done.clear();
}

void FilePlacement::undo()
{
    for (auto it = m_done.crbegin(); it != m_done.crend(); ++it)
        QFile::rename(it->to, it->from);
    for (const QString& folder : m_createdFolders)
        QDir().rmdir(folder);
    m_done.clear();
    m_createdFolders.clear();
    m_kept.clear();
}
