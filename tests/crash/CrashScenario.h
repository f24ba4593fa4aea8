#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The states a scenario's files are found in after a kill, as the checks name them.
namespace CrashState
{
inline const QString absent = QStringLiteral("absent");
inline const QString whole = QStringLiteral("whole");
inline const QString before = QStringLiteral("before");
inline const QString after = QStringLiteral("after");
} // namespace CrashState

// The passwords the protection scenario gives the parish's files, in turn.
inline const QList<QByteArray> crashPasswords{"parola-unu-de-proba", "parola-doi-de-proba"};

// The folder of a scenario's database, with its closing slash: the scenario's files live there.
QString scenarioFolder(const QSqlDatabase& db);

// Writes `bytes` to `file`, making its folder first; throws when it cannot.
void writeScenarioFile(const QString& file, const QByteArray& bytes);

// One operation of the crash test as the child's output told it.
struct CrashOperation {
    int number = 0; // unique within one database, across the children run on it
    QString scenario;
    QStringList announced;       // what the child said it was about to do, in order
    std::optional<QString> done; // its report once the program's code had returned
    // For an operation under way at a kill: what the parent found afterwards,
    // which later checks hold it to. Also the state before any operation.
    std::optional<QString> settled;

    // The outcome known for sure: reported done, or found after the kill.
    std::optional<QString> outcome() const { return done ? done : settled; }
};

// Every operation begun on one database, in order.
using CrashLog = QList<CrashOperation>;

// What the check of one scenario found after a kill.
class CrashFindings
{
public:
    void fault(const QString& text) { m_faults << text; }
    // The outcome found for this scenario's operation that was under way.
    void settle(const QString& outcome) { m_settled = outcome; }
    void countVerified(int operations = 1) { m_verified += operations; }

    const QStringList& faults() const { return m_faults; }
    const std::optional<QString>& settled() const { return m_settled; }
    int verified() const { return m_verified; }

private:
    QStringList m_faults;
    std::optional<QString> m_settled;
    int m_verified = 0;
};

// Says, before the operation changes anything, what it is about to do; the
// line reaches the parent even when the child is killed right after.
using Announce = std::function<void(const QString& text)>;

// An operation the crash test runs in a child and interrupts with SIGKILL.
struct CrashScenario {
    QString name;
    // Child: performs operation `number` through the program's code, choosing
    // its data from `seed`; returns the report printed once it returned.
    std::function<QString(const QSqlDatabase& db, int number, unsigned seed, const Announce& announce)>
        perform;
    // Parent, after the kill, on the reopened database: every operation of
    // this scenario in `operations` is whole or absent, every one reported
    // done is there; settles the outcome of the one that was under way.
    std::function<void(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)> verify;
    // Parent, on the fresh database: the state the first operation starts
    // from, kept as the settled outcome of an operation numbered 0 (optional).
    std::function<QString(const QSqlDatabase& db)> baseline;
    // Runs on a database of its own, never mixed with the others (it changes
    // what they check, as the year-end closing deletes the year's documents).
    bool alone = false;
};

// The scenarios, each registered once by its own source file.
const QList<CrashScenario>& crashScenarios();
const CrashScenario* findCrashScenario(const QString& name);

struct CrashScenarioRegistration {
    explicit CrashScenarioRegistration(CrashScenario scenario);
};
