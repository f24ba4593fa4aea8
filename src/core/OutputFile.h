#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <memory>

// A file the user named for the program's output (a report's PDF or CSV, an
// export): written under a temporary name and put in place once complete, so
// that an error leaves an older file of that name as it was and no half file.
// A target that is not a plain file (a device such as /dev/null, a pipe) is
// written directly: renaming over it would replace the device itself.
class OutputFile
{
public:
    explicit OutputFile(const QString& filePath);

    bool open();
    QIODevice* device();
    // Puts the finished file in place; false when it could not be written.
    bool commit();
    QString errorString() const;

private:
    std::unique_ptr<QSaveFile> m_whole;
    std::unique_ptr<QFile> m_direct;
};
