#include "support/SeededRandom.h"

#include <QtGlobal>

namespace
{

unsigned seedFromEnvironment()
{
    bool ok = false;
    const unsigned chosen = qEnvironmentVariable("LUMIVARET_FUZZ_SEED").toUInt(&ok);
    return ok ? chosen : 20261210u;
}

} // namespace

SeededRandom::SeededRandom() : m_seed(seedFromEnvironment()), m_engine(m_seed) {}

int SeededRandom::runs(int byDefault)
{
    bool ok = false;
    const int chosen = qEnvironmentVariable("LUMIVARET_FUZZ_RUNS").toInt(&ok);
    return ok && chosen > 0 ? chosen : byDefault;
}

int SeededRandom::below(int bound)
{
    return bound <= 1 ? 0 : std::uniform_int_distribution<int>(0, bound - 1)(m_engine);
}

bool SeededRandom::chance(int percent)
{
    return below(100) < percent;
}

QString SeededRandom::text(const QString& alphabet, int maxLength)
{
    QString result;
    const int length = below(maxLength + 1);
    for (int i = 0; i < length; ++i)
        result += alphabet[below(int(alphabet.size()))];
    return result;
}

QChar SeededRandom::anyCharacter()
{
    static const QString special = QStringLiteral(
        "0123456789+-.,;:/\\*=[]() \t\r\n\"'%eE_xX"
        "ăâîșțşţĂÂÎȘȚŞŢ"
        "\u00a0\u202f\u2009\u2212\u066b\u0660\u0669\u06f5\uff10\uff19\u00b2\u00bd\ufeff\u200b");
    switch (below(4)) {
    case 0:
        return QChar(char16_t(below(0x80)));
    case 1:
        return QChar(char16_t(below(0x10000))); // lone surrogates included
    default:
        return special[below(int(special.size()))];
    }
}

QString SeededRandom::anyText(int maxLength)
{
    QString result;
    const int length = below(maxLength + 1);
    for (int i = 0; i < length; ++i)
        result += anyCharacter();
    return result;
}

QString SeededRandom::mutated(const QString& seed, const QStringList& others)
{
    QString result = seed;
    const int changes = 1 + below(4);
    for (int i = 0; i < changes; ++i) {
        const int at = below(int(result.size()) + 1);
        switch (below(5)) {
        case 0:
            result.insert(at, anyCharacter());
            break;
        case 1:
            if (!result.isEmpty())
                result.remove(qMin(at, int(result.size()) - 1), 1);
            break;
        case 2:
            if (!result.isEmpty())
                result[qMin(at, int(result.size()) - 1)] = anyCharacter();
            break;
        case 3:
            result.insert(at, result.mid(at, 1 + below(3)).repeated(1 + below(300)));
            break;
        default:
            if (!others.isEmpty()) {
                const QString& other = others[below(int(others.size()))];
                result.insert(at, other.mid(below(int(other.size()) + 1)));
            }
        }
    }
    return result;
}
