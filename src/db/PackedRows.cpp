#include "db/PackedRows.h"

#include <QDate>
#include <cstring>

namespace
{

// Blocks grow from small (a table of a few rows) to large (a year of incomes).
constexpr size_t firstBlockSize = 4 * 1024;
constexpr size_t largestBlockSize = 256 * 1024;

int slotSize(FieldType type)
{
    switch (type) {
    case FieldType::Float:
    case FieldType::AutoInc:
        return 8;
    default:
        return 4; // smallint, integer, Julian day, end of a text
    }
}

template <typename T> T readSlot(const std::byte* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <typename T> void writeSlot(std::byte* at, T value)
{
    std::memcpy(at, &value, sizeof value);
}

} // namespace

void PackedRows::setColumnTypes(const std::vector<FieldType>& types)
{
    clear();
    m_types = types;
    const int maskSize = int(types.size() + 7) / 8;
    m_offsets.assign(types.size(), 0);
    m_previousText.assign(types.size(), -1);
    int offset = maskSize;
    int lastText = -1;
    for (size_t c = 0; c < types.size(); ++c) {
        m_offsets[c] = offset;
        offset += slotSize(types[c]);
        if (types[c] == FieldType::String) {
            m_previousText[c] = lastText;
            lastText = int(c);
        }
    }
    m_fixedSize = offset;
}

void PackedRows::clear()
{
    m_blocks.clear();
    m_blockUsed = m_blockSize = 0;
}

std::byte* PackedRows::allocate(size_t size)
{
    if (m_blocks.empty() || m_blockUsed + size > m_blockSize) {
        const size_t grown = m_blocks.empty() ? firstBlockSize : std::min(m_blockSize * 2, largestBlockSize);
        m_blockSize = std::max(grown, size);
        m_blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(m_blockSize));
        m_blockUsed = 0;
    }
    std::byte* at = m_blocks.back().get() + m_blockUsed;
    m_blockUsed += size;
    return at;
}

PackedRows::Builder::Builder(PackedRows& rows) : m_rows(rows)
{
    start();
}

void PackedRows::Builder::start()
{
    m_fixed.assign(size_t(m_rows.m_fixedSize), std::byte{0});
    m_texts.clear();
    // All null to begin with: every bit of the mask set.
    for (int c = 0; c < m_rows.columnCount(); ++c)
        m_fixed[size_t(c / 8)] |= std::byte(1u << (c % 8));
}

void PackedRows::Builder::setNumber(int column, double value)
{
    m_fixed[size_t(column / 8)] &= ~std::byte(1u << (column % 8));
    writeSlot(m_fixed.data() + m_rows.m_offsets[size_t(column)], value);
}

void PackedRows::Builder::setInteger(int column, qint64 value)
{
    m_fixed[size_t(column / 8)] &= ~std::byte(1u << (column % 8));
    std::byte* slot = m_fixed.data() + m_rows.m_offsets[size_t(column)];
    if (m_rows.m_types[size_t(column)] == FieldType::AutoInc)
        writeSlot(slot, value);
    else
        writeSlot(slot, qint32(value));
}

void PackedRows::Builder::setJulianDay(int column, qint64 day)
{
    setInteger(column, day);
}

void PackedRows::Builder::setText(int column, const char* utf8, int size)
{
    m_fixed[size_t(column / 8)] &= ~std::byte(1u << (column % 8));
    m_texts.append(utf8, size);
    writeSlot(m_fixed.data() + m_rows.m_offsets[size_t(column)], quint32(m_texts.size()));
}

void PackedRows::Builder::setValue(int column, const QVariant& value)
{
    if (value.isNull())
        return;
    switch (m_rows.m_types[size_t(column)]) {
    case FieldType::String: {
        const QByteArray text = value.toString().toUtf8();
        setText(column, text.constData(), int(text.size()));
        break;
    }
    case FieldType::Float:
        setNumber(column, value.toDouble());
        break;
    case FieldType::Date:
        if (value.toDate().isValid())
            setJulianDay(column, value.toDate().toJulianDay());
        break;
    default:
        setInteger(column, value.toLongLong());
        break;
    }
}

PackedRows::RowRef PackedRows::Builder::finish()
{
    // A null text takes no bytes: it ends where the text before it ended.
    quint32 end = 0;
    for (int c = 0; c < m_rows.columnCount(); ++c) {
        if (m_rows.m_types[size_t(c)] != FieldType::String)
            continue;
        std::byte* slot = m_fixed.data() + m_rows.m_offsets[size_t(c)];
        if (std::to_integer<unsigned>(m_fixed[size_t(c / 8)]) & (1u << (c % 8)))
            writeSlot(slot, end);
        else
            end = readSlot<quint32>(slot);
    }
    std::byte* row = m_rows.allocate(m_fixed.size() + size_t(m_texts.size()));
    std::memcpy(row, m_fixed.data(), m_fixed.size());
    std::memcpy(row + m_fixed.size(), m_texts.data(), m_texts.size());
    return row;
}

PackedRows::RowRef PackedRows::pack(const QVariantList& values)
{
    Builder builder(*this);
    for (int c = 0; c < columnCount() && c < values.size(); ++c)
        builder.setValue(c, values[c]);
    return builder.finish();
}

bool PackedRows::isNull(RowRef row, int column) const
{
    return std::to_integer<unsigned>(row[column / 8]) & (1u << (column % 8));
}

QVariant PackedRows::value(RowRef row, int column) const
{
    if (isNull(row, column))
        return QVariant();
    const std::byte* slot = row + m_offsets[size_t(column)];
    switch (m_types[size_t(column)]) {
    case FieldType::String: {
        const int previous = m_previousText[size_t(column)];
        const quint32 begin = previous < 0 ? 0 : readSlot<quint32>(row + m_offsets[size_t(previous)]);
        const quint32 end = readSlot<quint32>(slot);
        return QString::fromUtf8(reinterpret_cast<const char*>(row + m_fixedSize + begin),
                                 qsizetype(end - begin));
    }
    case FieldType::Float:
        return readSlot<double>(slot);
    case FieldType::Date:
        return QDate::fromJulianDay(readSlot<qint32>(slot));
    case FieldType::AutoInc:
        return readSlot<qint64>(slot);
    case FieldType::SmallInt:
    case FieldType::Integer:
        return readSlot<qint32>(slot);
    }
    return QVariant();
}
