#include "FolderContents.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QMap<QString, QByteArray> folderContents(const QString& folder)
{
    QMap<QString, QByteArray> contents;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        contents.insert(QDir(folder).relativeFilePath(path), QFileInfo(path).isDir() ? QByteArray("<dir>")
                                                             : file.open(QIODevice::ReadOnly)
                                                                 ? file.readAll()
                                                                 : QByteArray("<unreadable>"));
    }
    return contents;
}
