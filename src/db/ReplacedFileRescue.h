#pragma once

#include <QString>

struct sqlite3;

// When another program deletes the open database file or puts another file
// in its place, SQLite refuses to write any more, and what the connection
// still holds open (the deleted file) is the only copy of the documents
// stored so far: it goes when the program closes. It is copied out here,
// under a name of its own, so that nothing the program said was stored is lost.
namespace ReplacedFileRescue
{

struct Outcome {
    QString copy;    // the rescue copy, empty when none could be made
    QString problem; // why not
};

// Makes the rescue copy of the database open on `db` beside its file (in the
// program folder when the file's folder is gone too), once per opened file:
// a later call gives the copy made first.
Outcome rescue(sqlite3* db);

// Makes the rescue copy and words the failure for the user: the file gone,
// where its data were copied, and what to do next (restart the program, or go
// back to the working year when a closed year's copy is gone).
QString rescueAndExplain(sqlite3* db);

} // namespace ReplacedFileRescue
