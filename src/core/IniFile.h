#pragma once

#include <QString>
#include <QStringList>

// An options file in the classic "[Section]" / "Key=Value" form. Keys keep
// their blanks as written ("Check for new version=1"); sections and keys are
// found without regard to case. Writing keeps every other line of the file.
class IniFile
{
public:
    explicit IniFile(QString path);

    QString readString(const QString& section, const QString& key, const QString& fallback = {}) const;
    // The value read as an integer; the fallback when missing or not an integer.
    int readInteger(const QString& section, const QString& key, int fallback) const;
    bool readBool(const QString& section, const QString& key, bool fallback) const;

    // Changes the key in memory; save() writes the file.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeBool(const QString& section, const QString& key, bool value);
    // Throws IoError when the file cannot be written.
    void save() const;

private:
    int findSection(const QString& section) const;
    int findKey(int sectionLine, const QString& key) const;

    QString m_path;
    QStringList m_lines;
};
