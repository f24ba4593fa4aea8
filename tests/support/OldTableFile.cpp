#include "support/OldTableFile.h"

#include "transfer/CodePage1250.h"

#include "transfer/ParadoxLibrary.h"
#include <QDate>
#include <QFile>
#include <stdexcept>

namespace OldTableFile
{

Field alpha(const QString& name, int length)
{
    return {name, pxfAlpha, length};
}
Field shortInt(const QString& name)
{
    return {name, pxfShort, 2};
}
Field longInt(const QString& name)
{
    return {name, pxfLong, 4};
}
Field autoInc(const QString& name)
{
    return {name, pxfAutoInc, 4};
}
Field number(const QString& name)
{
    return {name, pxfNumber, 8};
}
Field money(const QString& name)
{
    return {name, pxfCurrency, 8};
}
Field date(const QString& name)
{
    return {name, pxfDate, 4};
}
Field logical(const QString& name)
{
    return {name, pxfLogical, 1};
}
Field memo(const QString& name, int length)
{
    return {name, pxfMemoBLOb, length};
}

namespace
{

void putValue(pxdoc_t* doc, char* bytes, const Field& field, const QVariant& value)
{
    if (!value.isValid() || field.type == pxfMemoBLOb)
        return; // all bytes stay zero: the field is empty
    switch (field.type) {
    case pxfAlpha: {
        // Converted here: the library's own conversion loses letters outside
        // its tables and overruns a text longer than the field.
        const QByteArray text = CodePage1250::encode(value.toString());
        if (text.size() > field.length)
            throw std::invalid_argument("fixture text longer than its field");
        std::copy(text.begin(), text.end(), bytes);
        break;
    }
    case pxfShort:
        PX_put_data_short(doc, bytes, 2, short(value.toInt()));
        break;
    case pxfLong:
    case pxfAutoInc:
        PX_put_data_long(doc, bytes, 4, int(value.toLongLong()));
        break;
    case pxfNumber:
    case pxfCurrency:
        PX_put_data_double(doc, bytes, 8, value.toDouble());
        break;
    case pxfDate: {
        const QDate d = value.toDate();
        // Days from 1 January of year 1, that day being day 1.
        PX_put_data_long(doc, bytes, 4, int(PX_GregorianToSdn(d.year(), d.month(), d.day()) - 1721425));
        break;
    }
    case pxfLogical:
        PX_put_data_byte(doc, bytes, 1, char(value.toBool() ? 1 : 0));
        break;
    }
}

} // namespace

void write(const QString& filePath, const QList<Field>& fields, const QList<Row>& rows)
{
    QFile::remove(filePath);
    pxdoc_t* doc = PX_new();
    // The library keeps and frees the field list it is given.
    auto* list = static_cast<pxfield_t*>(doc->malloc(doc, sizeof(pxfield_t) * fields.size(), "fields"));
    for (int i = 0; i < fields.size(); ++i) {
        list[i].px_fname = PX_strdup(doc, CodePage1250::encode(fields[i].name).constData());
        list[i].px_ftype = fields[i].type;
        list[i].px_flen = fields[i].length;
        list[i].px_fdc = 0;
    }
    if (PX_create_file(doc, list, int(fields.size()), QFile::encodeName(filePath).constData(),
                       pxfFileTypNonIndexDB) < 0) {
        PX_delete(doc);
        throw std::runtime_error("the fixture table file cannot be created");
    }
    PX_set_value(doc, "codepage", 1250);
    QByteArray record(PX_get_recordsize(doc), '\0');
    for (const Row& row : rows) {
        record.fill('\0');
        int offset = 0;
        for (int i = 0; i < fields.size(); ++i) {
            putValue(doc, record.data() + offset, fields[i], row.value(i));
            offset += fields[i].length;
        }
        PX_put_record(doc, record.data());
    }
    PX_close(doc);
    PX_delete(doc);
}

} // namespace OldTableFile
