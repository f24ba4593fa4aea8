#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <cstdio>

struct px_doc;

// One field of an older table file as its header describes it.
struct ParadoxField {
    QString name;
    int type = 0;   // the library's pxf... type code
    int length = 0; // bytes in the record
    int offset = 0; // where its bytes start in the record
};

// An older table file (".DB") opened for reading, row by row in the file's
// order. Only the data file is read: its primary index and memo files are
// never opened. Every failure throws ImportError naming the file.
class ParadoxTable
{
public:
    // Refuses a file whose size disagrees with its header (a truncated or
    // damaged copy) before any row is read.
    explicit ParadoxTable(const QString& filePath);
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    const QList<ParadoxField>& fields() const { return m_fields; }
    int rowCount() const { return m_rowCount; }

    // The stored bytes of the row at `index` (from 0, in file order).
    const QByteArray& readRow(int index);

    // The value of a field in a row's bytes: an invalid QVariant when the
    // field's bytes are all zero (an empty field, never 0 or a zero date) or
    // its type is not one isReadable() accepts, else a QString (text, from
    // code page 1250), a qint64 (short, long and autoincrement integers), a
    // double (numbers and money) or a QDate.
    static QVariant value(const ParadoxField& field, const QByteArray& row);
    // True for the field types value() reads.
    static bool isReadable(int type);

    // The reason the library gave for its last failure.
    void reportLibraryError(const char* message) { m_libraryError = QString::fromLocal8Bit(message); }

private:
    // Refuses a file whose size or chain of data blocks disagrees with its header.
    void checkLayout() const;
    // Refuses a header whose field descriptions do not fit it or its rows.
    void checkFieldDescriptions(const QByteArray& header, int rowSize) const;
    void checkNotEncrypted(const QByteArray& header) const;
    static int storedLength(int type, int declared);
    void readFields();
    [[noreturn]] void fail(const QString& why) const;
    // Closes the library's handle and the file.
    void release();

    QString m_filePath;
    std::FILE* m_stream = nullptr;
    px_doc* m_doc = nullptr;
    QList<ParadoxField> m_fields;
    int m_rowCount = 0;
    QByteArray m_row;
    QString m_libraryError;
};
