#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QList>
#include <QString>

// One value an entry keeps: a field of the row before or after the change,
// with its own salted digest. The entry's hash covers the digests, not the
// values, so that a person's value can later be blanked (value and salt
// emptied) without breaking the chain: the digest still stands for it.
struct JournalValue {
    QString field;
    bool after = true; // the value after the change; false: before it
    QString value;     // as StoredRows writes it; empty when blanked
    QByteArray salt;   // empty when blanked
    QByteArray digest;

    bool isBlanked() const { return salt.isEmpty(); }
    // The digest the value and salt give.
    QByteArray computedDigest() const;
    static JournalValue make(const QString& field, bool after, const QString& value);
};

// What the program did, as one entry of the journal of changes.
namespace JournalAction
{
inline const QString insert = QStringLiteral("adaugare");
inline const QString update = QStringLiteral("modificare");
inline const QString remove = QStringLiteral("stergere");
inline const QString restore = QStringLiteral("restaurare document");
inline const QString start = QStringLiteral("inceputul jurnalului");
// The digest of every row of a table, taken when rows came without entries
// of their own (the journal's start, an import, a restore, a year-end closing).
inline const QString baseline = QStringLiteral("baza");
inline const QString summary = QStringLiteral("lucrare");
} // namespace JournalAction

struct JournalEntry {
    qint64 number = 0;
    QString moment; // UTC, ISO 8601 with milliseconds
    QString user;
    QString host;
    QString table;
    qint64 rowid = 0;
    QString key;       // the document's number or the row's code
    QString keyDate;   // the document's date, "YYYY-MM-DD"
    QString action;
    QString note;      // a summary's wording
    QList<JournalValue> values;
    // The digest of the row as stored after the change (empty after a
    // deletion); for a baseline, every row's identity and digest.
    QByteArray rowDigest;
    QByteArray previousHash;
    QByteArray hash;

    // The hash of the entry's content chained to the previous entry's hash.
    QByteArray computedHash() const;
    // The bytes the hash covers before the values: each text field in UTF-8, then 0x1f.
    QByteArray headerBytes() const;

    // The entry's hash from its parts as stored (the values as encodeValues
    // writes them, in UTF-8), into `hash`; false when a value no longer
    // gives its own digest. The one definition of the hash, for writing and
    // for verifying; `scratch` is reused between calls.
    static bool hashStored(QByteArrayView previousHash, QByteArrayView header, QByteArrayView encodedValues,
                           QByteArrayView rowDigest, QCryptographicHash& entryHash, QCryptographicHash& scratch,
                           QByteArray& hash);

    // The values in one stored text and back.
    static QString encodeValues(const QList<JournalValue>& values);
    static QList<JournalValue> decodeValues(const QString& text);
};
