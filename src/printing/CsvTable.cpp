#include "printing/CsvTable.h"

#include "core/OutputFile.h"
#include "core/Utilities.h"
#include "db/FieldFormat.h"

#include <QDir>
#include <QRegularExpression>

namespace
{

// A spreadsheet opening the file takes a cell that starts with one of these
// for a formula and runs it. A negative number, as number() writes it, stays
// a number.
bool readAsFormula(const QString& value)
{
    // A sign alone ("-" for a line without a formula) has nothing to run.
    if (value.isEmpty() || value == QLatin1String("-") || value == QLatin1String("+"))
        return false;
    static const QRegularExpression negativeNumber(
        QStringLiteral("^-[0-9]+([.,][0-9]+)?([eE][-+]?[0-9]+)?$"));
    switch (value.front().unicode()) {
    case '=':
    case '+':
    case '@':
    case '\t':
    case '\r':
        return true;
    case '-':
        return !negativeNumber.match(value).hasMatch();
    default:
        return false;
    }
}

QString csvValue(QString value)
{
    // A leading apostrophe makes the spreadsheet show the cell as the text it is.
    if (readAsFormula(value))
        value.prepend(QLatin1Char('\''));
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList& values)
{
    QStringList line;
    line.reserve(values.size());
    for (const QString& value : values)
        line << csvValue(value);
    return line.join(QLatin1Char(';')) + QLatin1Char('\n');
}

} // namespace

QString CsvTable::text() const
{
    QString out = csvLine(header);
    for (const QStringList& row : rows)
        out += csvLine(row);
    return out;
}

void CsvTable::write(const QString& filePath) const
{
    OutputFile file(filePath);
    // The byte-order mark tells a spreadsheet opening the file that it is
    // UTF-8, so that ș, ț and ă read right.
    const QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + text().toUtf8();
    if (!file.open() || file.device()->write(bytes) != bytes.size() || !file.commit())
        throw IoError(
            QStringLiteral("Fisierul %1 nu poate fi scris").arg(QDir::toNativeSeparators(filePath)));
}

QString CsvTable::number(double value, int decimals, const QLocale& locale)
{
    // Rounded as the printed report rounds it, so that both read the same.
    if (decimals < 0)
        return FieldFormat::formatNumber(value, {}, locale);
    const QString fixed =
        decimals == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(decimals, QLatin1Char('0'));
    return FieldFormat::formatNumber(value, fixed, locale);
}
