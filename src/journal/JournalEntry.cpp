#include "journal/JournalEntry.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace
{

constexpr QChar itemSeparator(0x1e);
constexpr QChar partSeparator(0x1f);
constexpr QChar escapeMark(0x1b);

// A value never holds the separators as they are (they are escaped).
QString escaped(const QString& value)
{
    if (!value.contains(itemSeparator) && !value.contains(partSeparator) && !value.contains(escapeMark))
        return value;
    QString out;
    for (const QChar c : value) {
        if (c == escapeMark)
            out += QStringLiteral("\x1b" "0");
        else if (c == itemSeparator)
            out += QStringLiteral("\x1b" "1");
        else if (c == partSeparator)
            out += QStringLiteral("\x1b" "2");
        else
            out += c;
    }
    return out;
}

QString unescaped(QStringView value)
{
    if (!value.contains(escapeMark))
        return value.toString();
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == escapeMark && i + 1 < value.size()) {
            const QChar code = value[++i];
            out += code == QLatin1Char('1') ? itemSeparator : code == QLatin1Char('2') ? partSeparator : escapeMark;
        } else {
            out += value[i];
        }
    }
    return out;
}

void addPart(QCryptographicHash& hash, const QString& text)
{
    hash.addData(text.toUtf8());
    hash.addData(QByteArrayView("\x1f", 1));
}

} // namespace

QByteArray JournalValue::computedDigest() const
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt);
    addPart(hash, field);
    hash.addData(after ? QByteArrayView("d", 1) : QByteArrayView("i", 1));
    hash.addData(value.toUtf8());
    return hash.result();
}

JournalValue JournalValue::make(const QString& field, bool after, const QString& value)
{
    JournalValue v{field, after, value, QByteArray(16, Qt::Uninitialized), {}};
    QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(v.salt.data()),
                                         reinterpret_cast<quint32*>(v.salt.data() + v.salt.size()));
    v.digest = v.computedDigest();
    return v;
}

QByteArray JournalEntry::computedHash() const
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(previousHash);
    addPart(hash, QString::number(number));
    addPart(hash, moment);
    addPart(hash, user);
    addPart(hash, host);
    addPart(hash, table);
    addPart(hash, QString::number(rowid));
    addPart(hash, key);
    addPart(hash, keyDate);
    addPart(hash, action);
    addPart(hash, note);
    for (const JournalValue& v : values) {
        addPart(hash, v.field);
        hash.addData(v.after ? QByteArrayView("d", 1) : QByteArrayView("i", 1));
        hash.addData(v.digest);
    }
    hash.addData(QByteArrayView("\x1e", 1));
    hash.addData(rowDigest);
    return hash.result();
}

QString JournalEntry::encodeValues(const QList<JournalValue>& values)
{
    QString text;
    for (const JournalValue& v : values) {
        if (!text.isEmpty())
            text += itemSeparator;
        text += escaped(v.field) + partSeparator + (v.after ? QLatin1Char('d') : QLatin1Char('i')) +
                partSeparator + escaped(v.value) + partSeparator + QString::fromLatin1(v.salt.toBase64()) +
                partSeparator + QString::fromLatin1(v.digest.toBase64());
    }
    return text;
}

QList<JournalValue> JournalEntry::decodeValues(const QString& text)
{
    QList<JournalValue> values;
    if (text.isEmpty())
        return values;
    for (const QStringView item : QStringView(text).split(itemSeparator)) {
        const QList<QStringView> parts = item.split(partSeparator);
        if (parts.size() != 5) {
            values.append({QStringLiteral("?"), true, item.toString(), {}, {}});
            continue;
        }
        values.append({unescaped(parts[0]), parts[1] == QLatin1String("d"), unescaped(parts[2]),
                       QByteArray::fromBase64(parts[3].toLatin1()), QByteArray::fromBase64(parts[4].toLatin1())});
    }
    return values;
}
