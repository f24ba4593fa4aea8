#include "transfer/ParadoxTable.h"

#include "transfer/CodePage1250.h"
#include "transfer/ImportError.h"

#include "transfer/ParadoxLibrary.h"
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>
#include <cstdio>
#include <cstring>

namespace
{

void libraryError(pxdoc_t*, int, const char* message, void* table)
{
    static_cast<ParadoxTable*>(table)->reportLibraryError(message);
}

bool allZero(const char* bytes, int length)
{
    for (int i = 0; i < length; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

// Integers are stored big-endian with the sign bit inverted, so that their
// bytes sort in numeric order.
qint64 storedInteger(const char* bytes, int length)
{
    if (length == 2)
        return qint16(qFromBigEndian<quint16>(bytes) ^ 0x8000u);
    return qint32(qFromBigEndian<quint32>(bytes) ^ 0x80000000u);
}

// Numbers are big-endian doubles: a positive one with its sign bit set, a
// negative one with every bit inverted.
double storedDouble(const char* bytes)
{
    quint64 bits = qFromBigEndian<quint64>(bytes);
    bits = (bits & 0x8000000000000000ull) ? (bits & ~0x8000000000000000ull) : ~bits;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Dates count days from 1 January of year 1 (day 1); Julian day 1721426 is that date.
QDate storedDate(const char* bytes)
{
    return QDate::fromJulianDay(storedInteger(bytes, 4) + 1721425);
}

} // namespace

ParadoxTable::ParadoxTable(const QString& filePath) : m_filePath(filePath)
{
    // Checked before the library sees the file: it opens a file whose blocks
    // disagree with its header, only printing a warning, and would then read
    // its rows from anywhere.
    checkLayout();
    m_doc = PX_new3(libraryError, nullptr, nullptr, nullptr, this);
    if (!m_doc)
        fail(QStringLiteral("biblioteca de citire nu poate porni"));
    // Opened for reading only: the library's own opening asks for writing too,
    // which a copy from a read-only disk or another user's folder refuses.
    m_stream = std::fopen(QFile::encodeName(filePath).constData(), "rb");
    if (!m_stream || PX_open_fp(m_doc, m_stream) < 0) {
        release();
        fail(QStringLiteral("nu este o tabela valida (%1)").arg(m_libraryError));
    }
    try {
        readFields();
    } catch (...) {
        release();
        throw;
    }
}

void ParadoxTable::release()
{
    if (m_doc) {
        PX_close(m_doc);
        PX_delete(m_doc);
        m_doc = nullptr;
    }
    if (m_stream) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
}

// The header starts with the row size (2 bytes), the header size (2), the
// file type (1), the block size in KB (1), the row count (4), then at 0x0C
// the block count (2) and the first block (2), all little-endian. Each block
// starts with the next and previous block numbers and the size of its rows
// beyond the first (2 bytes each).
void ParadoxTable::checkLayout() const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("nu poate fi citit"));
    const QByteArray header = file.read(0x10);
    if (header.size() < 0x10)
        fail(QStringLiteral("este deteriorat: antetul este incomplet"));
    const char* h = header.constData();
    const int rowSize = qFromLittleEndian<quint16>(h);
    const qint64 headerSize = qFromLittleEndian<quint16>(h + 2);
    const int fileType = h[4];
    const qint64 blockSize = qint64(quint8(h[5])) * 0x400;
    const qint64 rowCount = qFromLittleEndian<quint32>(h + 6);
    const unsigned blockCount = qFromLittleEndian<quint16>(h + 0x0C);
    const unsigned firstBlock = qFromLittleEndian<quint16>(h + 0x0E);
    if (fileType != pxfFileTypIndexDB && fileType != pxfFileTypNonIndexDB)
        fail(QStringLiteral("nu este un fisier de date"));
    if (rowSize == 0 || blockSize == 0)
        fail(QStringLiteral("este deteriorat: antetul nu este valid"));
    if (headerSize < 0x78 || !file.seek(0))
        fail(QStringLiteral("este deteriorat: antetul este incomplet"));
    const QByteArray wholeHeader = file.read(headerSize);
    if (wholeHeader.size() != headerSize)
        fail(QStringLiteral("este deteriorat: antetul este incomplet"));
    checkNotEncrypted(wholeHeader);
    checkFieldDescriptions(wholeHeader, rowSize);
    const qint64 expectedSize = headerSize + blockCount * blockSize;
    if (file.size() != expectedSize)
        fail(QStringLiteral("este deteriorat: are %1 octeti, antetul cere %2")
                 .arg(file.size())
                 .arg(expectedSize));

    const auto broken = [this] { fail(QStringLiteral("este deteriorat: blocurile de date nu se leaga")); };
    QSet<unsigned> visited;
    qint64 rows = 0;
    for (unsigned block = firstBlock; block != 0;) {
        if (block > blockCount || visited.contains(block) || !file.seek(headerSize + (block - 1) * blockSize))
            broken();
        visited.insert(block);
        const QByteArray start = file.read(6);
        if (start.size() != 6)
            broken();
        const qint16 moreBytes = qFromLittleEndian<qint16>(start.constData() + 4);
        if (moreBytes < -rowSize || moreBytes % rowSize != 0 || moreBytes + rowSize > blockSize - 6)
            broken();
        rows += moreBytes / rowSize + 1;
        block = qFromLittleEndian<quint16>(start.constData());
    }
    if (rows != rowCount)
        broken();
}

namespace
{

// Versions 5 to 12 of the format have a second header part (0x58..0x77):
// the field descriptions come after it, the library reads them from there.
bool hasDataHeader(const QByteArray& header)
{
    const int version = quint8(header[0x39]);
    return version >= 5 && version <= 12;
}

} // namespace

// The header holds the field count at 0x21 and the format's version at 0x39;
// the fields' types and lengths (1 byte each) follow the header parts, then a
// pointer to the table's name and one per field. The library trusts all of
// these: a count beyond the header sends it reading for minutes, a length
// that disagrees with its type reads past the row.
void ParadoxTable::checkFieldDescriptions(const QByteArray& header, int rowSize) const
{
    const auto broken = [this] {
        fail(QStringLiteral("este deteriorat: descrierea campurilor nu este valida"));
    };
    const int fieldCount = qFromLittleEndian<quint16>(header.constData() + 0x21);
    const int infoOffset = hasDataHeader(header) ? 0x78 : 0x58;
    if (fieldCount == 0 || infoOffset + 6 * fieldCount + 4 > header.size())
        broken();
    int lengths = 0;
    for (int i = 0; i < fieldCount; ++i) {
        const int type = quint8(header[infoOffset + 2 * i]);
        const int length = quint8(header[infoOffset + 2 * i + 1]);
        if (length == 0 || (isReadable(type) && length != storedLength(type, length)) ||
            (type == pxfBCD && length != 17))
            broken();
        lengths += length;
    }
    if (lengths != rowSize)
        broken();
}

// An encrypted table (its mark at 0x25, or at 0x5C when 0x25 holds FF00FF00)
// needs its password: the library would decrypt its blocks into garbage and
// follow their links forever.
void ParadoxTable::checkNotEncrypted(const QByteArray& header) const
{
    quint32 encryption = qFromLittleEndian<quint32>(header.constData() + 0x25);
    if (encryption == 0xFF00FF00u)
        encryption = hasDataHeader(header) ? qFromLittleEndian<quint32>(header.constData() + 0x5C) : 0;
    if (encryption != 0)
        fail(QStringLiteral("este protejat cu parola si nu poate fi citit"));
}

// The bytes a readable field of this type takes; a text takes the length it declares.
int ParadoxTable::storedLength(int type, int declared)
{
    switch (type) {
    case pxfShort:
        return 2;
    case pxfDate:
    case pxfLong:
    case pxfAutoInc:
        return 4;
    case pxfCurrency:
    case pxfNumber:
        return 8;
    default:
        return declared;
    }
}

void ParadoxTable::readFields()
{
    const pxhead_t* head = m_doc->px_head;
    int offset = 0;
    for (int i = 0; i < head->px_numfields; ++i) {
        const pxfield_t& f = head->px_fields[i];
        m_fields.append(
            {CodePage1250::decode(f.px_fname, int(std::strlen(f.px_fname))), f.px_ftype, f.px_flen, offset});
        offset += f.px_flen;
    }
    if (offset != head->px_recordsize)
        fail(QStringLiteral("este deteriorat: campurile nu umplu randul"));
    m_rowCount = head->px_numrecords;
    m_row.resize(head->px_recordsize);
}

ParadoxTable::~ParadoxTable()
{
    release();
}

const QByteArray& ParadoxTable::readRow(int index)
{
    m_row.fill(0);
    if (PX_get_record(m_doc, index, m_row.data()) == 0)
        fail(QStringLiteral("randul %1 nu poate fi citit (%2)").arg(index + 1).arg(m_libraryError));
    return m_row;
}

bool ParadoxTable::isReadable(int type)
{
    switch (type) {
    case pxfAlpha:
    case pxfDate:
    case pxfShort:
    case pxfLong:
    case pxfAutoInc:
    case pxfCurrency:
    case pxfNumber:
        return true;
    default:
        return false;
    }
}

QVariant ParadoxTable::value(const ParadoxField& field, const QByteArray& row)
{
    const char* bytes = row.constData() + field.offset;
    if (!isReadable(field.type) || allZero(bytes, field.length))
        return {};
    switch (field.type) {
    case pxfAlpha:
        return CodePage1250::decode(bytes, int(strnlen(bytes, size_t(field.length))));
    case pxfDate:
        return storedDate(bytes);
    case pxfShort:
    case pxfLong:
    case pxfAutoInc:
        return storedInteger(bytes, field.length);
    default:
        return storedDouble(bytes);
    }
}

void ParadoxTable::fail(const QString& why) const
{
    throw ImportError(QStringLiteral("Fisierul %1 %2.").arg(QDir::toNativeSeparators(m_filePath), why));
}
