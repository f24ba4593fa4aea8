#pragma once

#include <QDate>
#include <QString>
#include <random>

// The data of one operation of the crash test, the same for the same seed
// and operation number.
class CrashRandom
{
public:
    CrashRandom(unsigned seed, int number) : m_seq{seed, unsigned(number)}, m_engine(m_seq) {}

    int below(int limit) { return int(m_engine() % unsigned(limit)); }
    // An amount of at least one ban, in bani.
    int cents() { return 1 + below(1000000); }
    QString account() { return below(2) ? QStringLiteral("Casa") : QStringLiteral("Banca"); }
    QDate dayOf(int year) { return QDate(year, 1, 1).addDays(below(QDate(year, 1, 1).daysInYear())); }

private:
    std::seed_seq m_seq;
    std::mt19937 m_engine;
};
