#pragma once

#include <QDir>
#include <QString>

// A path as the user's system writes it, for messages and the status line.
inline QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}
