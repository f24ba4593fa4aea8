#include "core/Utilities.h"

#include "core/SameFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

int LastPos(const QString& pattern, const QString& text)
{
    if (pattern.isEmpty() || pattern.size() > text.size())
        return 0;
    for (qsizetype start = text.size() - pattern.size(); start >= 0; --start)
        if (QStringView(text).mid(start, pattern.size()) == pattern)
            return int(start + 1);
    return 0;
}

QString WithBackslash(const QString& path)
{
    if (path.endsWith(pathSeparator()))
        return path;
    return path + pathSeparator();
}

void ForceFolder(const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return;
    const int separator = LastPos(QString(pathSeparator()), path);
    if (separator > 1) {
        const QString parent = path.left(separator - 1);
        if (!QFileInfo(parent).isDir())
            ForceFolder(parent);
    }
    QDir().mkdir(path);
}

void CopyFileChecked(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw IoError(
            QStringLiteral("Error opening source file \"%1\"").arg(QDir::toNativeSeparators(source)));
    // Opening the source itself as the target would truncate it before a byte is read.
    if (isSameFile(source, target))
        throw IoError(
            QStringLiteral("Error opening destination file \"%1\"").arg(QDir::toNativeSeparators(target)));
    // Written under a temporary name and renamed over the target only when
    // whole: a full disk leaves neither half a file nor a lost older copy.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw IoError(
            QStringLiteral("Error opening destination file \"%1\"").arg(QDir::toNativeSeparators(target)));
    constexpr qint64 chunk = 1 << 16;
    while (!in.atEnd()) {
        const QByteArray block = in.read(chunk);
        if ((block.isEmpty() && in.error() != QFileDevice::NoError) || out.write(block) != block.size())
            throw IoError(QStringLiteral("Error copying file \"%1\"").arg(QDir::toNativeSeparators(source)));
    }
    if (in.error() != QFileDevice::NoError || !out.commit())
        throw IoError(QStringLiteral("Error copying file \"%1\"").arg(QDir::toNativeSeparators(source)));
}

std::optional<ProgramVersion> parseProgramVersion(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    ProgramVersion version{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        version[i] = parts[i].toInt(&ok);
        if (!ok || version[i] < 0 || version[i] > 0xFFFF)
            return std::nullopt;
    }
    return version;
}

std::optional<ProgramVersion> ReadProgramVersion()
{
#ifdef LUMIVARET_VERSION
    return parseProgramVersion(QStringLiteral(LUMIVARET_VERSION));
#else
    return std::nullopt;
#endif
}

QString formatRunningVersion(const std::optional<ProgramVersion>& version)
{
    const ProgramVersion v = version.value_or(ProgramVersion{0, 0, 0, 0});
    return QString::asprintf("%d.%d.%d.%d", v[0], v[1], v[2], v[3]);
}
