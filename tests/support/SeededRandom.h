#pragma once

#include <QString>
#include <QStringList>
#include <random>

// The random texts of the fuzz tests. Every run draws from a fixed seed, so a
// failure repeats; LUMIVARET_FUZZ_SEED picks another seed and
// LUMIVARET_FUZZ_RUNS a longer run. A failing case prints its seed and text.
class SeededRandom
{
public:
    SeededRandom();

    unsigned seed() const { return m_seed; }
    // The number of cases a test draws: its own default, or LUMIVARET_FUZZ_RUNS.
    static int runs(int byDefault);

    int below(int bound); // 0 .. bound-1
    bool chance(int percent);
    template <typename T> const T& pick(const QList<T>& items) { return items[below(int(items.size()))]; }

    // A text of up to `maxLength` characters drawn from `alphabet`.
    QString text(const QString& alphabet, int maxLength);
    // Any characters: ASCII, Romanian letters, other scripts' digits, blanks of
    // every kind, control characters, lone surrogates.
    QString anyText(int maxLength);
    // `seed` changed a few times: characters inserted, deleted, replaced or
    // repeated, pieces of other seeds spliced in.
    QString mutated(const QString& seed, const QStringList& others);

private:
    QChar anyCharacter();

    unsigned m_seed;
    std::mt19937 m_engine;
};
