#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Puts files built under temporary names in place of the files they replace,
// all together or not at all: a replaced file is first renamed aside (under
// the name it keeps, or a temporary one), and when one step fails every step
// done before is undone, so the folders are left exactly as they were.
//
// Before the first rename the list of moves is written, synced, into the
// folder the files were built in (the plan). A process killed among the
// renames leaves that plan behind; finishPlanned() then makes the remaining
// moves, so the files end all new, never some new and some old, and never
// with a replaced file present only under its kept name.
class FilePlacement
{
public:
    // `buildFolder` holds the built files and receives the plan; the paths of
    // the plan are relative to its parent, so the folder may be moved whole.
    explicit FilePlacement(const QString& buildFolder);

    // `keptAs` is the name the replaced file keeps beside the new one; empty
    // when the replaced file is discarded once everything is in place.
    void add(const QString& builtFile, const QString& target, const QString& keptAs = {});

    // Throws ImportError naming the file that could not be put in place.
    void placeAll();

    // The copies kept of replaced files, after placeAll().
    const QStringList& keptCopies() const { return m_kept; }

    // True when the build folder holds the plan of a placement cut short.
    static bool hasPlan(const QString& buildFolder);
    // Makes the moves of the plan left in `buildFolder` that were not made
    // yet, then removes the plan. Throws ImportError when a move fails.
    static void finishPlanned(const QString& buildFolder);

private:
    struct Move {
        QString built, target, keptAs;
        // Where the replaced file goes first.
        QString aside() const { return keptAs.isEmpty() ? target + QStringLiteral(".inlocuit") : keptAs; }
    };
    struct Done {
        QString from, to;
    };
    void writePlan() const;
    static void removeStaleAside(const Move& move);
    void undo();
    static QList<Move> readPlan(const QString& buildFolder);

    QString m_buildFolder;
    QList<Move> m_moves;
    QList<Done> m_done;           // renames, in the order they were made
    QStringList m_createdFolders; // removed again on failure
    QStringList m_kept;
};
