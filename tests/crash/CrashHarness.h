#pragma once

#include <QString>
#include <QStringList>

// The crash test: a child process (this test program again, running the
// CrashChild test) performs the scenarios' operations on a real database file
// and reports each one on its standard output; the parent kills it with
// SIGKILL at a seeded moment, reopens the database with the program's own
// connection code and has every scenario check it.
namespace CrashHarness
{

struct Plan {
    QStringList scenarios; // names of registered scenarios, mixed in the child
    int kills = 200;
    int killsPerDatabase = 20; // children run one after the other on each database
    unsigned seed = 1;         // kill k uses seed + k
    int longestDelayMs = 120;  // the kill comes 0..longestDelayMs after the child is ready
    // Every other child kills itself instead, just before its n-th change to a
    // file (1..mostFileChanges), exactly where the seed says.
    int mostFileChanges = 300;
};

struct Figures {
    int kills = 0;
    int operationsBegun = 0;
    int interrupted = 0; // kills that came while an operation was under way
    int operationsVerified = 0;
    int failures = 0;           // kills after which a check found a fault
    QStringList failureDetails; // seed, kill delay and the faults, for each failure
};

Figures run(const Plan& plan);

// The child's side, run by the CrashChild test when the parent started it:
// performs operations until it is killed. False when this process is not a
// crash child.
bool runChildIfAsked();

} // namespace CrashHarness
