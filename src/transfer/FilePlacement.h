#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Puts files built under temporary names in place of the files they replace,
// all together or not at all: a replaced file is first renamed aside (under
// the name it keeps, or a temporary one), and when one step fails every step
// done before is undone, so the folders are left exactly as they were.
class FilePlacement
{
public:
    // `keptAs` is the name the replaced file keeps beside the new one; empty
    // when the replaced file is discarded once everything is in place.
    void add(const QString& builtFile, const QString& target, const QString& keptAs = {});

    // Throws ImportError naming the file that could not be put in place.
    void placeAll();

    // The copies kept of replaced files, after placeAll().
    const QStringList& keptCopies() const { return m_kept; }

private:
    struct Move {
        QString built, target, keptAs;
    };
    struct Done {
        QString from, to;
    };
    void undo();

    QList<Move> m_moves;
    QList<Done> m_done;           // renames, in the order they were made
    QStringList m_createdFolders; // removed again on failure
    QStringList m_kept;
};
