#include "core/IniFile.h"

#include "core/Utilities.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace
{

bool isSectionLine(const QString& line)
{
    return line.trimmed().startsWith(QLatin1Char('['));
}

QString sectionName(const QString& line)
{
    const QString t = line.trimmed();
    const int end = t.indexOf(QLatin1Char(']'));
    return t.mid(1, end < 0 ? -1 : end - 1).trimmed();
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path))
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return; // a missing file reads as empty
    m_lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString& line : m_lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    while (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

int IniFile::findSection(const QString& section) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (isSectionLine(m_lines[i]) && sectionName(m_lines[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int IniFile::findKey(int sectionLine, const QString& key) const
{
    for (int i = sectionLine + 1; i < m_lines.size() && !isSectionLine(m_lines[i]); ++i) {
        const int equals = m_lines[i].indexOf(QLatin1Char('='));
        if (equals > 0 && m_lines[i].left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const
{
    const int s = findSection(section);
    const int k = s < 0 ? -1 : findKey(s, key);
    if (k < 0)
        return fallback;
    return m_lines[k].mid(m_lines[k].indexOf(QLatin1Char('=')) + 1).trimmed();
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const
{
    bool ok = false;
    const int value = readString(section, key).toInt(&ok);
    return ok ? value : fallback;
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    int s = findSection(section);
    if (s < 0) {
        if (!m_lines.isEmpty())
            m_lines << QString();
        m_lines << QLatin1Char('[') + section + QLatin1Char(']');
        s = int(m_lines.size()) - 1;
    }
    const QString line = key + QLatin1Char('=') + value;
    const int k = findKey(s, key);
    if (k >= 0) {
        m_lines[k] = line;
        return;
    }
    int end = s + 1;
    while (end < m_lines.size() && !isSectionLine(m_lines[end]))
        ++end;
    while (end > s + 1 && m_lines[end - 1].trimmed().isEmpty())
        --end; // keep the blank line that separates sections after the new key
    m_lines.insert(end, line);
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::save() const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        throw IoError(QStringLiteral("Fisierul %1 nu poate fi scris").arg(QDir::toNativeSeparators(m_path)));
    file.write((m_lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    if (!file.commit())
        throw IoError(QStringLiteral("Fisierul %1 nu poate fi scris").arg(QDir::toNativeSeparators(m_path)));
}
