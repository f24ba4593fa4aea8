#include "core/SameFile.h"

#include <QFile>
#include <filesystem>

bool isSameFile(const QString& a, const QString& b)
{
    // Compares device and file numbers; a missing file is never the same as another.
    std::error_code ignored;
    return std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
                                       std::filesystem::path(QFile::encodeName(b).toStdString()), ignored);
}
