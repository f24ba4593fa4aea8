#include "journal/JournalEntry.h"

#include <QCryptographicHash>
#include <array>
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

// The salted digest of one value: the salt, the field, its side ("i" before,
// "d" after) and the value, in UTF-8. Valid until `hash` is used again.
QByteArrayView valueDigest(QByteArrayView salt, QByteArrayView field, QByteArrayView side, QByteArrayView value,
                           QCryptographicHash& hash)
{
    hash.reset();
    hash.addData(salt);
    hash.addData(field);
    hash.addData(QByteArrayView("\x1f", 1));
    hash.addData(side);
    hash.addData(value);
    return hash.resultView();
}

} // namespace

QByteArray JournalValue::computedDigest() const
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return valueDigest(salt, escaped(field).toUtf8(), after ? QByteArrayView("d", 1) : QByteArrayView("i", 1),
                       value.toUtf8(), hash)
        .toByteArray();
}

JournalValue JournalValue::make(const QString& field, bool after, const QString& value)
{
    JournalValue v{field, after, value, QByteArray(16, Qt::Uninitialized), {}};
    QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(v.salt.data()),
                                         reinterpret_cast<quint32*>(v.salt.data() + v.salt.size()));
    v.digest = v.computedDigest();
    return v;
}

QByteArray JournalEntry::headerBytes() const
{
    QByteArray header;
    for (const QString& part : {QString::number(number), moment, user, host, table, QString::number(rowid), key,
                                keyDate, action, note}) {
        header += part.toUtf8();
        header += '\x1f';
    }
    return header;
}

QByteArray JournalEntry::computedHash() const
{
    QCryptographicHash entryHash(QCryptographicHash::Sha256), scratch(QCryptographicHash::Sha256);
    QByteArray hash;
    hashStored(previousHash, headerBytes(), encodeValues(values).toUtf8(), rowDigest, entryHash, scratch, hash);
    return hash;
}

namespace
{

// The six bits each base64 character stands for; -1 for any other byte.
constexpr std::array<signed char, 256> base64Values = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        values[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
    return values;
}();

// Decodes base64 into `out` (at most `capacity` bytes); the count decoded, -1 when it is not base64.
int fromBase64(QByteArrayView text, char* out, int capacity)
{
    quint32 bits = 0;
    int count = 0, held = 0;
    for (const char c : text) {
        if (c == '=')
            break;
        const int v = base64Values[static_cast<unsigned char>(c)];
        if (v < 0)
            return -1;
        bits = (bits << 6) | quint32(v);
        held += 6;
        if (held >= 8) {
            held -= 8;
            if (count == capacity)
                return -1;
            out[count++] = char((bits >> held) & 0xff);
        }
    }
    return count;
}

// The value as written before escaping (its bytes as stored when nothing was escaped).
QByteArrayView unescapedBytes(QByteArrayView stored, QByteArray& buffer)
{
    if (!stored.contains('\x1b'))
        return stored;
    buffer.clear();
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\x1b' && i + 1 < stored.size()) {
            const char code = stored[++i];
            buffer += code == '1' ? '\x1e' : code == '2' ? '\x1f' : '\x1b';
        } else {
            buffer += stored[i];
        }
    }
    return buffer;
}

} // namespace

bool JournalEntry::hashStored(QByteArrayView previousHash, QByteArrayView header, QByteArrayView encodedValues,
                              QByteArrayView rowDigest, QCryptographicHash& entryHash, QCryptographicHash& scratch,
                              QByteArray& hash)
{
    bool valuesHold = true;
    entryHash.reset();
    entryHash.addData(previousHash);
    entryHash.addData(header);
    QByteArray unescapeBuffer;
    qsizetype start = 0;
    while (start < encodedValues.size()) {
        qsizetype end = encodedValues.indexOf('\x1e', start);
        if (end < 0)
            end = encodedValues.size();
        const QByteArrayView item = encodedValues.sliced(start, end - start);
        start = end + 1;
        QByteArrayView parts[5];
        int count = 0;
        qsizetype from = 0;
        while (count < 5) {
            const qsizetype to = item.indexOf('\x1f', from);
            parts[count++] = item.sliced(from, (to < 0 ? item.size() : to) - from);
            if (to < 0)
                break;
            from = to + 1;
        }
        char salt[32], digest[48];
        const int saltSize = count == 5 ? fromBase64(parts[3], salt, sizeof salt) : -1;
        const int digestSize = count == 5 ? fromBase64(parts[4], digest, sizeof digest) : -1;
        if (saltSize < 0 || digestSize < 0) {
            valuesHold = false; // an item the program never writes
            entryHash.addData(item);
            continue;
        }
        const QByteArrayView field = parts[0], side = parts[1];
        if (saltSize > 0) { // a blanked value keeps only its digest
            if (valueDigest(QByteArrayView(salt, saltSize), field, side, unescapedBytes(parts[2], unescapeBuffer),
                            scratch) != QByteArrayView(digest, digestSize))
                valuesHold = false;
        }
        entryHash.addData(field);
        entryHash.addData(QByteArrayView("\x1f", 1));
        entryHash.addData(side);
        entryHash.addData(QByteArrayView(digest, digestSize));
    }
    entryHash.addData(QByteArrayView("\x1e", 1));
    entryHash.addData(rowDigest);
    hash = entryHash.resultView().toByteArray();
    return valuesHold;
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
